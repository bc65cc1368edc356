#include "device/link/device_link.h"

#include "device/link/serial_port_transport.h"
#include "device/link/usb_converter_transport.h"

namespace orvel {

DeviceLink::DeviceLink(D2XXUnit& usb_unit, TransportKind kind)
    : DeviceLink(usb_unit, kind, MakeTransport(kind, usb_unit))
{
}

DeviceLink::DeviceLink(D2XXUnit& usb_unit, TransportKind kind, std::unique_ptr<Transport> stand_in)
    : usb(usb_unit), transport_kind(kind), transport(std::move(stand_in))
{
}

std::unique_ptr<Transport> MakeTransport(TransportKind kind, D2XXUnit& usb)
{
    if (kind == TransportKind::SerialPort) return std::make_unique<SerialPortTransport>();
    return std::make_unique<UsbConverterTransport>(usb);
}

bool OpenLink(DeviceLink& link, std::uint8_t port, const std::string& serial)
{
    return link.transport->Open(LinkAddress{port, serial}, LinkPace::Exchange);
}

bool CloseLink(DeviceLink& link)
{
    return link.transport->Close();
}

}  // namespace orvel
