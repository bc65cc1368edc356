// What the command line and the desktop decide at start: test mode, the transport, and the
// screen the window is laid out for. Plain functions, no toolkit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "device/link/transport.h"

namespace orvel {

// Test mode: the first argument after the program's name equals "ZEBU" in any mix of cases.
// `arguments` is the whole command line, the program's name first.
bool IsTestMode(const std::vector<std::string>& arguments);

// Whether "--serial-port" is anywhere on the command line (after the program's name).
bool AsksForSerialPort(const std::vector<std::string>& arguments);

// The preset file named on the command line: the first argument after the program's name
// that is not an option (it does not begin with "-") and not the test word in first place;
// none without one. The name's bytes are kept as given.
std::optional<std::string> StartFile(const std::vector<std::string>& arguments);

// The transport for the whole run: the numbered serial port when the command line asks for
// it; else what ORVEL_TRANSPORT asks for (`transport_variable` its value, null when unset);
// else the USB converter.
TransportKind StartTransport(const std::vector<std::string>& arguments, const char* transport_variable);

// A monitor's place on the desktop.
struct MonitorGeometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The monitor the window is laid out for: the first whose left edge is 0, else the first;
// 0 for no monitors.
std::size_t ChooseMonitor(const std::vector<MonitorGeometry>& monitors);

}  // namespace orvel
