#pragma once
// Helpers for the window tests: a scratch folder to start the program in and the fixture that
// gives every test function one, data files written from values, the rows of a list, a
// double-click on a file of the real file list, and a catcher that reads and dismisses error
// reports as a user would.

#include <QByteArray>
#include <QObject>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "tests/Fields.h"

namespace varneska {
class EntryList;
class Form1;
}  // namespace varneska

namespace varneska::test {

// How many times longer a step may take in the sanitizer build, for tests with time limits.
#ifdef VARNESKA_SANITIZED
inline constexpr int kSlowdown = 8;
#else
inline constexpr int kSlowdown = 1;
#endif

// A fresh folder that is the current folder while it lives, so a main window starts in it.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    bool IsValid() const { return m_folder.isValid(); }
    // Its path with links resolved, as the folder list shows it.
    const QByteArray& Path() const noexcept { return m_path; }

private:
    QTemporaryDir m_folder;
    QByteArray m_path;
    QString m_previous;
};

// The fixture the window tests share: every test function runs in a fresh scratch folder, the
// process's current folder while it runs, at m_base. A test class with set-up of its own has an
// init() slot that calls ScratchFolderTest::init() first.
class ScratchFolderTest : public QObject {
    Q_OBJECT

protected slots:
    void init();
    void cleanup();

protected:
    QByteArray m_base;

private:
    std::unique_ptr<ScratchFolder> m_scratch;
};

// The texts a list shows, top to bottom.
QStringList Texts(const EntryList& list);

// The first row whose text, without its indentation, is name; -1 when there is none.
int RowNamed(const EntryList& list, const QString& name);

// Writes bytes to path, replacing what was there.
void WriteFile(const QByteArray& path, const std::string& bytes);

// Double-clicks the entry of File1 whose name is fileName, with real mouse events on the list.
// Returns false when the list does not show that file.
bool DoubleClickFile(Form1& form1, const QByteArray& fileName);

// While it lives, dismisses every error report that opens, keeping its number line and its
// description, and how the user saw the description.
class ReportCatcher : public QObject {
public:
    ReportCatcher();
    QStringList reports;
    QList<bool> onOneLine;   // the description fitted the width of its box
    QList<bool> selectable;  // the description could be selected with the mouse

private:
    QTimer m_timer;
};

}  // namespace varneska::test
