#pragma once
// ErrorReport: the message box that tells the user why a run or a browser change failed, with
// the error's number and its description. The program goes on after it.

#include <QString>

class QWidget;

namespace varneska {

class ErrorReport {
public:
    // Modal over parent; returns once the user has dismissed it.
    static void Show(QWidget* parent, int number, const QString& description);

    // The object name of the box, for anything that has to find it on the screen.
    static constexpr const char* kObjectName = "ErrorReport";
};

}  // namespace varneska
