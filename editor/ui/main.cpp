// orvel: the editor. Creates the main window (which runs its start-up sequence), the port
// number dialog, and runs until the window closes, when Orvel.ini is written.
//
//   orvel [ZEBU] [--serial-port] [FILE]
//   orvel --help | --version     (printed on the terminal; no window, no display needed)
//
// A first argument "ZEBU" (any case) shows "Check &default"; "--serial-port" anywhere
// reaches the controller through the numbered serial port of the port box instead of the
// USB converter (as ORVEL_TRANSPORT=serial does; the option wins over the variable). FILE,
// a preset file, is opened after Orvel.ini. Without a display the editor says so in one
// line and exits with status 2.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>

#include "orvel/version.h"
#include "ui/qt_values.h"
#include "ui/rules/program_help.h"
#include "ui/rules/start_options.h"
#include "ui/window/main_form.h"

namespace {

constexpr int kNoDisplayStatus = 2;

// While the application connects to the display: a platform that cannot start is a
// display the user does not have, said in one line instead of Qt's advice and an abort. The
// line ends with the platform's own reason (its first warning: the display it could not
// reach; the later ones are about its plugin).
std::string first_platform_warning;

void NoDisplayHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtFatalMsg) {  // the fatal message follows the warnings that explain it
        if (first_platform_warning.empty()) first_platform_warning = message.simplified().toStdString();
        return;
    }
    std::string line =
        "orvel: cannot open a display: the editor's window needs a graphical session "
        "(DISPLAY or WAYLAND_DISPLAY); orvel-cli works without one";
    if (!first_platform_warning.empty()) line += " (" + first_platform_warning + ")";
    line += '\n';
    std::fputs(line.c_str(), stderr);
    std::_Exit(kNoDisplayStatus);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> arguments(argv, argv + argc);
    if (const auto text = orvel::HelpOrVersionText(arguments)) {  // on a terminal, no display needed
        std::cout << *text;
        return 0;
    }
    orvel::MainFormOptions options;
    options.transport = orvel::StartTransport(arguments, std::getenv(std::string(orvel::kTransportVariable).c_str()));

    const QtMessageHandler usual = qInstallMessageHandler(NoDisplayHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(usual);
    QApplication::setApplicationName(QStringLiteral("Orvel"));
    QApplication::setApplicationVersion(orvel::QtText(orvel::kVersionText));
    QApplication::setDesktopFileName(QStringLiteral("orvel"));

    // What Qt left of the command line (its own options taken out), as bytes: a file name
    // that is not UTF-8 opens the file it names.
    const std::vector<std::string> remaining(argv, argv + argc);
    options.start_file = orvel::StartFile(remaining);

    orvel::TMainForm window(QApplication::arguments(), std::move(options));
    window.CreatePortNumberDialog();
    window.show();
    return QApplication::exec();
}
