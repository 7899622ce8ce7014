#pragma once
// Form1: the main window, "Varneska": a drive list, a folder list, a file list and a progress
// bar, laid out once at fixed places. Its three handlers keep the lists in step and start a plot
// run on a double-click; it is also the PlotHost of every run.
//
// DoEvents is called for every character a run scans. It stays cheap by looking at the clock
// only every few thousand calls and processing the pending events of both windows a few hundred
// times a second, which keeps input and the progress bar live without a system call per
// character. A double-click handled there starts a nested run.

#include <QWidget>
#include <chrono>
#include <cstdint>

#include "run/PlotHost.h"

namespace varneska {

class DriveList;
class FileList;
class FolderList;
class Form2;
class ProgressBar;

class Form1 : public QWidget, public PlotHost {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);
    ~Form1() override;

    DriveList* Drive1() const noexcept { return m_drive1; }
    FolderList* Dir1() const noexcept { return m_dir1; }
    FileList* File1() const noexcept { return m_file1; }
    ProgressBar* ProgressBar1() const noexcept { return m_progressBar1; }
    // The plot window while it is open; null before the first run and after it was closed.
    Form2* Plot() const noexcept { return m_form2; }

    // PlotHost
    void SetProgressMax(float max) override;
    void SetProgressValue(float value) override;
    void DoEvents() override;
    void ShowPlot() override;
    void DrawCell(float x1, float y1, float x2, float y2, std::uint32_t colour) override;

private:
    // The handlers of the three control events.
    void Drive1Changed();
    void Dir1Changed();
    void File1DoubleClicked();

    void ProcessPendingEvents();
    bool AnyWindowOpen() const;

    DriveList* m_drive1;
    FolderList* m_dir1;
    FileList* m_file1;
    ProgressBar* m_progressBar1;
    Form2* m_form2 = nullptr;

    // DoEvents looks at the clock once per this many calls: a few microseconds of scanning.
    static constexpr std::uint32_t kCallsPerClockCheck = 2048;
    std::uint32_t m_callsUntilClockCheck = kCallsPerClockCheck;
    std::chrono::steady_clock::time_point m_nextEvents{};
    std::chrono::steady_clock::time_point m_nextBarRefresh{};
};

}  // namespace varneska
