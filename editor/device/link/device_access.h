// Access to the converter or serial device on Linux: when the link could not open its device,
// whether the device is there but this user may not open it, and the text that says so by
// name instead of "No KPX-2/KPX-3 connected".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "device/link/device_link.h"

namespace orvel {

// A device node the link tries to open.
struct DeviceCandidate {
    std::string path;
    bool usb_converter = false;  // an FTDI converter, which the project's udev rule covers
};

// A device node that exists but refuses this process for lack of permission.
struct RefusedDevice {
    std::string path;
    bool usb_converter = false;
    std::string group;            // the node's group by name ("dialout"), else its number
    bool group_may_open = false;  // the node lets its group read and write
    std::string owner;            // the node's owner by name, else its number
    std::string user;             // this process's user by name, else its number
    bool user_in_group = false;   // the group database lists the user, the session lacks it
};

// The listed converters with this serial number; every listed converter when none has it.
std::vector<DeviceCandidate> ConverterCandidates(const std::string& serial);
// The device a numbered serial port names; none when the number names no device.
std::vector<DeviceCandidate> SerialPortCandidates(int port);
// What the link tries: its numbered port's device, or its chosen converter.
std::vector<DeviceCandidate> LinkCandidates(const DeviceLink& link);

// The first candidate that exists but that this process may not read and write (checked with
// the effective user and groups, ACLs included, without opening it). A missing node is not
// refused: it is not there.
std::optional<RefusedDevice> FindRefusedDevice(const std::vector<DeviceCandidate>& candidates);

// "No permission to open /dev/ttyUSB0. Add your user to its group "dialout" (…)".
std::string AccessRefusedText(const RefusedDevice& refused);

// What a transfer shows when the link did not open: why its port did not open although its
// device is there ("The serial port could not be opened: " and the serial library's text and
// code), the refusal when one of the link's devices refused this user, else "No KPX-2/KPX-3
// connected".
std::string NoControllerText(const DeviceLink& link);
// The port's failure or the refusal alone, for the places where nothing is said when no
// controller is there.
std::optional<std::string> LinkAccessProblem(const DeviceLink& link);

}  // namespace orvel
