#include "device/link/usb_converter_transport.h"

#include "device/controller_constants.h"

namespace orvel {

bool UsbConverterTransport::Open(const LinkAddress& address, LinkPace pace)
{
    const std::int32_t timeout_ms = pace == LinkPace::Identify ? kIdentifyTimeoutMs : kExchangeTimeoutMs;
    usb_.SetLineParameters();
    if (usb_.OpenBySerialNumber(address.serial) != kFtOk) return false;
    usb_.SetDeviceTimeouts(timeout_ms, timeout_ms);
    usb_.SetDeviceBaudRate();
    usb_.SetDeviceDataCharacteristics();
    usb_.SetDeviceFlowControl();
    return true;
}

bool UsbConverterTransport::Close()
{
    return usb_.CloseDevice() == kFtOk;
}

bool UsbConverterTransport::Send(std::uint8_t byte)
{
    try {
        usb_.OutputBuffer()[0] = byte;
        return usb_.WriteDeviceBytes(1) == 1;
    } catch (...) {
        return false;
    }
}

bool UsbConverterTransport::Receive(std::uint8_t& byte)
{
    try {
        if (usb_.ReadDeviceBytes(1) != 1) return false;
        byte = usb_.InputBuffer()[0];
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace orvel
