// The device link: the transport chosen for the run and what the link keeps for it (the port
// box's number, the converter the connection monitor chose, the identified firmware version).
// Every exchange opens the link, moves its bytes one at a time and closes it again.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "device/converter/d2xx_unit.h"
#include "device/link/transport.h"

namespace orvel {

struct DeviceLink {
    // The link over the kind's own transport.
    DeviceLink(D2XXUnit& usb_unit, TransportKind kind);
    // The link over another transport standing in for the kind's (a scripted line).
    DeviceLink(D2XXUnit& usb_unit, TransportKind kind, std::unique_ptr<Transport> stand_in);

    D2XXUnit& usb;  // the USB converter layer, for listing and the upgrade
    TransportKind transport_kind;
    std::unique_ptr<Transport> transport;
    std::uint8_t port_number = 1;       // the window's port box, 1 to 99
    std::string selected_serial;        // the converter the connection monitor chose
    std::uint8_t firmware_version = 0;  // 0 until a controller has identified itself
};

// The transport of this kind over the converter layer `usb`.
std::unique_ptr<Transport> MakeTransport(TransportKind kind, D2XXUnit& usb);

inline bool UsesSerialPort(const DeviceLink& link)
{
    return link.transport_kind == TransportKind::SerialPort;
}

// Opens the link for an exchange: the numbered serial port `port`, or the USB converter with
// this serial number. False when it did not open.
bool OpenLink(DeviceLink& link, std::uint8_t port, const std::string& serial);
// True when the link closed cleanly.
bool CloseLink(DeviceLink& link);

}  // namespace orvel
