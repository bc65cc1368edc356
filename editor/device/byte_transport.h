// The link to the controller: open, close, send one byte, receive one byte, over either the
// USB converter or a numbered serial port (the serial port library's threaded variant). Every exchange opens the link, moves its bytes one
// at a time and closes it again.
#pragma once

#include <cstdint>
#include <string>

#include "d2xx_unit.h"

namespace orvel {

// How the controller is reached, fixed for the run: kinds 0 to 2 use a numbered serial port,
// kind 3 the USB converter.
using PlatformKind = std::int16_t;
constexpr PlatformKind kPlatformSerialFirst = 0;
constexpr PlatformKind kPlatformSerialLast = 2;
constexpr PlatformKind kPlatformUsb = 3;

// Kind 3 unless ORVEL_TRANSPORT=serial is set in the environment (the editor's and the
// companion's --com option set it too), which gives kind 0.
PlatformKind GetPlatformKind();

// Everything the link keeps for the run.
struct DeviceLink {
    DeviceLink(D2XXUnit& usb_unit, PlatformKind kind) : usb(usb_unit), platform_kind(kind) {}

    D2XXUnit& usb;
    PlatformKind platform_kind;
    std::uint8_t port_number = 1;            // the window's port box, 1 to 99
    std::string selected_serial;             // the converter the connection monitor chose
    std::uint8_t firmware_version = 0;       // 0 until a controller has identified itself
};

bool UsesSerialPort(const DeviceLink& link);

bool OpenLink(DeviceLink& link, std::uint8_t port, const std::string& serial);
int CloseLink(DeviceLink& link);
// Opens the converter with this serial number and sets the controller's line with a per-byte
// time-out for reads and writes. False when it did not open; a refused setting shows its box,
// but the converter still counts as open.
bool OpenUsbConverter(D2XXUnit& usb, const std::string& serial, std::int32_t timeout_ms);
// 0 when the byte moved, else kCodeNotSent (20).
std::uint8_t SendByte(DeviceLink& link, std::uint8_t byte);
// 0 when a byte arrived and was stored, else kCodeNotReceived (21) and `byte` untouched.
std::uint8_t ReceiveByte(DeviceLink& link, std::uint8_t& byte);

}  // namespace orvel
