// The connection monitor's tick on the USB transport: lists the converters, identifies the
// controller behind one of them and makes that converter the selected one for every later
// exchange. MonitorShow says what the window then shows. Plain logic, no toolkit.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "device/link/device_link.h"

namespace orvel {

enum class MonitorFinding {
    CountFailed,  // listing failed; its error dialog was shown by the converter layer
    NoConverter,  // no converter plugged in
    NoneListed,   // the second count found none
    NoAnswer,     // converters, but no controller answered
    Identified,   // a controller answered; its converter is selected
};

struct MonitorResult {
    MonitorFinding finding = MonitorFinding::NoConverter;
    std::string shown_identity;  // as the title and the status bar show it, when identified
    std::string serial;          // the converter tried last, when none answered
};

// One tick. `pause` waits after a converter that cannot be listed (10 ms).
MonitorResult RunMonitorTick(DeviceLink& link, const std::function<void(std::chrono::milliseconds)>& pause);

// What the window shows after a tick. `last_identity` is the identity shown when a
// controller last answered (empty before): a converter whose controller stops answering
// says so, by that name, until it answers again; the title has lost its firmware text then.
struct MonitorShow {
    std::optional<std::string> title_right;   // else the base title alone
    std::optional<std::string> status_text;   // panel 0; nothing keeps it
    std::optional<bool> popup_items_enabled;  // the four popup transfer items; nothing keeps them
    bool operator==(const MonitorShow&) const = default;
};
MonitorShow ShowOfMonitor(const MonitorResult& result, const std::string& last_identity);

}  // namespace orvel
