// What the program offers beyond its own browser: a file named on the command line or dropped on
// either window is plotted as a double-click on it would be, a dropped folder opens in the
// browser, and the plot window's picture is copied to the clipboard or saved as PNG exactly as
// drawn.

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <memory>

#include "tests/windows/WindowTestSupport.h"
#include "windows/FileList.h"
#include "windows/FolderList.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/ProgressBar.h"

using namespace varneska;

namespace {

// Row 1 of the picture: a cell of grey 124 for each of count fields of 7.
std::string SevensInRowOne(int count) {
    return test::RepeatedFields("7", static_cast<std::size_t>(61 + count));
}

int PaintedCellsInRowOne(const Form2* form2) {
    int cells = 0;
    for (int column = 1; column <= 119; ++column) {
        cells += form2->Picture().pixel(2 * column + 1, 1) == qRgb(124, 124, 124) ? 1 : 0;
    }
    return cells;
}

// Drops the given paths on a window as a file manager would: drag-enter, then the drop.
bool Drop(QWidget* window, const QList<QByteArray>& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QByteArray& path : paths) {
        QUrl url;
        url.setScheme(QStringLiteral("file"));
        url.setPath(QString::fromLatin1(path.toPercentEncoding("/")), QUrl::TolerantMode);
        urls.push_back(url);
    }
    data.setUrls(urls);
    const QPoint centre = window->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window, &drop);
    return drop.isAccepted();
}

}  // namespace

class ExtensionsTest : public test::ScratchFolderTest {
    Q_OBJECT

private slots:
    void init() {
        ScratchFolderTest::init();
        QVERIFY(QDir().mkpath(QFile::decodeName(m_base + "/data/inner")));
        QVERIFY(QDir().mkpath(QFile::decodeName(m_base + "/elsewhere")));
        test::WriteFile(m_base + "/data/three.txt", SevensInRowOne(3));
        test::WriteFile(m_base + "/data/five.txt", SevensInRowOne(5));
        test::WriteFile(m_base + "/data/\xff\xfe odd.txt", SevensInRowOne(4));
        test::WriteFile(m_base + "/data/inner/deep.txt", SevensInRowOne(2));
    }

    void openPathMovesTheBrowserAndPlots_data() {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("browser");   // where the folder list ends up
        QTest::addColumn<QByteArray>("selected");  // the file list's selection afterwards
        QTest::addColumn<int>("cells");            // cells in row 1; -1 for no plot window
        QTest::addColumn<QString>("report");       // the start of the one report; empty for none
        QTest::newRow("file") << QByteArray("data/three.txt") << QByteArray("/data")
                              << QByteArray("three.txt") << 3 << QString();
        QTest::newRow("name that is not UTF-8")
            << QByteArray("data/\xff\xfe odd.txt") << QByteArray("/data")
            << QByteArray("\xff\xfe odd.txt") << 4 << QString();
        QTest::newRow("path with steps")
            << QByteArray("./elsewhere/../data/inner/deep.txt") << QByteArray("/data/inner")
            << QByteArray("deep.txt") << 2 << QString();
        QTest::newRow("folder") << QByteArray("data/inner") << QByteArray("/data/inner")
                                << QByteArray() << -1 << QString();
        QTest::newRow("missing file")
            << QByteArray("data/gone.txt") << QByteArray("/data") << QByteArray() << -1
            << QStringLiteral("Error 53: File not found: ");
        QTest::newRow("missing folder")
            << QByteArray("data/none/gone/x.txt") << QByteArray("/data") << QByteArray() << -1
            << QStringLiteral("Error 76: Path not found: ");
    }

    void openPathMovesTheBrowserAndPlots() {
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, browser);
        QFETCH(QByteArray, selected);
        QFETCH(int, cells);
        QFETCH(QString, report);
        QVERIFY(QDir::setCurrent(QFile::decodeName(m_base + "/elsewhere")));
        Form1 form1;
        test::ReportCatcher catcher;
        form1.OpenPath(path.startsWith("./") ? "../" + path.mid(2) : "../" + path);
        QCOMPARE(form1.Dir1()->Path(), m_base + browser);
        QCOMPARE(form1.File1()->Path(), m_base + browser);
        QCOMPARE(form1.File1()->FileName(), selected);
        if (report.isEmpty()) {
            QCOMPARE(catcher.reports, QStringList());
        } else {
            QCOMPARE(catcher.reports.size(), 1);
            QVERIFY2(catcher.reports.first().startsWith(report),
                     qPrintable(catcher.reports.first()));
        }
        if (cells < 0) {
            QCOMPARE(form1.Plot(), nullptr);
        } else {
            QVERIFY(form1.Plot() != nullptr);
            QCOMPARE(PaintedCellsInRowOne(form1.Plot()), cells);
        }
    }

    void dropOpensTheFirstPath_data() {
        QTest::addColumn<bool>("onPlotWindow");
        QTest::addColumn<QList<QByteArray>>("paths");
        QTest::addColumn<QByteArray>("browser");
        QTest::addColumn<int>("cells");
        QTest::newRow("file on the main window")
            << false << QList<QByteArray>{"/data/five.txt"} << QByteArray("/data") << 5;
        QTest::newRow("file on the plot window")
            << true << QList<QByteArray>{"/data/inner/deep.txt"} << QByteArray("/data/inner") << 5;
        QTest::newRow("several files, the first plotted")
            << false << QList<QByteArray>{"/data/inner/deep.txt", "/data/five.txt"}
            << QByteArray("/data/inner") << 2;
        QTest::newRow("folder opens in the browser")
            << true << QList<QByteArray>{"/elsewhere"} << QByteArray("/elsewhere") << 5;
    }

    void dropOpensTheFirstPath() {
        QFETCH(bool, onPlotWindow);
        QFETCH(QList<QByteArray>, paths);
        QFETCH(QByteArray, browser);
        QFETCH(int, cells);
        Form1 form1;
        if (onPlotWindow) {
            form1.OpenPath(m_base + "/data/five.txt");  // a plot window to drop on
            QVERIFY(form1.Plot() != nullptr);
        }
        for (QByteArray& path : paths) {
            path.prepend(m_base);
        }
        QWidget* target = onPlotWindow ? static_cast<QWidget*>(form1.Plot()) : &form1;
        QVERIFY(Drop(target, paths));
        // The drop is opened once it is over, from the event loop.
        QTRY_COMPARE(form1.Dir1()->Path(), m_base + browser);
        QTRY_VERIFY(form1.Plot() != nullptr);
        QTRY_COMPARE(PaintedCellsInRowOne(form1.Plot()), cells);
    }

    void dropIsRefusedWithoutALocalFile() {
        Form1 form1;
        QMimeData data;
        data.setText(QStringLiteral("/data/five.txt"));
        data.setUrls({QUrl(QStringLiteral("https://example.invalid/five.txt"))});
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&form1, &enter);
        QVERIFY(!enter.isAccepted());
    }

    void dropDuringARunNests() {
        // Tabs, which the value ignores, make the run long enough for the drop to land inside it.
        std::vector<std::string> numbers(61, "0");
        numbers.resize(61 + 120, std::string(100000, '\t') + "10");
        const std::string text = test::Fields(numbers);
        test::WriteFile(m_base + "/data/long.txt", text);
        const auto longMax = static_cast<float>(text.size() + 20);
        Form1 form1;
        form1.show();
        struct Starts : Form1::RunWatcher {
            int count = 0;
            void RunStarted() override { ++count; }
            void CellDrawn(float, float, float, float, std::uint32_t) override {}
        } starts;
        form1.SetRunWatcher(&starts);
        bool dropped = false;
        QTimer watch;
        watch.setInterval(0);
        connect(&watch, &QTimer::timeout, &form1, [&] {
            // In the long run's range pass: its file is read, its plot window not yet shown.
            if (!dropped && form1.ProgressBar1()->Max() == longMax && form1.Plot() == nullptr) {
                dropped = Drop(&form1, {m_base + "/data/three.txt"});
            }
        });
        watch.start();
        form1.OpenPath(m_base + "/data/long.txt");
        watch.stop();
        QVERIFY(dropped);
        QCOMPARE(starts.count, 2);  // the dropped file's run started inside the long one
        // The dropped file's run ended before the long run resumed: its maximum was overwritten
        // by nothing, and the long run painted row 1 white over its three grey cells.
        QCOMPARE(form1.ProgressBar1()->Max(), static_cast<float>(3 * (61 + 3) + 20));
        QCOMPARE(form1.Plot()->Picture().pixel(3, 1), qRgb(255, 255, 255));
        QCOMPARE(form1.Plot()->Picture().pixel(239, 2), qRgb(255, 255, 255));
    }

    void copyPutsThePictureOnTheClipboard() {
        Form1 form1;
        form1.OpenPath(m_base + "/data/three.txt");
        QVERIFY(form1.Plot() != nullptr);
        QGuiApplication::clipboard()->clear();
        form1.Plot()->CopyPicture();
        const QImage copied = QGuiApplication::clipboard()->image();
        QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), form1.Plot()->Picture());
    }

    void saveWritesThePictureExactly() {
        Form1 form1;
        form1.OpenPath(m_base + "/data/three.txt");
        QVERIFY(form1.Plot() != nullptr);
        const QString target = QFile::decodeName(m_base + "/elsewhere/three.png");
        test::ReportCatcher catcher;
        QVERIFY(form1.Plot()->SavePicture(target));
        QCOMPARE(catcher.reports, QStringList());
        QImage saved(target, "PNG");
        QCOMPARE(saved.convertToFormat(QImage::Format_RGB32), form1.Plot()->Picture());
    }

    void failedSaveIsReportedAndLeavesNothing_data() {
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QString>("report");
        QTest::newRow("missing folder") << QByteArray("/none") << QStringLiteral("Error 76: ");
        QTest::newRow("folder that may not be written")
            << QByteArray("/locked") << QStringLiteral("Error 70: ");
    }

    void failedSaveIsReportedAndLeavesNothing() {
        QFETCH(QByteArray, folder);
        QFETCH(QString, report);
        if (folder == "/locked") {
            if (::geteuid() == 0) {
                QSKIP("root writes in every folder");
            }
            QVERIFY(QDir().mkpath(QFile::decodeName(m_base + folder)));
            QVERIFY(QFile::setPermissions(QFile::decodeName(m_base + folder),
                                          QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        }
        Form1 form1;
        form1.OpenPath(m_base + "/data/three.txt");
        QVERIFY(form1.Plot() != nullptr);
        const QString target = QFile::decodeName(m_base + folder + "/three.png");
        test::ReportCatcher catcher;
        QVERIFY(!form1.Plot()->SavePicture(target));
        QCOMPARE(catcher.reports.size(), 1);
        QVERIFY2(catcher.reports.first().startsWith(report), qPrintable(catcher.reports.first()));
        QVERIFY(catcher.reports.first().contains(target));
        if (QFileInfo(QFile::decodeName(m_base + folder)).isDir()) {
            QCOMPARE(QDir(QFile::decodeName(m_base + folder))
                         .entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
                     QStringList());
        }
    }

    void plotWindowMenuHoldsCopyAndSave() {
        Form1 form1;
        form1.OpenPath(m_base + "/data/three.txt");
        QVERIFY(form1.Plot() != nullptr);
        const QList<QAction*> actions = form1.Plot()->actions();
        QCOMPARE(actions.size(), 2);
        QCOMPARE(actions[0]->text(), QStringLiteral("Copy Picture"));
        QCOMPARE(actions[0]->shortcut(), QKeySequence(QKeySequence::Copy));
        QCOMPARE(actions[1]->text(), QStringLiteral("Save Picture As\u2026"));
        QCOMPARE(actions[1]->shortcut(), QKeySequence(QKeySequence::Save));
        QCOMPARE(form1.Plot()->contextMenuPolicy(), Qt::ActionsContextMenu);
    }

    void commandLine_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("output");  // what standard output starts with
        QTest::addColumn<int>("errorLines");  // lines on standard error
        QTest::newRow("help") << QStringList{"--help"} << 0 << QStringLiteral("Usage: ") << 0;
        QTest::newRow("version") << QStringList{"--version"} << 0 << QStringLiteral("varneska 0.")
                                 << 0;
        QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << QString() << 1;
        QTest::newRow("two files") << QStringList{"a.txt", "b.txt"} << 2 << QString() << 1;
    }

    void commandLine() {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, output);
        QFETCH(int, errorLines);
        QProcess program;
        program.start(QStringLiteral(VARNESKA_BINARY), arguments);
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), status);
        QVERIFY(QString::fromLocal8Bit(program.readAllStandardOutput()).startsWith(output));
        const QByteArray errors = program.readAllStandardError();
        QCOMPARE(errors.count('\n'), errorLines);
    }
};

QTEST_MAIN(ExtensionsTest)
#include "ExtensionsTest.moc"
