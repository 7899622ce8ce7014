// A whole run through the real windows beside the same run with a concrete host that only counts
// and numpy.loadtxt on the same file, in one sitting, plus how live the windows stay during the
// windowed run, its file read included: the delay before a posted event is handled (a stand-in
// for input, sent every 2 ms from another thread), the progress bar's repaints per second, and
// the peak memory above the start of the run.
//
//   varneska_bench_windows FILE [REPEATS] [--cold | --evict]
// --evict drops the file's own pages from the page cache before every windowed run, so the file
// comes off the disk while the program's code stays in memory (run it under an I/O limit to see a
// slow disk). --cold drops the whole page cache instead (root only), so the file comes off the
// disk. Runs on the platform Qt picks: the X server in DISPLAY, or offscreen without one.

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QEvent>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/CountingHost.h"
#include "bench/Numpy.h"
#include "bench/ProcessMemory.h"
#include "run/PlotRun.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/ProgressBar.h"

namespace {

using Clock = std::chrono::steady_clock;

class StampedEvent : public QEvent {
public:
    static inline const auto kType = static_cast<QEvent::Type>(QEvent::registerEventType());
    explicit StampedEvent(Clock::time_point at) : QEvent(kType), sent(at) {}
    Clock::time_point sent;
};

// Records how long each stamped event waited, counts the bar's repaints, and notes when the run
// has read its file: the first time the bar's maximum is the run's.
class Probe : public QObject {
public:
    std::vector<double> delaysMs;
    int paints = 0;
    int paintsWhileScanning = 0;
    bool counting = false;
    const varneska::ProgressBar* bar = nullptr;
    float runMax = 0.0f;
    Clock::time_point scanning{};

protected:
    void NoteScanning() {
        if (counting && scanning == Clock::time_point{} && bar->Max() == runMax) {
            scanning = Clock::now();
        }
    }
    bool event(QEvent* event) override {
        if (event->type() == StampedEvent::kType) {
            NoteScanning();
            const auto* stamped = static_cast<StampedEvent*>(event);
            delaysMs.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - stamped->sent).count());
            return true;
        }
        return QObject::event(event);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (counting && event->type() == QEvent::Paint) {
            NoteScanning();
            ++paints;
            paintsWhileScanning += scanning != Clock::time_point{} ? 1 : 0;
        }
        return QObject::eventFilter(watched, event);
    }
};

double Percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(share * static_cast<double>(values.size() - 1));
    return values[index];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [REPEATS] [--cold | --evict]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    const std::filesystem::path path = std::filesystem::absolute(argv[1]);
    const int repeats = argc > 2 && argv[2][0] != '-' ? std::max(1, std::atoi(argv[2])) : 3;
    const bool dropAll = std::string(argv[argc - 1]) == "--cold";
    const bool evict = std::string(argv[argc - 1]) == "--evict";
    const bool cold = dropAll || evict;
    const std::string folder = path.parent_path().string();
    const std::string name = path.filename().string();
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

    varneska::Form1 form1;
    form1.show();
    Probe probe;
    probe.bar = form1.ProgressBar1();
    probe.runMax = static_cast<float>(std::filesystem::file_size(path)) + 20.0f;
    form1.ProgressBar1()->installEventFilter(&probe);
    QApplication::processEvents();

    double bestCounting = 1e300;
    double bestWindows = 1e300;
    double bestNumpy = 1e300;
    long peakExtraKb = 0;
    int paints = 0;
    double readSeconds = 0.0;
    double scanPaintsPerSecond = 0.0;
    // numpy's repeats first: run between ours, the memory it takes and gives back would leave
    // the next run waiting for the kernel to gather huge pages again.
    for (int i = 0; i < repeats && !cold; ++i) {
        const double numpy = varneska::bench::Numpy::LoadtxtSeconds(path.string());
        if (numpy > 0.0) {
            bestNumpy = std::min(bestNumpy, numpy);
        }
    }
    for (int i = 0; i < repeats; ++i) {
        if (!cold) {
            varneska::bench::CountingHost counting;
            const auto start = Clock::now();
            varneska::PlotRun(folder, name, counting);
            bestCounting =
                std::min(bestCounting, std::chrono::duration<double>(Clock::now() - start).count());
        } else if (dropAll) {
            ::sync();
            std::ofstream("/proc/sys/vm/drop_caches") << "3";
        } else {
            const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }

        varneska::bench::ProcessMemory::ResetPeak();
        const long before = varneska::bench::ProcessMemory::Kilobytes("VmRSS:");
        std::atomic<bool> running = true;
        std::thread poster([&] {
            while (running.load()) {
                QCoreApplication::postEvent(&probe, new StampedEvent(Clock::now()));
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
        form1.ProgressBar1()->SetMax(100.0f);  // as at the start, so the run's own maximum shows
        probe.scanning = {};
        probe.paintsWhileScanning = 0;
        probe.counting = true;
        const int paintsBefore = probe.paints;
        const auto start = Clock::now();
        form1.PlotFile(QByteArray::fromStdString(folder), QByteArray::fromStdString(name));
        const auto end = Clock::now();
        const double took = std::chrono::duration<double>(end - start).count();
        probe.counting = false;
        running = false;
        poster.join();
        QApplication::processEvents();
        peakExtraKb =
            std::max(peakExtraKb, varneska::bench::ProcessMemory::Kilobytes("VmHWM:") - before);
        if (took < bestWindows) {
            bestWindows = took;
            paints = probe.paints - paintsBefore;
            readSeconds = std::chrono::duration<double>(probe.scanning - start).count();
            scanPaintsPerSecond = probe.paintsWhileScanning /
                                  std::chrono::duration<double>(end - probe.scanning).count();
        }
    }
    if (form1.Plot() == nullptr) {
        std::fprintf(stderr, "the windowed run failed\n");
        return 1;
    }

    std::printf("platform        %s%s\n", qPrintable(QGuiApplication::platformName()),
                dropAll ? ", page cache dropped before every windowed run"
                : evict ? ", the file's pages evicted before every windowed run"
                        : "");
    std::printf("file            %s (%.1f MB)\n", path.c_str(), megabytes);
    std::printf("real windows    best of %d: %.3f s, %.1f MB/s\n", repeats, bestWindows,
                megabytes / bestWindows);
    if (!cold) {
        std::printf("counting host   best of %d: %.3f s, %.1f MB/s (concrete type, inlined)\n",
                    repeats, bestCounting, megabytes / bestCounting);
        if (bestNumpy < 1e300) {
            std::printf("numpy.loadtxt   best of %d: %.3f s, %.1f MB/s\n", repeats, bestNumpy,
                        megabytes / bestNumpy);
            std::printf("ratio           real windows %.2fx numpy.loadtxt, counting host %.2fx\n",
                        bestNumpy / bestWindows, bestNumpy / bestCounting);
        } else {
            std::printf("numpy.loadtxt   skipped: /usr/bin/python3 with numpy is not installed\n");
        }
    }
    std::printf(
        "event delay     %zu events: median %.2f ms, 99th percentile %.2f ms, max %.2f ms\n",
        probe.delaysMs.size(), Percentile(probe.delaysMs, 0.5), Percentile(probe.delaysMs, 0.99),
        Percentile(probe.delaysMs, 1.0));
    std::printf("file read       about %.3f s of the fastest windowed run\n", readSeconds);
    std::printf(
        "progress bar    %d repaints in the fastest windowed run: %.0f a second, %.0f a "
        "second once the file was read\n",
        paints, paints / bestWindows, scanPaintsPerSecond);
    std::printf("peak memory     %.1f MB above the start of a windowed run (the text is %.1f MB)\n",
                static_cast<double>(peakExtraKb) * 1024.0 / 1e6, megabytes);
    return 0;
}
