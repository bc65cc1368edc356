#include "serial_port_transport.h"

#include "controller_constants.h"
#include "threaded_api.h"

namespace orvel {

namespace serial = zudedize::threaded;

bool SerialPortTransport::Open(const LinkAddress& address, LinkPace pace)
{
    const std::int32_t timeout_s = pace == LinkPace::Identify ? kSerialIdentifyTimeoutS : kExchangeTimeoutS;
    if (serial::InitializePort(address.port, kLineBaudRate, timeout_s, timeout_s) == 0) return true;
    serial::UnInitializePort();
    return false;
}

bool SerialPortTransport::Close()
{
    return serial::UnInitializePort() == 0;
}

bool SerialPortTransport::Send(std::uint8_t byte)
{
    try {
        return serial::WriteByte(byte) == 1;
    } catch (...) {
        return false;
    }
}

bool SerialPortTransport::Receive(std::uint8_t& byte)
{
    try {
        std::uint8_t got = 0;
        if (serial::ReadByte(got) != 1) return false;
        byte = got;
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace orvel
