// Runs through the real windows: a double-click during a run nests a second run that ends before
// the first resumes, and a failing run is reported while the program and its picture go on.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "run/RunError.h"
#include "tests/windows/WindowTestSupport.h"
#include "windows/ErrorReport.h"
#include "windows/FileList.h"
#include "windows/FolderList.h"
#include "windows/Form1.h"
#include "windows/Form2.h"
#include "windows/ProgressBar.h"

using namespace varneska;

class RunTest : public test::ScratchFolderTest {
    Q_OBJECT

private slots:
    void init() {
        ScratchFolderTest::init();

        // long.txt paints row 1 white and nothing else, but its values are padded with tabs, which
        // the value ignores, so a run of it lasts long enough for events to be handled in the
        // middle of it.
        std::vector<std::string> numbers(61, "0");
        numbers.resize(61 + 120, std::string(100000, '\t') + "10");
        test::WriteFile(m_base + "/long.txt", test::Fields(numbers));
        // short.txt paints rows 1 and 3 black.
        test::WriteFile(m_base + "/short.txt",
                        test::Fields(std::vector<std::string>(61 + 120 * 3, "0")));
        m_shortLength = static_cast<float>(3 * (61 + 120 * 3));
    }

    void doubleClickDuringARunNestsASecondRun_data() {
        QTest::addColumn<bool>("duringScan");
        // The windows handle events every few milliseconds while a file longer than one read
        // piece is read; the read row makes sure the read lasts that long.
        QTest::newRow("while the file is read") << false;
        QTest::newRow("while the file is scanned") << true;
    }

    void doubleClickDuringARunNestsASecondRun() {
        QFETCH(bool, duringScan);
        if (!duringScan) {
            // Off the disk, and three times as long: tens of milliseconds of reading.
            std::vector<std::string> numbers(61, "0");
            numbers.resize(61 + 120, std::string(300000, '\t') + "10");
            test::WriteFile(m_base + "/long.txt", test::Fields(numbers));
            const int fd = ::open((m_base + "/long.txt").constData(), O_RDONLY | O_CLOEXEC);
            QVERIFY(fd >= 0);
            ::fdatasync(fd);
            ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
            ::close(fd);
        }
        Form1 form1;
        form1.show();
        const float longMax =
            static_cast<float>(QFileInfo(QFile::decodeName(m_base + "/long.txt")).size()) + 20.0f;
        bool nested = false;
        // Looks at every round of event handling inside the long run; the long run has set its
        // maximum once its file is read, and shows the plot window once its range pass is over.
        QTimer watch;
        watch.setInterval(0);
        connect(&watch, &QTimer::timeout, &form1, [&] {
            const bool read = form1.ProgressBar1()->Max() == longMax;
            if (nested || read != duringScan || form1.Plot() != nullptr) {
                return;
            }
            nested = test::DoubleClickFile(form1, "short.txt");
            // The nested run has ended here, before the long one resumes.
            QVERIFY(form1.Plot() != nullptr);
            QCOMPARE(form1.Plot()->Picture().pixel(2, 1), qRgb(0, 0, 0));
        });
        watch.start();
        QVERIFY(test::DoubleClickFile(form1, "long.txt"));
        watch.stop();
        QVERIFY(nested);
        const QImage& picture = form1.Plot()->Picture();
        // The long run resumed and painted row 1 over the short run's black; row 3 stays black.
        QCOMPARE(picture.pixel(2, 1), qRgb(255, 255, 255));
        QCOMPARE(picture.pixel(239, 2), qRgb(255, 255, 255));
        QCOMPARE(picture.pixel(2, 3), qRgb(0, 0, 0));
        QCOMPARE(picture.pixel(239, 4), qRgb(0, 0, 0));
        if (duringScan) {
            // The nested run's maximum stays; the long run's values pass it, so the bar is full.
            QCOMPARE(form1.ProgressBar1()->Max(), m_shortLength + 20.0f);
            QVERIFY(form1.ProgressBar1()->Value() > m_shortLength);
            QCOMPARE(form1.ProgressBar1()->value(), form1.ProgressBar1()->maximum());
        } else {
            // The long run set its maximum after the nested run had ended.
            QCOMPARE(form1.ProgressBar1()->Max(), longMax);
            QVERIFY(form1.ProgressBar1()->value() < form1.ProgressBar1()->maximum());
        }
    }

    void windowsStayLiveDuringARun() {
        Form1 form1;
        form1.show();
        int handled = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, &form1, [&] { ++handled; });
        ticker.start(1);
        QVERIFY(test::DoubleClickFile(form1, "long.txt"));
        QVERIFY2(handled >= 2, "timer events were handled while the run went on");
    }

    void failedRunIsReportedAndTheProgramGoesOn_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("report");
        QTest::newRow("deleted after listing")
            << QByteArray("gone.txt") << QStringLiteral("Error 53: File not found: ");
        QTest::newRow("folder as file") << QByteArray("sub") << QStringLiteral("Error 75: ");
        QTest::newRow("fifo") << QByteArray("pipe") << QStringLiteral("Error 75: ");
    }

    void failedRunIsReportedAndTheProgramGoesOn() {
        QFETCH(QByteArray, name);
        QFETCH(QString, report);
        Form1 form1;
        form1.show();
        QVERIFY(test::DoubleClickFile(form1, "short.txt"));
        const QImage before = form1.Plot()->Picture();

        // What the user double-clicks is listed as a file but is something else by then.
        test::WriteFile(m_base + "/" + name, " 1 ");
        form1.File1()->SetPath(form1.Dir1()->Path());
        QVERIFY(QFile::remove(QFile::decodeName(m_base + "/" + name)));
        if (name == "sub") {
            QVERIFY(QDir(QFile::decodeName(m_base)).mkdir(QStringLiteral("sub")));
        } else if (name == "pipe") {
            QCOMPARE(::mkfifo((m_base + "/pipe").constData(), 0600), 0);
        }

        test::ReportCatcher catcher;
        QVERIFY(test::DoubleClickFile(form1, name));
        QCOMPARE(catcher.reports.size(), 1);
        QVERIFY2(catcher.reports.first().startsWith(report), qPrintable(catcher.reports.first()));
        QVERIFY2(catcher.reports.first().contains(QFile::decodeName(m_base + "/" + name)),
                 qPrintable(catcher.reports.first()));
        // The picture is untouched and the next run works.
        QVERIFY(form1.Plot() != nullptr);
        QCOMPARE(form1.Plot()->Picture(), before);
        QVERIFY(test::DoubleClickFile(form1, "short.txt"));
        QCOMPARE(catcher.reports.size(), 1);
    }

    void guardReportsEveryFailure_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("report");
        QTest::newRow("run error") << 0 << QStringLiteral("Error 53: File not found: /x/y");
        QTest::newRow("out of memory") << 1 << QStringLiteral("Error 7: Out of memory");
        QTest::newRow("anything else") << 2 << QStringLiteral("Error 51: Internal error: boom");
    }

    void guardReportsEveryFailure() {
        QFETCH(int, kind);
        QFETCH(QString, report);
        test::ReportCatcher catcher;
        const bool done = ErrorReport::Guard(nullptr, [kind] {
            if (kind == 0) {
                throw RunError(RunError::Code::FileNotFound, "/x/y");
            }
            if (kind == 1) {
                throw std::bad_alloc();
            }
            throw std::runtime_error("boom");
        });
        QVERIFY(!done);
        QCOMPARE(catcher.reports, QStringList{report});
        QCOMPARE(catcher.selectable, QList<bool>{true});
        QVERIFY(ErrorReport::Guard(nullptr, [] {}));
    }

    void reportShowsAnOrdinaryPathOnOneLine() {
        test::ReportCatcher catcher;
        ErrorReport::Show(nullptr, 53,
                          QStringLiteral("File not found: /home/someone/Documents/measurements/"
                                         "2026/december/run-0042.txt"));
        QCOMPARE(catcher.onOneLine, QList<bool>{true});
        QCOMPARE(catcher.selectable, QList<bool>{true});
    }

private:
    float m_shortLength = 0.0f;
};

QTEST_MAIN(RunTest)
#include "RunTest.moc"
