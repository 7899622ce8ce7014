// Times whole plot runs (read, range pass, raster pass, every per-character host call) over a data
// file with a host that only counts, two ways: as a concrete type, which the run's template
// inlines as it does the main window, and through PlotHost&, one virtual call per operation.
// numpy.loadtxt reads the same file in the same sitting, all its repeats first: run between ours,
// the memory it takes and gives back leaves the next run to wait for the kernel to gather huge
// pages again, which measures numpy's effect on the system rather than the run.
//
//   varneska_bench_run FILE [REPEATS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/CountingHost.h"
#include "bench/Numpy.h"
#include "bench/ProcessMemory.h"
#include "run/PlotRun.h"

namespace {

using varneska::bench::CountingHost;

template <class Run>
double Seconds(Run run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [REPEATS]\n", argv[0]);
        return 2;
    }
    const std::filesystem::path path = std::filesystem::absolute(argv[1]);
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    const std::string folder = path.parent_path().string();
    const std::string name = path.filename().string();
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

    double bestConcrete = 1e300;
    double bestInterface = 1e300;
    double bestNumpy = 1e300;
    long peakExtraKb = 0;
    CountingHost concrete;
    CountingHost viaInterface;
    for (int i = 0; i < repeats; ++i) {
        const double numpy = varneska::bench::Numpy::LoadtxtSeconds(path.string());
        if (numpy > 0.0) {
            bestNumpy = std::min(bestNumpy, numpy);
        }
    }
    for (int i = 0; i < repeats; ++i) {
        concrete = CountingHost{};
        varneska::bench::ProcessMemory::ResetPeak();
        const long before = varneska::bench::ProcessMemory::Kilobytes("VmRSS:");
        bestConcrete =
            std::min(bestConcrete, Seconds([&] { varneska::PlotRun(folder, name, concrete); }));
        peakExtraKb =
            std::max(peakExtraKb, varneska::bench::ProcessMemory::Kilobytes("VmHWM:") - before);

        viaInterface = CountingHost{};
        varneska::PlotHost& host = viaInterface;
        bestInterface =
            std::min(bestInterface, Seconds([&] { varneska::PlotRun(folder, name, host); }));
    }
    if (concrete.events != viaInterface.events || concrete.values != viaInterface.values ||
        concrete.cells != viaInterface.cells || concrete.greySum != viaInterface.greySum ||
        concrete.lastValue != viaInterface.lastValue) {
        std::fprintf(stderr, "the two ways of reaching the host made different calls\n");
        return 1;
    }

    std::printf("file              %s (%.1f MB)\n", path.c_str(), megabytes);
    std::printf("calls             %llu DoEvents, %llu progress values, %llu cells\n",
                static_cast<unsigned long long>(concrete.events),
                static_cast<unsigned long long>(concrete.values),
                static_cast<unsigned long long>(concrete.cells));
    std::printf("concrete host     best of %d: %.3f s, %.1f MB/s\n", repeats, bestConcrete,
                megabytes / bestConcrete);
    std::printf("through PlotHost& best of %d: %.3f s, %.1f MB/s\n", repeats, bestInterface,
                megabytes / bestInterface);
    std::printf("peak memory       %.1f MB above the start of a run (the text is %.1f MB)\n",
                static_cast<double>(peakExtraKb) * 1024.0 / 1e6, megabytes);
    if (bestNumpy < 1e300) {
        std::printf("numpy.loadtxt     best of %d: %.3f s, %.1f MB/s\n", repeats, bestNumpy,
                    megabytes / bestNumpy);
        std::printf(
            "ratio             concrete host %.2fx numpy.loadtxt, through PlotHost& %.2fx\n",
            bestNumpy / bestConcrete, bestNumpy / bestInterface);
    } else {
        std::printf("numpy.loadtxt     skipped: /usr/bin/python3 with numpy is not installed\n");
    }
    return 0;
}
