// The file browser of the main window: drive, folder and file lists kept in step by the
// handlers, what each list shows, and the reports when a folder or drive cannot be followed.

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "tests/windows/WindowTestSupport.h"
#include "windows/DriveList.h"
#include "windows/FileList.h"
#include "windows/FolderList.h"
#include "windows/Form1.h"
#include "windows/Form2.h"

using namespace varneska;

namespace {

qsizetype Indent(const QString& text) {
    qsizetype spaces = 0;
    while (spaces < text.size() && text[spaces] == QLatin1Char(' ')) {
        ++spaces;
    }
    return spaces;
}

}  // namespace

class BrowserTest : public test::ScratchFolderTest {
    Q_OBJECT

private slots:
    void init() {
        ScratchFolderTest::init();
        QDir base(QFile::decodeName(m_base));
        QVERIFY(base.mkpath(QStringLiteral("data/alpha")));
        QVERIFY(base.mkpath(QStringLiteral("data/Beta")));
        QVERIFY(base.mkpath(QStringLiteral("data/.hidden")));
        for (const char* name : {"10.txt", "9.txt", "a.txt", "B.txt", ".secret"}) {
            test::WriteFile(m_base + "/data/" + name, " 1 ");
        }
        QCOMPARE(::mkfifo((m_base + "/data/pipe").constData(), 0600), 0);
        test::WriteFile(m_base + "/data/alpha/inner.txt", " 1 ");
        QVERIFY(QDir::setCurrent(QFile::decodeName(m_base + "/data")));
    }

    void startsInTheCurrentFolder() {
        Form1 form1;
        QCOMPARE(form1.Dir1()->Path(), m_base + "/data");
        QCOMPARE(form1.File1()->Path(), m_base + "/data");
        QCOMPARE(form1.Drive1()->Drive(), m_base + "/data");
        QVERIFY(form1.File1()->FileName().isEmpty());
    }

    void foldersShowTheChainThenTheSubfolders() {
        Form1 form1;
        const QStringList texts = test::Texts(*form1.Dir1());
        const auto depth = m_base.count('/') + 1;  // the steps below the root, and data
        QCOMPARE(texts.first(), QStringLiteral("/"));
        QCOMPARE(texts.size(), depth + 1 + 2);
        QCOMPARE(texts[depth].trimmed(), QStringLiteral("data"));
        QCOMPARE(form1.Dir1()->CurrentRow(), static_cast<int>(depth));
        // Subfolders one level deeper than the current folder, sorted without regard to case,
        // hidden ones left out.
        QCOMPARE(texts[depth + 1].trimmed(), QStringLiteral("alpha"));
        QCOMPARE(texts[depth + 2].trimmed(), QStringLiteral("Beta"));
        QCOMPARE(Indent(texts[depth + 1]), Indent(texts[depth]) + 2);
        QCOMPARE(Indent(texts[depth]), Indent(texts[depth - 1]) + 2);
    }

    void filesAreTheVisibleRegularFilesInReadingOrder() {
        Form1 form1;
        QCOMPARE(test::Texts(*form1.File1()), (QStringList{"9.txt", "10.txt", "a.txt", "B.txt"}));
    }

    void openingAFolderMovesTheFileList() {
        Form1 form1;
        QSignalSpy changes(form1.Dir1(), &FolderList::PathChanged);
        FolderList* dir1 = form1.Dir1();
        const int alpha = test::RowNamed(*dir1, QStringLiteral("alpha"));
        QVERIFY(alpha >= 0);
        dir1->SetCurrentRow(alpha);
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(dir1->Path(), m_base + "/data/alpha");
        QCOMPARE(test::Texts(*form1.File1()), QStringList{"inner.txt"});

        // Up again through the chain: the entry of "data" is one row above the current one.
        dir1->SetCurrentRow(dir1->CurrentRow() - 1);
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(dir1->Path(), m_base + "/data");
        QCOMPARE(form1.File1()->Path(), m_base + "/data");
    }

    void pickingADriveMovesFolderAndFilesToItsCurrentFolder() {
        QVERIFY(QDir(QFile::decodeName(m_base)).mkpath(QStringLiteral("vol/deep")));
        test::WriteFile(m_base + "/vol/top.txt", " 1 ");
        Form1 form1;
        DriveList* drive1 = form1.Drive1();
        // Two drives: the root, which holds the start folder, and a folder standing in for a
        // second mounted volume.
        drive1->SetVolumeSource([base = m_base] { return QList<QByteArray>{"/", base + "/vol"}; });
        QCOMPARE(drive1->SelectedVolume(), QByteArray("/"));

        QTest::keyClick(drive1, Qt::Key_Down);  // the user picks the second drive
        QCOMPARE(drive1->SelectedVolume(), m_base + "/vol");
        QCOMPARE(form1.Dir1()->Path(), m_base + "/vol");  // at first a drive's root
        QCOMPARE(test::Texts(*form1.File1()), QStringList{"top.txt"});
        form1.Dir1()->SetPath(m_base + "/vol/deep");

        QTest::keyClick(drive1, Qt::Key_Up);  // back on the root drive: where the program started
        QCOMPARE(form1.Dir1()->Path(), m_base + "/data");
        QCOMPARE(form1.File1()->Path(), m_base + "/data");

        QTest::keyClick(drive1, Qt::Key_Down);  // the folder last shown on the second drive
        QCOMPARE(form1.Dir1()->Path(), m_base + "/vol/deep");
        QCOMPARE(form1.File1()->Path(), m_base + "/vol/deep");
    }

    void driveWhoseFolderHasGoneOpensTheNearestFolderAbove_data() {
        QTest::addColumn<QString>("change");
        QTest::newRow("deleted") << QStringLiteral("delete");
        QTest::newRow("renamed") << QStringLiteral("rename");
        QTest::newRow("covered by a volume mounted since") << QStringLiteral("mount");
    }

    void driveWhoseFolderHasGoneOpensTheNearestFolderAbove() {
        QFETCH(QString, change);
        QVERIFY(QDir(QFile::decodeName(m_base)).mkpath(QStringLiteral("vol/mid/deep")));
        Form1 form1;
        DriveList* drive1 = form1.Drive1();
        QList<QByteArray> volumes{"/", m_base + "/vol"};
        drive1->SetVolumeSource([&volumes] { return volumes; });
        QTest::keyClick(drive1, Qt::Key_Down);
        form1.Dir1()->SetPath(m_base + "/vol/mid/deep");
        QTest::keyClick(drive1, Qt::Key_Up);
        QCOMPARE(form1.Dir1()->Path(), m_base + "/data");

        const QByteArray deep = m_base + "/vol/mid/deep";
        if (change == "delete") {
            QVERIFY(QDir(QFile::decodeName(deep)).removeRecursively());
        } else if (change == "rename") {
            QCOMPARE(::rename(deep.constData(), (m_base + "/vol/mid/moved").constData()), 0);
        } else {
            volumes.push_back(m_base + "/vol/mid");
            drive1->Refresh();
        }
        test::ReportCatcher catcher;
        drive1->setCurrentIndex(static_cast<int>(drive1->Volumes().indexOf(m_base + "/vol")));
        emit drive1->activated(drive1->currentIndex());  // the user picks the second drive again
        QCOMPARE(catcher.reports, QStringList());
        // Still on that drive: the nearest folder above the remembered one that is on it.
        const QByteArray expected = change == "mount" ? m_base + "/vol" : m_base + "/vol/mid";
        QCOMPARE(form1.Dir1()->Path(), expected);
        QCOMPARE(form1.File1()->Path(), expected);
        QCOMPARE(drive1->SelectedVolume(), m_base + "/vol");
    }

    void driveListAlwaysOffersTheRootAndTheStartVolume_data() {
        QTest::addColumn<QList<QByteArray>>("table");
        // A chroot or a container may show no mount of the root, or none at all.
        QTest::newRow("empty table") << QList<QByteArray>{};
        QTest::newRow("table without the root") << QList<QByteArray>{"/proc-less", "/srv"};
        QTest::newRow("ordinary table") << QList<QByteArray>{"/", "/home", "/media/stick"};
    }

    void driveListAlwaysOffersTheRootAndTheStartVolume() {
        QFETCH(QList<QByteArray>, table);
        const QList<QByteArray> offered = DriveList::VolumesOffered(table, m_base);
        QVERIFY(offered.contains("/"));
        const QByteArray start = DriveList::MountPointOf(m_base);
        QVERIFY(offered.contains(start));
        for (const QByteArray& volume : table) {
            QVERIFY(offered.contains(volume));
        }
        // The start volume is the topmost folder on the start folder's device.
        QVERIFY(m_base == start || m_base.startsWith(start == "/" ? start : start + "/"));
        struct stat startInfo {};
        struct stat baseInfo {};
        QCOMPARE(::stat(start.constData(), &startInfo), 0);
        QCOMPARE(::stat(m_base.constData(), &baseInfo), 0);
        QCOMPARE(startInfo.st_dev, baseInfo.st_dev);

        // The window built on such a table starts with a drive selected.
        Form1 form1;
        form1.Drive1()->SetVolumeSource(
            [table, base = m_base] { return DriveList::VolumesOffered(table, base); });
        form1.Drive1()->ShowFolder(form1.Dir1()->Path());
        QVERIFY(form1.Drive1()->currentIndex() >= 0);
        QCOMPARE(form1.Drive1()->SelectedVolume(),
                 DriveList::VolumeOf(form1.Drive1()->Volumes(), m_base + "/data"));
    }

    void startFolderWhoseNameIsNotUtf8() {
        const QByteArray odd = m_base + "/bad\xffname";
        QCOMPARE(::mkdir(odd.constData(), 0700), 0);
        test::WriteFile(odd + "/one.txt", test::RepeatedFields("7", 62));
        QCOMPARE(::chdir(odd.constData()), 0);
        test::ReportCatcher catcher;
        Form1 form1;
        QCOMPARE(form1.Dir1()->Path(), odd);
        QCOMPARE(test::Texts(*form1.File1()), QStringList{"one.txt"});
        QVERIFY(test::DoubleClickFile(form1, "one.txt"));
        QCOMPARE(catcher.reports, QStringList());
        QVERIFY(form1.Plot() != nullptr);
        QCOMPARE(form1.Plot()->Picture().pixel(3, 1), qRgb(124, 124, 124));
    }

    void failedDriveChangeIsReportedAndTheBrowserStays() {
        Form1 form1;
        DriveList* drive1 = form1.Drive1();
        drive1->SetVolumeSource([base = m_base] {
            return QList<QByteArray>{base, base + "/gone"};
        });
        drive1->ShowFolder(form1.Dir1()->Path());
        test::ReportCatcher catcher;
        QTest::keyClick(drive1, Qt::Key_Down);
        QCOMPARE(catcher.reports.size(), 1);
        QVERIFY2(
            catcher.reports.first().startsWith("Error 76: Path not found: " + m_base + "/gone"),
            qPrintable(catcher.reports.first()));
        QCOMPARE(form1.Dir1()->Path(), m_base + "/data");
        QCOMPARE(drive1->SelectedVolume(), m_base);
    }

    void folderThatHasGoneIsReported() {
        Form1 form1;
        FolderList* dir1 = form1.Dir1();
        QVERIFY(QDir(QFile::decodeName(m_base + "/data/Beta")).removeRecursively());
        test::ReportCatcher catcher;
        dir1->SetCurrentRow(test::RowNamed(*dir1, QStringLiteral("Beta")));
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(catcher.reports.size(), 1);
        QVERIFY(catcher.reports.first().startsWith(QStringLiteral("Error 76")));
        QCOMPARE(dir1->Path(), m_base + "/data");
    }

    void unreadableFolderIsReported() {
        if (::geteuid() == 0) {
            QSKIP("root reads every folder");
        }
        Form1 form1;
        QVERIFY(QFile::setPermissions(QFile::decodeName(m_base + "/data/alpha"), {}));
        test::ReportCatcher catcher;
        FolderList* dir1 = form1.Dir1();
        dir1->SetCurrentRow(test::RowNamed(*dir1, QStringLiteral("alpha")));
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(catcher.reports.size(), 1);
        QVERIFY(catcher.reports.first().startsWith(QStringLiteral("Error 70")));
    }
};

QTEST_MAIN(BrowserTest)
#include "BrowserTest.moc"
