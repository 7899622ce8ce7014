#pragma once
// ProcessMemory: this process's resident memory as the kernel counts it, for the benchmarks'
// peak-memory figures.

#include <fstream>
#include <string>

namespace varneska::bench {

struct ProcessMemory {
    // A "VmRSS:" or "VmHWM:" line of /proc/self/status, in kilobytes; -1 where there is none.
    static long Kilobytes(const char* key) {
        std::ifstream status("/proc/self/status");
        std::string word;
        while (status >> word) {
            if (word == key) {
                long kilobytes = 0;
                status >> kilobytes;
                return kilobytes;
            }
        }
        return -1;
    }

    // Starts the peak ("VmHWM") over from the current size.
    static void ResetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }
};

}  // namespace varneska::bench
