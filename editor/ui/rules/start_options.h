// What the command line and the desktop decide at start: test mode, the transport, and the
// screen the window is laid out for. Plain functions, no toolkit.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace orvel {

// Test mode: the first argument after the program's name equals "ZEBU" in any mix of cases.
// `arguments` is the whole command line, the program's name first.
bool IsTestMode(const std::vector<std::string>& arguments);

// Whether "--serial-port" is anywhere on the command line (after the program's name).
bool AsksForSerialPort(const std::vector<std::string>& arguments);

// Sets ORVEL_TRANSPORT=serial when the command line asks for the serial port, so that the
// device link takes the numbered serial port for the whole run. Returns whether it did.
bool ApplyTransportOption(const std::vector<std::string>& arguments);

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
