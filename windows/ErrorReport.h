#pragma once
// ErrorReport: the message box that tells the user why a run or a browser change failed, with
// the error's number and its description. The program goes on after it.

#include <QString>
#include <functional>

class QWidget;

namespace varneska {

class ErrorReport {
public:
    // Modal over parent; returns once the user has dismissed it.
    static void Show(QWidget* parent, int number, const QString& description);

    // Runs action, the work of one event handler, and reports whatever it fails with: a
    // RunError as it is, running out of memory as error 7, any other failure as error 51. Nothing
    // is let through to Qt's event loop, except RunAbandoned, which the handler must see.
    // Returns whether the action went through.
    static bool Guard(QWidget* parent, const std::function<void()>& action);

    // The object name of the box, for anything that has to find it on the screen.
    static constexpr const char* kObjectName = "ErrorReport";
};

}  // namespace varneska
