// Varneska: creates and shows the main window and runs the event loop until the last window
// closes. It takes no command line of its own and keeps no state between starts.

#include <QApplication>
#include <QIcon>
#include <cstdio>

#include "windows/Form1.h"

namespace {

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

}  // namespace

int main(int argc, char** argv) {
    if (!HasDisplay()) {
        std::fputs(
            "varneska: no display to open its windows on (neither DISPLAY nor WAYLAND_DISPLAY is "
            "set).\nStart it from a desktop session, or in a virtual X server:\n"
            "  xvfb-run -a varneska\n",
            stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varneska"));
    QGuiApplication::setDesktopFileName(QStringLiteral("varneska"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("varneska"),
                                                 QIcon(QStringLiteral(":/icons/varneska.png"))));
    varneska::Form1 form1;
    form1.show();
    return QApplication::exec();
}
