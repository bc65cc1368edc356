#include "device/commands/connection_monitor.h"

#include "device/controller_constants.h"
#include "device/protocol/command_protocol.h"
#include "device/protocol/controller_identity.h"

namespace orvel {

namespace {
constexpr std::chrono::milliseconds kUnlistedPause{10};
}

MonitorResult RunMonitorTick(DeviceLink& link, const std::function<void(std::chrono::milliseconds)>& pause)
{
    D2XXUnit& usb = link.usb;
    usb.CloseDevice();  // a converter left open is released
    if (usb.GetFTDeviceCount() != kFtOk) return {MonitorFinding::CountFailed, {}, {}};
    if (usb.DeviceCount() == 0) return {MonitorFinding::NoConverter, {}, {}};
    usb.ClearLastListedSerial();
    if (usb.GetFTDeviceCount() != kFtOk || usb.DeviceCount() == 0) return {MonitorFinding::NoneListed, {}, {}};
    const auto count = static_cast<std::int32_t>(usb.DeviceCount());
    for (std::int32_t i = 0; i < count; ++i) {
        if (usb.GetSerialNumberByIndex(i) != kFtOk) {
            pause(kUnlistedPause);
            continue;
        }
        link.selected_serial = usb.LastListedSerial();
        std::string identity;
        if (!QueryIdentityUsb(link, link.selected_serial, identity)) continue;
        return {MonitorFinding::Identified, ShownIdentity(identity), {}};
    }
    return {MonitorFinding::NoAnswer, {}, link.selected_serial};
}

MonitorShow ShowOfMonitor(const MonitorResult& result, const std::string& last_identity)
{
    MonitorShow show;
    switch (result.finding) {
    case MonitorFinding::NoConverter:
        show.status_text = "";
        show.popup_items_enabled = false;
        break;
    case MonitorFinding::Identified:
        show.title_right = kTitleFirmwarePrefix + result.shown_identity;
        show.status_text = result.shown_identity + kTextConnectedSuffix;
        show.popup_items_enabled = true;
        break;
    case MonitorFinding::NoAnswer:
        show.status_text = (last_identity.empty() ? std::string(kTextAnyController) : last_identity) +
                           kTextNotAnsweringOn + result.serial;
        break;
    case MonitorFinding::CountFailed:
    case MonitorFinding::NoneListed: break;
    }
    return show;
}

}  // namespace orvel
