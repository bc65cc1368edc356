// COM port numbers and the device paths they name.
// ZUDEDIZE_COM<n>=<path> in the environment names the device of port n and wins over a name
// the program gave it (NameComPort) and over the fixed ranges: 1-32 /dev/ttyS0-31, 33-64
// /dev/ttyUSB0-31, 65-96 /dev/ttyACM0-31.
#pragma once

#include <string>

namespace zudedize {

constexpr int kHighestPortNumber = 255;

// The device path of COM port n, or "" when n names no device.
std::string ComPortDevicePath(int n);

// Names `path` the device of COM port n for this copy of the library, in this process; ""
// takes the name back. For a program that was given a device's path and reaches it through
// a free port number.
void NameComPort(int n, const std::string& path);

// The device path of parallel port n: ZUDEDIZE_LPT<n> in the environment, else /dev/lp<n-1>;
// "" for 0.
std::string LptPortDevicePath(int n);

// The COM port number whose device is the same file as `device_path`, or 0 when none is.
int ComPortNumberOfDevice(const std::string& device_path);

}  // namespace zudedize
