#include "ui/rules/program_help.h"

#include "orvel/version.h"

namespace orvel {

namespace {

constexpr const char* kHelpText =
    "Usage: orvel [--serial-port] [FILE]\n"
    "Orvel, the editor and librarian of the KPX-2 and KPX-3 foot controllers: it edits the\n"
    "controller's 100 presets, bank functions and global settings, keeps whole set-ups in\n"
    "preset files, transfers them to and from the controller and upgrades its firmware.\n"
    "FILE, a preset file, is opened at start (it wins over the file Orvel.ini remembers).\n"
    "The window needs a display; without one it says so and exits with status 2.\n"
    "\n"
    "Options:\n"
    "  --serial-port  reach the controller through the numbered serial port of the\n"
    "                 Settings page's port box instead of the USB converter\n"
    "  -h, --help     print this help and exit\n"
    "  --version      print the version and exit\n"
    "\n"
    "Environment:\n"
    "  ORVEL_TRANSPORT=serial  the same as --serial-port\n"
    "  ORVEL_SYSROOT=DIR       look for USB converters under DIR/sys and DIR/dev\n"
    "  ZUDEDIZE_COM<N>=PATH    the device of COM port N (otherwise 1-32 are /dev/ttyS0-31,\n"
    "                          33-64 /dev/ttyUSB0-31, 65-96 /dev/ttyACM0-31)\n"
    "\n"
    "Files:\n"
    "  $XDG_CONFIG_HOME/orvel/ (else ~/.config/orvel/) holds Orvel.ini, which keeps the COM\n"
    "  port and the last preset file, recent.ini and print.ini; an Orvel.ini in the working\n"
    "  folder (a portable folder) is read and updated there instead.\n"
    "\n"
    "Access to the converter: the user needs to be in the group of its device node (usually\n"
    "dialout), or the udev rule 60-orvel-kpx.rules installed with Orvel gives the user logged\n"
    "in at the seat access to FTDI converters.\n";

}  // namespace

std::optional<std::string> HelpOrVersionText(const std::vector<std::string>& arguments)
{
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h") return std::string(kHelpText);
        if (arguments[i] == "--version") return "orvel " + std::string(kVersionText) + "\n";
    }
    return std::nullopt;
}

}  // namespace orvel
