#pragma once
// Form1: the main window, "Varneska": a drive list, a folder list, a file list and a progress
// bar, laid out once at fixed places. Its three handlers keep the lists in step and start a plot
// run on a double-click; it is also the PlotHost of every run.
//
// DoEvents and SetProgressValue are called for every character a run scans, so they are inline
// and the class is final: the run is instantiated over Form1 and both compile into the character
// walk. SetProgressValue only stores the value, which the bar shows on its own schedule. DoEvents
// counts down and looks at the clock only when the count runs out; then, a few hundred times a
// second, it lets both windows handle their pending events. The count adapts to how fast the
// calls come: thousands of calls between clock checks while a run scans, a single call while it
// reads a large file and calls every few milliseconds. A double-click handled there starts a
// nested run.

#include <QByteArray>
#include <QList>
#include <QWidget>
#include <chrono>
#include <cstdint>

#include "run/PlotHost.h"
#include "windows/ProgressBar.h"

namespace varneska {

class DriveList;
class FileList;
class FolderList;
class Form2;

class Form1 final : public QWidget, public PlotHost {
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

    // Plots fileName in folder as a double-click on it does: a failure is reported and the
    // program goes on; closing the last window during the run ends the program.
    void PlotFile(const QByteArray& folder, const QByteArray& fileName);

    // Opens path from outside the browser (a file named on the command line, or dropped on either
    // window): the browser moves to its folder with the file selected, and the file is plotted
    // as a double-click on it would. A folder is only opened in the browser. Where the path cannot
    // be plotted the usual report says why and the browser stays at the nearest folder that
    // exists. Nothing in the program calls it without such a request.
    void OpenPath(const QByteArray& path);

    // Sees every run start and every cell painted on the plot window, in the order the runs
    // make them, nested runs included; for tests that check a picture against its cells. Called
    // once per run and once per painted cell, never per character.
    class RunWatcher {
    public:
        virtual ~RunWatcher() = default;
        virtual void RunStarted() = 0;
        virtual void CellDrawn(float x1, float y1, float x2, float y2, std::uint32_t colour) = 0;
    };
    void SetRunWatcher(RunWatcher* watcher) noexcept { m_watcher = watcher; }

    // PlotHost
    void SetProgressMax(float max) override;
    void SetProgressValue(float value) override { m_progressBar1->SetValue(value); }
    void DoEvents() override {
        if (--m_callsUntilClockCheck == 0) [[unlikely]] {
            CheckClock();
        }
    }
    void ShowPlot() override;
    void DrawCell(float x1, float y1, float x2, float y2, std::uint32_t colour) override;

protected:
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The handlers of the three control events.
    void Drive1Changed();
    void Dir1Changed();
    void File1DoubleClicked();

    void OpenDropped(const QByteArray& path);
    void CheckClock();
    // True once the user has closed every window the program showed: what runs then abandon.
    bool AllWindowsClosed() const;

    DriveList* m_drive1;
    FolderList* m_dir1;
    FileList* m_file1;
    ProgressBar* m_progressBar1;
    Form2* m_form2 = nullptr;
    RunWatcher* m_watcher = nullptr;
    // The files of the runs going on, the innermost last; the plot window proposes the name of
    // the one that showed it when its picture is saved.
    QList<QByteArray> m_runFiles;
    bool m_everShown = false;

    // DoEvents looks at the clock at most once per this many calls: a few microseconds of
    // scanning. A run starts with one call, as the calls of a file read come slowly.
    static constexpr std::uint32_t kMostCallsPerClockCheck = 2048;
    std::uint32_t m_callsUntilClockCheck = 1;
    std::uint32_t m_callsSinceClockCheck = 1;
    std::chrono::steady_clock::time_point m_lastClockCheck{};
    std::chrono::steady_clock::time_point m_nextEvents{};
    std::chrono::steady_clock::time_point m_nextBarRefresh{};
};

}  // namespace varneska
