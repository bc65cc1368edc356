#include "cli/companion.h"

#include <iostream>

#include "cli/device_port.h"
#include "device/link/device_access.h"
#include "device/protocol/command_protocol.h"
#include "device/protocol/controller_identity.h"
#include "device/protocol/serial_port_identity.h"
#include "zudedize/port_names.h"

namespace orvel {

namespace {

bool ConnectUsb(Companion& c)
{
    const Request& r = c.request;
    c.place = r.serial.empty() ? "any USB converter" : "the converter " + r.serial;
    if (c.usb.GetFTDeviceCount() != kFtOk || c.usb.DeviceCount() == 0) return Refuse("no USB converter found");
    std::string tried;  // the serial numbers of the converters asked
    for (std::uint32_t i = 0; i < c.usb.DeviceCount(); ++i) {
        if (c.usb.GetSerialNumberByIndex(static_cast<std::int32_t>(i)) != kFtOk) continue;
        const std::string serial = c.usb.LastListedSerial();
        if (!r.serial.empty() && serial != r.serial) continue;
        tried += (tried.empty() ? "" : ", ") + serial;
        std::string identity;
        if (!QueryIdentityUsb(c.link, serial, identity)) continue;
        c.link.selected_serial = serial;
        c.identity = ShownIdentity(identity);
        c.view.ControllerIdentified(c.identity);
        return true;
    }
    if (tried.empty()) return Refuse("no USB converter with serial number " + r.serial + " found");
    if (r.serial.empty()) c.place += " (" + tried + ")";
    return Refuse(NoAnswerText(c));
}

}  // namespace

TransportKind ChooseTransport(const Request& r, const char* transport_variable)
{
    if (r.com_port != 0 || !r.device.empty()) return TransportKind::SerialPort;
    if (!r.serial.empty()) return TransportKind::UsbConverter;
    return TransportNamedBy(transport_variable).value_or(TransportKind::UsbConverter);
}

Companion::Companion(const Request& r)
    : request(r),
      view(r.assume_yes, r.verbose, r.com_port != 0 ? std::optional<int>(r.com_port) : std::nullopt),
      link(usb, r.transport)
{
}

int Fail(const std::string& text)
{
    std::cerr << "orvel-cli: " << text << std::endl;
    return 1;
}

bool Refuse(const std::string& text)
{
    Fail(text);
    return false;
}

std::string NoAnswerText(const Companion& c)
{
    if (const std::string failure = c.link.transport->OpenFailure(); !failure.empty())
        return "cannot open " + c.place + ": " + failure;
    const auto tried =
        UsesSerialPort(c.link) ? SerialPortCandidates(c.link.port_number) : ConverterCandidates(c.request.serial);
    if (const auto refused = FindRefusedDevice(tried)) return AccessRefusedText(*refused);
    return "no controller answered on " + c.place;
}

bool ChoosePort(Companion& c)
{
    if (!UsesSerialPort(c.link)) return true;
    const Request& r = c.request;
    int port = r.com_port;
    if (!r.device.empty()) {
        std::string problem;
        port = PortNumberForDevice(r.device, problem);
        if (port == 0) return Refuse(problem);
        c.place = r.device;
    } else if (port == 0) {
        return Refuse("the serial port transport needs --com N or --device PATH");
    } else {
        const std::string path = zudedize::ComPortDevicePath(port);
        c.place = "COM " + std::to_string(port) + (path.empty() ? "" : " (" + path + ")");
    }
    c.link.port_number = static_cast<std::uint8_t>(port);
    c.view.SetPortAnswer(port);
    return true;
}

bool Connect(Companion& c)
{
    if (!UsesSerialPort(c.link)) return ConnectUsb(c);
    if (!ChoosePort(c)) return false;
    if (!QueryIdentitySerial(c.link, c.link.port_number, c.identity)) return Refuse(NoAnswerText(c));
    c.view.ControllerIdentified(c.identity);
    return true;
}

int ExitStatus(const Companion& c, TransferOutcome outcome)
{
    if (outcome == TransferOutcome::Done) return 0;
    if (outcome == TransferOutcome::NotIdentified) return Fail(NoAnswerText(c));
    return 1;
}

}  // namespace orvel
