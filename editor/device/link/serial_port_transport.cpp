#include "device/link/serial_port_transport.h"

#include "device/controller_constants.h"
#include "zudedize/threaded_api.h"

namespace orvel {

namespace serial = zudedize::threaded;

bool SerialPortTransport::Open(const LinkAddress& address, LinkPace pace)
{
    const std::int32_t timeout_s = pace == LinkPace::Identify ? kSerialIdentifyTimeoutS : kExchangeTimeoutS;
    open_failure_.clear();
    if (serial::InitializePort(address.port, kLineBaudRate, timeout_s, timeout_s) == 0) return true;
    std::string text;
    std::int32_t code = 0;
    serial::IsError(text, code);
    serial::UnInitializePort();
    // A device that is there but whose port did not open: the library's text and code say
    // why. A device that is missing or refused is told by the callers' own words.
    if (serial::SerialPortPresent(address.port))
        open_failure_ = text + kTextLibraryCodePrefix + std::to_string(code) + kTextLibraryCodeSuffix;
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
