// The link through the USB converter: the converter with the selected serial number, opened on
// the controller's line with a per-byte time-out for reads and writes.
#pragma once

#include "device/converter/d2xx_unit.h"
#include "device/link/transport.h"

namespace orvel {

class UsbConverterTransport final : public Transport {
public:
    explicit UsbConverterTransport(D2XXUnit& usb) : usb_(usb) {}

    // A refused line setting shows its box, but the converter still counts as open.
    bool Open(const LinkAddress& address, LinkPace pace) override;
    bool Close() override;
    bool Send(std::uint8_t byte) override;
    bool Receive(std::uint8_t& byte) override;

private:
    D2XXUnit& usb_;
};

}  // namespace orvel
