#include "serial_port_identity.h"

#include "command_protocol.h"
#include "controller_constants.h"
#include "controller_identity.h"
#include "threaded_api.h"

namespace orvel {

bool QueryIdentitySerial(DeviceLink& link, std::uint8_t port, std::string& shown) {
    namespace serial = zudedize::threaded;
    shown.clear();
    if (serial::InitializePort(port, kLineBaudRate, kSerialIdentifyTimeoutS, kSerialIdentifyTimeoutS) != 0) {
        serial::UnInitializePort();
        return false;
    }
    std::string identity;
    const auto version = ExchangeIdentity(link, identity) ? FirmwareVersionOf(identity) : std::nullopt;
    serial::UnInitializePort();
    if (!version) return false;
    link.firmware_version = *version;
    shown = ShownIdentity(identity);
    return true;
}

bool IdentifyBeforeTransfer(DeviceLink& link, std::string& shown) {
    shown.clear();
    if (!UsesSerialPort(link) || link.firmware_version != 0) return true;
    return QueryIdentitySerial(link, link.port_number, shown);
}

}  // namespace orvel
