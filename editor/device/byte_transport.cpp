#include "byte_transport.h"

#include <cstdlib>
#include <cstring>

#include "controller_constants.h"
#include "threaded_api.h"

namespace orvel {

PlatformKind GetPlatformKind() {
    const char* transport = std::getenv("ORVEL_TRANSPORT");
    if (transport != nullptr && std::strcmp(transport, "serial") == 0) return kPlatformSerialFirst;
    return kPlatformUsb;
}

bool UsesSerialPort(const DeviceLink& link) {
    return link.platform_kind >= kPlatformSerialFirst && link.platform_kind <= kPlatformSerialLast;
}

bool OpenLink(DeviceLink& link, std::uint8_t port, const std::string& serial) {
    if (UsesSerialPort(link)) {
        if (zudedize::threaded::InitializePort(port, kLineBaudRate, kExchangeTimeoutS, kExchangeTimeoutS) == 0)
            return true;
        // Whatever the failed open left in the slot is closed, so that the next open starts afresh.
        zudedize::threaded::UnInitializePort();
        return false;
    }
    return OpenUsbConverter(link.usb, serial, kExchangeTimeoutMs);
}

bool OpenUsbConverter(D2XXUnit& usb, const std::string& serial, std::int32_t timeout_ms) {
    usb.SetLineParameters();
    if (usb.OpenBySerialNumber(serial) != kFtOk) return false;
    // A refused setting shows its box, but the converter still counts as open.
    usb.SetDeviceTimeouts(timeout_ms, timeout_ms);
    usb.SetDeviceBaudRate();
    usb.SetDeviceDataCharacteristics();
    usb.SetDeviceFlowControl();
    return true;
}

int CloseLink(DeviceLink& link) {
    if (UsesSerialPort(link)) return zudedize::threaded::UnInitializePort();
    return static_cast<int>(link.usb.CloseDevice());
}

std::uint8_t SendByte(DeviceLink& link, std::uint8_t byte) {
    try {
        if (UsesSerialPort(link)) return zudedize::threaded::WriteByte(byte) == 1 ? 0 : kCodeNotSent;
        link.usb.OutputBuffer()[0] = byte;
        return link.usb.WriteDeviceBytes(1) == 1 ? 0 : kCodeNotSent;
    } catch (...) {
        return kCodeNotSent;
    }
}

std::uint8_t ReceiveByte(DeviceLink& link, std::uint8_t& byte) {
    try {
        if (UsesSerialPort(link)) {
            std::uint8_t got = 0;
            if (zudedize::threaded::ReadByte(got) != 1) return kCodeNotReceived;
            byte = got;
            return 0;
        }
        if (link.usb.ReadDeviceBytes(1) != 1) return kCodeNotReceived;
        byte = link.usb.InputBuffer()[0];
        return 0;
    } catch (...) {
        return kCodeNotReceived;
    }
}

}  // namespace orvel
