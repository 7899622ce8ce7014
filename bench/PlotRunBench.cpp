// Times whole plot runs (read, range pass, raster pass, every per-character host call) over a data
// file with a host that only counts, reports the best throughput and the peak memory above what
// the process held before, and compares with numpy.loadtxt on the same file where numpy is there.
//
//   varneska_bench_run FILE [REPEATS]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "bench/CountingHost.h"
#include "bench/ProcessMemory.h"
#include "run/PlotRun.h"

namespace {

// numpy's seconds for the same file, or a negative number where numpy cannot be run.
double NumpySeconds(const std::string& file) {
    const std::string command =
        "/usr/bin/python3 -c \"import sys,time\ntry:\n import numpy\nexcept ImportError:\n "
        "sys.exit(3)\nt=time.perf_counter(); numpy.loadtxt(sys.argv[1]); "
        "print(time.perf_counter()-t)\" '" +
        file + "' 2>/dev/null";
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [REPEATS]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path path = std::filesystem::absolute(argv[1]);
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

    double best = 1e300;
    long peakExtraKb = 0;
    varneska::bench::CountingHost last;
    for (int i = 0; i < repeats; ++i) {
        varneska::bench::CountingHost host;
        varneska::bench::ProcessMemory::ResetPeak();
        const long before = varneska::bench::ProcessMemory::Kilobytes("VmRSS:");
        const auto start = std::chrono::steady_clock::now();
        varneska::PlotRun(path.parent_path().string(), path.filename().string(), host);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        peakExtraKb = std::max(peakExtraKb, varneska::bench::ProcessMemory::Kilobytes("VmHWM:") - before);
        best = std::min(best, took.count());
        last = host;
    }

    const double throughput = megabytes / best;
    std::printf("file            %s (%.1f MB)\n", path.c_str(), megabytes);
    std::printf("calls           %llu DoEvents, %llu progress values, %llu cells\n",
                static_cast<unsigned long long>(last.events),
                static_cast<unsigned long long>(last.values),
                static_cast<unsigned long long>(last.cells));
    std::printf("whole run       best of %d: %.3f s, %.1f MB/s\n", repeats, best, throughput);
    std::printf("peak memory     %.1f MB above the start of a run (the text is %.1f MB)\n",
                static_cast<double>(peakExtraKb) * 1024.0 / 1e6,
                megabytes);

    const double numpy = NumpySeconds(path.string());
    if (numpy > 0.0) {
        const double numpyThroughput = megabytes / numpy;
        std::printf("numpy.loadtxt   %.3f s, %.1f MB/s; the run is %.2f times as fast\n", numpy,
                    numpyThroughput, throughput / numpyThroughput);
    } else {
        std::printf("numpy.loadtxt   skipped: /usr/bin/python3 with numpy is not installed\n");
    }
    return 0;
}
