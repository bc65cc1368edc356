// One run of the companion: what the command line asked for, the controller it reaches and
// everything the editor's commands work on.
#pragma once

#include <string>
#include <vector>

#include "cli/terminal_view.h"
#include "device/commands/transfer_commands.h"
#include "device/converter/d2xx_unit.h"
#include "device/converter/usb_converters.h"

namespace orvel {

// The command line, parsed: the controller's choice, the options of every command and the
// arguments of the one given.
struct Request {
    std::string serial;                                     // a USB converter's serial number
    int com_port = 0;                                       // a numbered serial port
    std::string device;                                     // a serial device's path, reached as a numbered port
    TransportKind transport = TransportKind::UsbConverter;  // settled by ChooseTransport
    bool verbose = false;
    bool assume_yes = false;

    int number = 0;   // a preset number or a bank digit
    int address = 0;  // a block address
    bool follow = false;
    bool json = false;
    std::string file;
    std::string into;
    std::string from;
    std::string second_file;         // the second file of diff, export-csv and import-csv
    std::vector<std::string> words;  // set: what to set, its number and the FIELD=VALUE pairs
};

// The transport the command line names: --com or --device the numbered serial port, --serial
// the USB converter. Without either, ORVEL_TRANSPORT (`transport_variable` its value, null
// when unset) may ask for the numbered serial port; else the USB converter.
TransportKind ChooseTransport(const Request& request, const char* transport_variable);

struct Companion {
    explicit Companion(const Request& request);

    const Request& request;
    TerminalView view;
    UsbConverters converters;
    D2XXUnit usb{converters, view};
    DeviceLink link;
    PresetTable table;
    SettingsData settings;
    TransferBuffer buffer{};
    LastReadImages last_read{};
    TransferSession session{link, table, settings, buffer, last_read, view};
    // Where the controller is looked for, as a failure names it: "COM 6 (/dev/ttyS5)",
    // "/dev/pts/3", "the converter KPX00001".
    std::string place;
    std::string identity;  // the controller's identity as shown, once Connect found it
};

// Prints "orvel-cli: " and the text as one line on standard error; the exit status 1.
int Fail(const std::string& text);
// The same line, for a step that answers whether it may go on: false.
bool Refuse(const std::string& text);

// "no controller answered on " and where: the line for a controller that stayed silent; for a
// device this user may not open, the line that names it and how to get access; for a port
// whose device is there but that did not open, "cannot open ", where, and the serial
// library's text and code.
std::string NoAnswerText(const Companion& c);

// On a numbered port or a device path: settles its COM port number and the place a failure
// names, without a word on the line. Nothing to do for a USB converter. False after saying
// why on standard error.
bool ChoosePort(Companion& c);

// Finds and identifies the controller: on the numbered port or device asked for, on the USB
// converter with the serial number asked for, or on the first USB converter whose
// controller answers. Its identification line is shown with --verbose. False after saying
// why on standard error.
bool Connect(Companion& c);

// The exit status of a transfer command: 0 when it was done. A failure has shown its own
// text, except a controller that did not identify itself, which is said here.
int ExitStatus(const Companion& c, TransferOutcome outcome);

}  // namespace orvel
