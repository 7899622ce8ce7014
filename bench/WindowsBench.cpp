// A whole run through the real windows against the same run with a host that only counts, side
// by side in one process, plus how live the windows stay during the windowed run: the delay
// before a posted event is handled (a stand-in for input, sent every 2 ms from another thread),
// the progress bar's repaints per second, and the peak memory above the start of the run.
//
//   varneska_bench_windows FILE [REPEATS]
// Runs on the platform Qt picks: the X server in DISPLAY, or offscreen without one.

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
#include "bench/ProcessMemory.h"
#include "run/PlotRun.h"
#include "windows/Form1.h"
#include "windows/ProgressBar.h"

namespace {

using Clock = std::chrono::steady_clock;

class StampedEvent : public QEvent {
public:
    static inline const auto kType = static_cast<QEvent::Type>(QEvent::registerEventType());
    explicit StampedEvent(Clock::time_point at) : QEvent(kType), sent(at) {}
    Clock::time_point sent;
};

// Records how long each stamped event waited, and counts the bar's repaints.
class Probe : public QObject {
public:
    std::vector<double> delaysMs;
    int paints = 0;
    bool counting = false;

protected:
    bool event(QEvent* event) override {
        if (event->type() == StampedEvent::kType) {
            const auto* stamped = static_cast<StampedEvent*>(event);
            delaysMs.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - stamped->sent).count());
            return true;
        }
        return QObject::event(event);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (counting && event->type() == QEvent::Paint) {
            ++paints;
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
        std::fprintf(stderr, "usage: %s FILE [REPEATS]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgc = 1;
    QApplication application(qtArgc, argv);
    const std::filesystem::path path = std::filesystem::absolute(argv[1]);
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::string folder = path.parent_path().string();
    const std::string name = path.filename().string();
    const double megabytes = static_cast<double>(std::filesystem::file_size(path)) / 1e6;

    varneska::Form1 form1;
    form1.show();
    Probe probe;
    form1.ProgressBar1()->installEventFilter(&probe);
    QApplication::processEvents();

    double bestCounting = 1e300;
    double bestWindows = 1e300;
    long peakExtraKb = 0;
    int paints = 0;
    double windowedSeconds = 0.0;
    for (int i = 0; i < repeats; ++i) {
        varneska::bench::CountingHost counting;
        auto start = Clock::now();
        varneska::PlotRun(folder, name, counting);
        bestCounting = std::min(bestCounting,
                                std::chrono::duration<double>(Clock::now() - start).count());

        varneska::bench::ProcessMemory::ResetPeak();
        const long before = varneska::bench::ProcessMemory::Kilobytes("VmRSS:");
        std::atomic<bool> running = true;
        std::thread poster([&] {
            while (running.load()) {
                QCoreApplication::postEvent(&probe, new StampedEvent(Clock::now()));
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            }
        });
        probe.counting = true;
        const int paintsBefore = probe.paints;
        start = Clock::now();
        varneska::PlotRun(folder, name, form1);
        const double took = std::chrono::duration<double>(Clock::now() - start).count();
        probe.counting = false;
        running = false;
        poster.join();
        QApplication::processEvents();
        peakExtraKb = std::max(peakExtraKb, varneska::bench::ProcessMemory::Kilobytes("VmHWM:") - before);
        if (took < bestWindows) {
            bestWindows = took;
            paints = probe.paints - paintsBefore;
            windowedSeconds = took;
        }
    }

    std::printf("platform        %s\n", qPrintable(QGuiApplication::platformName()));
    std::printf("file            %s (%.1f MB)\n", path.c_str(), megabytes);
    std::printf("counting host   best of %d: %.3f s, %.1f MB/s\n", repeats, bestCounting,
                megabytes / bestCounting);
    std::printf("real windows    best of %d: %.3f s, %.1f MB/s: %.3f times the counting host\n",
                repeats, bestWindows, megabytes / bestWindows, bestWindows / bestCounting);
    std::printf("event delay     %zu events: median %.2f ms, 99th percentile %.2f ms, max %.2f ms\n",
                probe.delaysMs.size(), Percentile(probe.delaysMs, 0.5),
                Percentile(probe.delaysMs, 0.99), Percentile(probe.delaysMs, 1.0));
    std::printf("progress bar    %d repaints in the fastest windowed run: %.0f a second\n", paints,
                paints / windowedSeconds);
    std::printf("peak memory     %.1f MB above the start of a windowed run (the text is %.1f MB)\n",
                static_cast<double>(peakExtraKb) * 1024.0 / 1e6, megabytes);
    return 0;
}
