// The browser on the file systems people really have: a huge folder, awkward names, folders
// that go away while shown, links, special files and volumes that come and go. Nothing may hang
// or crash; where something cannot be done the user gets a report naming the path, and the
// program goes on.

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>
#include <memory>

#include "tests/windows/WindowTestSupport.h"
#include "windows/DriveList.h"
#include "windows/EntryList.h"
#include "windows/FileList.h"
#include "windows/FolderList.h"
#include "windows/Form1.h"
#include "windows/Form2.h"

using namespace varneska;

namespace {

using test::kSlowdown;

// Makes folder with empty files f000000.txt, ... and subfolders d000000, ...
bool MakeEntries(const QByteArray& folder, int files, int subfolders) {
    if (::mkdir(folder.constData(), 0700) != 0) {
        return false;
    }
    char name[32];
    for (int i = 0; i < files; ++i) {
        std::snprintf(name, sizeof name, "/f%06d.txt", i);
        const int fd = ::open((folder + name).constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0600);
        if (fd < 0) {
            return false;
        }
        ::close(fd);
    }
    for (int i = 0; i < subfolders; ++i) {
        std::snprintf(name, sizeof name, "/d%06d", i);
        if (::mkdir((folder + name).constData(), 0700) != 0) {
            return false;
        }
    }
    return true;
}

// 62 fields of 7: one cell of grey 124 at the start of row 1.
const std::string kOneCell = test::RepeatedFields("7", 62);

}  // namespace

class FileSystemTest : public test::ScratchFolderTest {
    Q_OBJECT

private slots:

    void hundredThousandEntriesDoNotHoldTheWindows_data() {
        QTest::addColumn<bool>("subfolders");
        QTest::newRow("files") << false;
        QTest::newRow("subfolders") << true;
    }

    void hundredThousandEntriesDoNotHoldTheWindows() {
        QFETCH(bool, subfolders);
        const QByteArray big = m_base + "/big";
        QVERIFY(MakeEntries(big, subfolders ? 0 : 100000, subfolders ? 100000 : 0));
        Form1 form1;
        form1.show();
        QElapsedTimer clock;
        clock.start();
        form1.Dir1()->SetPath(big);
        const qint64 returned = clock.elapsed();
        QCOMPARE(form1.Dir1()->Path(), big);
        EntryList* list = subfolders ? static_cast<EntryList*>(form1.Dir1()) : form1.File1();
        const int first = subfolders ? test::RowNamed(*form1.Dir1(), QStringLiteral("big")) + 1 : 0;
        QTRY_COMPARE_WITH_TIMEOUT(list->Count(), first + 100000, 10000 * kSlowdown);
        const qint64 filled = clock.elapsed();
        qInfo("folder shown after %lld ms, filled after %lld ms", returned, filled);
        QVERIFY2(filled < 1000 * kSlowdown, "a folder of 100,000 entries opens within a second");
        // The folder is read on a worker thread: opening it returns to the event loop long
        // before the list is filled, so the windows stay live meanwhile.
        QVERIFY2(returned < 250 * kSlowdown, "opening the folder does not hold up the windows");
        QCOMPARE(list->Text(first).trimmed(),
                 QString::fromLatin1(subfolders ? "d000000" : "f000000.txt"));
        QCOMPARE(list->Text(first + 99999).trimmed(),
                 QString::fromLatin1(subfolders ? "d099999" : "f099999.txt"));
        QCOMPARE(form1.Dir1()->CurrentRow(), test::RowNamed(*form1.Dir1(), QStringLiteral("big")));
    }

    void listingFinishedAfterTheUserMovedOnIsDropped() {
        const QByteArray big = m_base + "/big";
        QVERIFY(MakeEntries(big, 100000, 30000));  // both lists wait for a worker
        QCOMPARE(::mkdir((m_base + "/small").constData(), 0700), 0);
        test::WriteFile(m_base + "/small/only.txt", kOneCell);
        Form1 form1;
        form1.Dir1()->SetPath(big);
        QVERIFY(form1.File1()->Filling());
        form1.Dir1()->SetPath(m_base + "/small");  // before the big listings are in
        QTest::qWait(1500 * kSlowdown);            // long enough for them to finish
        QCOMPARE(test::Texts(*form1.File1()), QStringList{"only.txt"});
        QCOMPARE(form1.Dir1()->Path(), m_base + "/small");
        QCOMPARE(test::RowNamed(*form1.Dir1(), QStringLiteral("d000000")), -1);
    }

    void awkwardNamesAreListedAndOpen_data() {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("spaces") << QByteArray("with  two spaces.txt");
        QTest::newRow("leading space") << QByteArray(" leading.txt");
        QTest::newRow("newline") << QByteArray("new\nline.txt");
        QTest::newRow("tab") << QByteArray("tab\there.txt");
        QTest::newRow("leading dashes") << QByteArray("--help");
        QTest::newRow("not UTF-8") << QByteArray("\xff\xfe\x80.txt");
        QTest::newRow("quotes and backslash") << QByteArray("a'b\"c\\d.txt");
        QTest::newRow("UTF-8") << QByteArray("gr\xc3\xbc\xc3\x9f.txt");
    }

    void awkwardNamesAreListedAndOpen() {
        QFETCH(QByteArray, name);
        test::WriteFile(m_base + "/" + name, kOneCell);
        Form1 form1;
        QVERIFY(form1.File1()->RowOf(name) >= 0);
        QVERIFY(!form1.File1()->Text(form1.File1()->RowOf(name)).contains(QLatin1Char('\n')));
        test::ReportCatcher catcher;
        QVERIFY(test::DoubleClickFile(form1, name));
        QCOMPARE(catcher.reports, QStringList());
        QVERIFY(form1.Plot() != nullptr);
        QCOMPARE(form1.Plot()->Picture().pixel(2, 1), qRgb(124, 124, 124));
    }

    void folderDeletedOrRenamedWhileShown_data() {
        QTest::addColumn<bool>("renamed");
        QTest::newRow("deleted") << false;
        QTest::newRow("renamed") << true;
    }

    void folderDeletedOrRenamedWhileShown() {
        QFETCH(bool, renamed);
        const QByteArray shown = m_base + "/shown";
        QVERIFY(QDir().mkpath(QFile::decodeName(shown + "/inner")));
        test::WriteFile(shown + "/data.txt", kOneCell);
        Form1 form1;
        form1.Dir1()->SetPath(shown);
        QCOMPARE(form1.File1()->Count(), 1);
        if (renamed) {
            QCOMPARE(::rename(shown.constData(), (m_base + "/moved").constData()), 0);
        } else {
            QVERIFY(QDir(QFile::decodeName(shown)).removeRecursively());
        }

        test::ReportCatcher catcher;
        QVERIFY(test::DoubleClickFile(form1, "data.txt"));
        FolderList* dir1 = form1.Dir1();
        dir1->SetCurrentRow(test::RowNamed(*dir1, QStringLiteral("inner")));
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(catcher.reports.size(), 2);
        QVERIFY2(catcher.reports[0].startsWith("Error 76: Path not found: " + shown + "/data.txt"),
                 qPrintable(catcher.reports[0]));
        QVERIFY2(catcher.reports[1].startsWith("Error 76: Path not found: " + shown + "/inner"),
                 qPrintable(catcher.reports[1]));
        QCOMPARE(form1.Plot(), nullptr);
        QCOMPARE(dir1->Path(), shown);

        // Up the chain still works.
        dir1->SetCurrentRow(test::RowNamed(*dir1, QFileInfo(QFile::decodeName(m_base)).fileName()));
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(dir1->Path(), m_base);
        QCOMPARE(catcher.reports.size(), 2);
    }

    void linksAreFollowedAndBrokenOnesLeftOut() {
        QVERIFY(QDir().mkpath(QFile::decodeName(m_base + "/real")));
        test::WriteFile(m_base + "/real/inside.txt", kOneCell);
        test::WriteFile(m_base + "/target.txt", kOneCell);
        QCOMPARE(::symlink("real", (m_base + "/linked").constData()), 0);
        QCOMPARE(::symlink("target.txt", (m_base + "/alias.txt").constData()), 0);
        QCOMPARE(::symlink("loop-b", (m_base + "/loop-a").constData()), 0);
        QCOMPARE(::symlink("loop-a", (m_base + "/loop-b").constData()), 0);
        QCOMPARE(::symlink("nowhere", (m_base + "/dangling.txt").constData()), 0);
        Form1 form1;

        QStringList files;
        for (int row = 0; row < form1.File1()->Count(); ++row) {
            files.push_back(form1.File1()->Text(row));
        }
        QCOMPARE(files, (QStringList{"alias.txt", "target.txt"}));
        FolderList* dir1 = form1.Dir1();
        QVERIFY(test::RowNamed(*dir1, QStringLiteral("linked")) >= 0);
        QCOMPARE(test::RowNamed(*dir1, QStringLiteral("loop-a")), -1);

        QVERIFY(test::DoubleClickFile(form1, "alias.txt"));
        QVERIFY(form1.Plot() != nullptr);
        dir1->SetCurrentRow(test::RowNamed(*dir1, QStringLiteral("linked")));
        QTest::keyClick(dir1, Qt::Key_Return);
        QCOMPARE(dir1->Path(), m_base + "/linked");
        QCOMPARE(form1.File1()->Text(0), QStringLiteral("inside.txt"));
    }

    void specialFilesAreNotListed() {
        QCOMPARE(::mkfifo((m_base + "/pipe").constData(), 0600), 0);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray socketPath = m_base + "/socket";
        std::strncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path - 1);
        QCOMPARE(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
        test::WriteFile(m_base + "/plain.txt", kOneCell);
        Form1 form1;
        QCOMPARE(form1.File1()->Count(), 1);
        QCOMPARE(form1.File1()->Key(0), QByteArray("plain.txt"));
        ::close(fd);
        // Devices neither.
        form1.File1()->SetPath("/dev");
        QCOMPARE(form1.File1()->RowOf("null"), -1);
        QCOMPARE(form1.File1()->RowOf("zero"), -1);
    }

    void volumeUnmountedWhileShown() {
        const QByteArray volume = m_base + "/volume";
        QVERIFY(QDir().mkpath(QFile::decodeName(volume + "/sub")));
        test::WriteFile(volume + "/sub/data.txt", kOneCell);
        QList<QByteArray> mounted{"/", volume};
        Form1 form1;
        DriveList* drive1 = form1.Drive1();
        drive1->SetVolumeSource([&mounted] { return mounted; });
        form1.Dir1()->SetPath(volume + "/sub");
        QCOMPARE(drive1->SelectedVolume(), volume);

        // The volume goes: its folders vanish and the drive list drops it.
        QVERIFY(QDir(QFile::decodeName(volume)).removeRecursively());
        mounted = {"/"};
        drive1->Refresh();
        QCOMPARE(drive1->Volumes(), QList<QByteArray>{"/"});
        QCOMPARE(drive1->SelectedVolume(), QByteArray("/"));

        test::ReportCatcher catcher;
        QVERIFY(test::DoubleClickFile(form1, "data.txt"));
        QCOMPARE(catcher.reports.size(), 1);
        QVERIFY(catcher.reports[0].startsWith(QStringLiteral("Error 76")));
        // A volume mounted meanwhile appears, and the selection stays.
        QVERIFY(QDir().mkpath(QFile::decodeName(m_base + "/other")));
        mounted = {"/", m_base + "/other"};
        drive1->Refresh();
        QCOMPARE(drive1->Volumes(), (QList<QByteArray>{"/", m_base + "/other"}));
        QCOMPARE(drive1->SelectedVolume(), QByteArray("/"));
        QTest::keyClick(drive1, Qt::Key_Down);
        QCOMPARE(form1.Dir1()->Path(), m_base + "/other");
    }
};

QTEST_MAIN(FileSystemTest)
#include "FileSystemTest.moc"
