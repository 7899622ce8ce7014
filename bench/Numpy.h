#pragma once
// Numpy: times numpy.loadtxt on a data file, the tool people would reach for instead, so the
// benchmarks can print the run's speed beside it, measured on the same file in the same sitting.

#include <cstdio>
#include <string>

namespace varneska::bench {

struct Numpy {
    // Seconds numpy.loadtxt took to read file, or a negative number where Debian's python3 with
    // numpy is not installed. numpy reads no D exponents: a file with them is read as a copy with
    // E in their place, made before the clock starts, the same numbers in the same bytes. The
    // OpenBLAS tuning variables some machines set are dropped for the command: they only slow a
    // current numpy down.
    static double LoadtxtSeconds(const std::string& file) {
        static const char kScript[] = R"(
import os, sys, tempfile, time
try:
    import numpy
except ImportError:
    sys.exit(3)
name = sys.argv[1]
data = open(name, 'rb').read()
if b'D' in data or b'd' in data:
    copy = tempfile.NamedTemporaryFile(delete=False)
    copy.write(data.replace(b'D', b'E').replace(b'd', b'e'))
    copy.close()
    name = copy.name
del data
t = time.perf_counter()
numpy.loadtxt(name)
print(time.perf_counter() - t)
if name != sys.argv[1]:
    os.unlink(name)
)";
        const std::string command =
            "env -u OPENBLAS_CORETYPE -u OPENBLAS_L2_SIZE /usr/bin/python3 -c \"" +
            std::string(kScript) + "\" '" + file + "' 2>/dev/null";
        std::FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr) {
            return -1.0;
        }
        double seconds = -1.0;
        if (std::fscanf(pipe, "%lf", &seconds) != 1) {
            seconds = -1.0;
        }
        const int status = ::pclose(pipe);
        return status == 0 ? seconds : -1.0;
    }
};

}  // namespace varneska::bench
