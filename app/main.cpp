// Varneska: creates and shows the main window and runs the event loop until the last window
// closes. It keeps no state between starts.
//
// The command line is an extension for desktops and shells: "varneska FILE" plots FILE at once
// (it is how file managers open a file with the program), --help and --version answer and exit.
// Without arguments the program starts exactly as it always has.

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <optional>

#include "windows/Form1.h"

namespace {

bool HasDisplay() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
}

// The file named on the command line, as the bytes it was given in; empty for none. It answers
// --help and --version itself and refuses anything else, returning the exit status then.
std::optional<int> ReadCommandLine(int argc, char** argv, QByteArray& file) {
    const QCoreApplication core(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Turns a text file of numbers into a grey-level picture."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("A data file to plot at once (optional)."),
                                 QStringLiteral("[file]"));
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "varneska: %s See varneska --help.\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(version)) {
        std::printf("varneska %s\n", qPrintable(QCoreApplication::applicationVersion()));
        return 0;
    }
    if (parser.positionalArguments().size() > 1) {
        std::fputs("varneska: one file at most. See varneska --help.\n", stderr);
        return 2;
    }
    // The name's bytes from argv itself: the decoded arguments turn bytes that are not UTF-8
    // into replacement characters.
    bool optionsOver = false;
    for (int i = 1; i < argc; ++i) {
        if (!optionsOver && std::strcmp(argv[i], "--") == 0) {
            optionsOver = true;
        } else if (optionsOver || argv[i][0] != '-' || argv[i][1] == '\0') {
            file = argv[i];
            break;
        }
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("Varneska"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VARNESKA_VERSION));
    QByteArray file;
    if (argc > 1) {
        if (const std::optional<int> status = ReadCommandLine(argc, argv, file)) {
            return *status;
        }
    }
    if (!HasDisplay()) {
        std::fputs(
            "varneska: no display to open its windows on (neither DISPLAY nor WAYLAND_DISPLAY is "
            "set).\nStart it from a desktop session, or in a virtual X server:\n"
            "  xvfb-run -a varneska\n",
            stderr);
        return 2;
    }
    QApplication application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("org.varneska.Varneska"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("varneska"),
                                                 QIcon(QStringLiteral(":/icons/varneska.png"))));
    varneska::Form1 form1;
    form1.show();
    if (!file.isEmpty()) {
        // Inside the event loop, as a double-click would be.
        QTimer::singleShot(0, &form1, [&form1, &file] { form1.OpenPath(file); });
    }
    return QApplication::exec();
}
