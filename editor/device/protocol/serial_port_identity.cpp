#include "device/protocol/serial_port_identity.h"

#include "device/controller_constants.h"
#include "device/link/serial_port_transport.h"
#include "device/protocol/command_protocol.h"
#include "device/protocol/controller_identity.h"

namespace orvel {

bool QueryIdentitySerial(DeviceLink& link, std::uint8_t port, std::string& shown)
{
    shown.clear();
    // Always the numbered port, whichever transport the run uses; the link's own when it is
    // that port, so that why it did not open stays with the link (OpenFailure).
    SerialPortTransport serial_port;
    Transport& transport = UsesSerialPort(link) ? *link.transport : serial_port;
    std::string identity;
    if (!QueryIdentity(transport, LinkAddress{port, {}}, link.firmware_version, identity)) return false;
    shown = ShownIdentity(identity);
    return true;
}

bool IdentifyBeforeTransfer(DeviceLink& link, std::string& shown)
{
    shown.clear();
    if (!UsesSerialPort(link) || link.firmware_version != 0) return true;
    return QueryIdentitySerial(link, link.port_number, shown);
}

}  // namespace orvel
