#pragma once
// Helpers for the window tests: data files written from values, a double-click on a file of the
// real file list, and a catcher that reads and dismisses error reports as a user would.

#include <QByteArray>
#include <QStringList>
#include <QTimer>
#include <string>
#include <vector>

namespace varneska {
class Form1;
}

namespace varneska::test {

// The text of fields for the given numbers: a sign column, the number, a closing space each.
std::string Fields(const std::vector<std::string>& numbers);

// Writes bytes to path, replacing what was there.
void WriteFile(const QByteArray& path, const std::string& bytes);

// Double-clicks the entry of File1 whose name is fileName, with real mouse events on the list.
// Returns false when the list does not show that file.
bool DoubleClickFile(Form1& form1, const QByteArray& fileName);

// While it lives, dismisses every error report that opens, keeping its number line and its
// description.
class ReportCatcher : public QObject {
public:
    ReportCatcher();
    QStringList reports;

private:
    QTimer m_timer;
};

}  // namespace varneska::test
