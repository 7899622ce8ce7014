#include "windows/Form1.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QDir>
#include <QTimer>
#include <algorithm>

#include "run/PlotRun.h"
#include "windows/DirectoryListing.h"
#include "windows/DriveList.h"
#include "windows/DroppedFile.h"
#include "windows/ErrorReport.h"
#include "windows/FileList.h"
#include "windows/FolderList.h"
#include "windows/Form2.h"
#include "windows/RunAbandoned.h"

namespace varneska {

namespace {

using Clock = std::chrono::steady_clock;
// How often a run lets the windows handle their events, and how often the bar is redrawn.
constexpr auto kEventInterval = std::chrono::milliseconds(4);
constexpr auto kBarInterval = std::chrono::milliseconds(15);
// DoEvents sets its count so that the clock is looked at about this often, whatever the rate of
// its calls, and never less than once per kMostCallsPerClockCheck calls.
constexpr auto kClockCheckInterval = std::chrono::microseconds(250);

}  // namespace

Form1::Form1(QWidget* parent)
    : QWidget(parent),
      m_drive1(new DriveList(this)),
      m_dir1(new FolderList(this)),
      m_file1(new FileList(this)),
      m_progressBar1(new ProgressBar(this)) {
    setWindowTitle(QStringLiteral("Varneska"));
    // Laid out once at fixed places, in pixels at the usual 96 dots per inch; nothing moves or
    // resizes later.
    setFixedSize(312, 253);
    m_drive1->setGeometry(24, 16, 273, 21);
    m_dir1->setGeometry(24, 48, 121, 141);
    m_file1->setGeometry(152, 48, 145, 149);
    m_progressBar1->setGeometry(24, 216, 273, 17);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_file1->setObjectName(QStringLiteral("File1"));
    m_progressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_drive1->setAccessibleName(tr("Drive"));
    m_dir1->setAccessibleName(tr("Folders"));
    m_file1->setAccessibleName(tr("Files"));
    m_file1->setAccessibleDescription(tr("Double-click a file, or press Enter, to plot it"));
    m_progressBar1->setAccessibleName(tr("Progress"));
    // Tab order of the design: the bar (which takes no focus), Dir1, File1, Drive1.
    m_progressBar1->setFocusPolicy(Qt::NoFocus);
    setTabOrder(m_dir1, m_file1);
    setTabOrder(m_file1, m_drive1);

    connect(m_drive1, &DriveList::DriveChanged, this, &Form1::Drive1Changed);
    connect(m_dir1, &FolderList::PathChanged, this, &Form1::Dir1Changed);
    // The browser starts in the process's current folder, on the drive that holds it. The
    // folder is taken as the bytes the system gives, so a name that is not UTF-8 still opens.
    ErrorReport::Guard(this, [this] { m_dir1->SetPath(FolderList::Clean(".")); });
    m_dir1->setFocus();

    connect(m_file1, &FileList::FileDoubleClicked, this, &Form1::File1DoubleClicked);
    setAcceptDrops(true);
}

Form1::~Form1() {
    delete m_form2;
}

void Form1::Drive1Changed() {
    if (!ErrorReport::Guard(this, [this] { m_dir1->SetPath(m_drive1->Drive()); })) {
        // The folder list stayed where it was; so does the drive list.
        m_drive1->ShowFolder(m_dir1->Path());
    }
}

void Form1::Dir1Changed() {
    // The drive list shows the drive the folder is on, and the file list follows the folder.
    m_drive1->ShowFolder(m_dir1->Path());
    ErrorReport::Guard(this, [this] { m_file1->SetPath(m_dir1->Path()); });
}

void Form1::File1DoubleClicked() {
    PlotFile(m_dir1->Path(), m_file1->FileName());
}

void Form1::PlotFile(const QByteArray& folder, const QByteArray& fileName) {
    // A run begins by reading its file, with a DoEvents call every few milliseconds: each must
    // reach the clock.
    m_callsUntilClockCheck = 1;
    m_callsSinceClockCheck = 1;
    m_runFiles.push_back(DirectoryListing::Join(folder, fileName));
    const struct RunFileGuard {
        QList<QByteArray>& files;
        ~RunFileGuard() { files.removeLast(); }
    } runFile{m_runFiles};
    try {
        ErrorReport::Guard(this, [this, &folder, &fileName] {
            PlotRun(folder.toStdString(), fileName.toStdString(), *this);
        });
    } catch (const RunAbandoned&) {
        // The last window was closed: this run and any it is nested in stop, and the program
        // ends once they have unwound.
        QCoreApplication::quit();
        return;
    }
    m_progressBar1->Refresh();
}

void Form1::SetProgressMax(float max) {
    if (m_watcher != nullptr) {
        m_watcher->RunStarted();
    }
    m_progressBar1->SetMax(max);
}

void Form1::CheckClock() {
    const Clock::time_point now = Clock::now();
    // The next count: as many calls as came in one clock-check interval just now.
    const auto elapsed = std::max<Clock::duration>(now - m_lastClockCheck, Clock::duration(1));
    const auto calls = static_cast<std::uint64_t>(m_callsSinceClockCheck) *
                       static_cast<std::uint64_t>(Clock::duration(kClockCheckInterval).count()) /
                       static_cast<std::uint64_t>(elapsed.count());
    m_callsSinceClockCheck =
        static_cast<std::uint32_t>(std::clamp<std::uint64_t>(calls, 1, kMostCallsPerClockCheck));
    m_callsUntilClockCheck = m_callsSinceClockCheck;
    m_lastClockCheck = now;

    if (now < m_nextEvents) {
        return;
    }
    m_nextEvents = now + kEventInterval;
    if (now >= m_nextBarRefresh) {
        m_nextBarRefresh = now + kBarInterval;
        m_progressBar1->Refresh();
    }
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (AllWindowsClosed()) {
        throw RunAbandoned{};
    }
}

bool Form1::AllWindowsClosed() const {
    // A main window that was never shown (a window built only to drive it from code) is not
    // one the user closed.
    return m_everShown && !isVisible() && (m_form2 == nullptr || !m_form2->isVisible());
}

void Form1::showEvent(QShowEvent* event) {
    m_everShown = true;
    QWidget::showEvent(event);
}

void Form1::ShowPlot() {
    if (m_form2 == nullptr) {
        m_form2 = new Form2();
        connect(m_form2, &Form2::PathDropped, this, &Form1::OpenDropped);
        connect(m_form2, &Form2::Closed, this, [this] {
            // The picture goes with the window; the next run opens a fresh one.
            m_form2->deleteLater();
            m_form2 = nullptr;
        });
    }
    if (!m_runFiles.isEmpty()) {
        m_form2->SetDataFile(m_runFiles.back());
    }
    m_form2->setVisible(true);
}

namespace {

bool IsFolder(const QByteArray& path) {
    struct stat info {};
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

QByteArray FolderPart(const QByteArray& path) {
    const auto slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

}  // namespace

void Form1::OpenPath(const QByteArray& path) {
    const QByteArray absolute = FolderList::Clean(path);
    if (IsFolder(absolute)) {
        ErrorReport::Guard(this, [this, &absolute] { m_dir1->SetPath(absolute); });
        return;
    }
    const QByteArray folder = FolderPart(absolute);
    const QByteArray fileName = absolute.mid(absolute.lastIndexOf('/') + 1);
    QByteArray nearest = folder;
    while (nearest != "/" && !IsFolder(nearest)) {
        nearest = FolderPart(nearest);
    }
    // The folder list's change moves the file list and the drive list after it.
    if (!ErrorReport::Guard(this, [this, &nearest] { m_dir1->SetPath(nearest); })) {
        return;
    }
    if (m_dir1->Path() == folder) {
        m_file1->SetCurrentRow(m_file1->RowOf(fileName));
    }
    // From the folder as the path names it, so that a folder that is not there is reported as a
    // double-click on a file in it would be.
    PlotFile(m_dir1->Path() == folder ? m_dir1->Path() : folder, fileName);
}

void Form1::OpenDropped(const QByteArray& path) {
    // Opened once the drop is over, so the dragging program is not kept waiting for a run; the
    // run still nests in a run going on, as a double-click would.
    QTimer::singleShot(0, this, [this, path] { OpenPath(path); });
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
    DroppedFile::Enter(event);
}

void Form1::dropEvent(QDropEvent* event) {
    const QByteArray path = DroppedFile::Take(event);
    if (!path.isEmpty()) {
        OpenDropped(path);
    }
}

void Form1::DrawCell(float x1, float y1, float x2, float y2, std::uint32_t colour) {
    if (m_form2 != nullptr) {
        if (m_watcher != nullptr) {
            m_watcher->CellDrawn(x1, y1, x2, y2, colour);
        }
        m_form2->DrawCell(x1, y1, x2, y2, colour);
    }
}

}  // namespace varneska
