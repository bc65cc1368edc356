// orvel: the editor. Creates the main window (which runs its start-up sequence), the port
// number dialog, and runs until the window closes, when Orvel.ini is written.
//
//   orvel [ZEBU] [--serial-port]
//   orvel --help | --version     (printed on the terminal; no window, no display needed)
//
// A first argument "ZEBU" (any case) shows "Check &default"; "--serial-port" anywhere
// reaches the controller through the numbered serial port of the port box instead of the
// USB converter (as ORVEL_TRANSPORT=serial does; the option wins over the variable).
#include <QApplication>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "ui/qt_values.h"
#include "ui/rules/program_help.h"
#include "ui/rules/start_options.h"
#include "ui/rules/version.h"
#include "ui/window/main_form.h"

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv, argv + argc);
    if (const auto text = orvel::HelpOrVersionText(arguments)) {  // on a terminal, no display needed
        std::cout << *text;
        return 0;
    }
    orvel::MainFormOptions options;
    options.transport = orvel::StartTransport(arguments, std::getenv(std::string(orvel::kTransportVariable).c_str()));

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvel"));
    QApplication::setApplicationVersion(orvel::QtText(orvel::kVersionText));
    QApplication::setDesktopFileName(QStringLiteral("orvel"));

    orvel::TMainForm window(QApplication::arguments(), std::move(options));
    window.CreatePortNumberDialog();
    window.show();
    return QApplication::exec();
}
