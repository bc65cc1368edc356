// The link to the controller as the protocol sees it: open, close, send one byte, receive one
// byte. Two transports implement it, the USB converter and the numbered serial port; which one
// a run uses is chosen once at start.
//
// Result type of this layer: bool. Open is true when the link is open; Send and Receive are
// true when the byte moved. The command protocol turns a false into its line codes 20 and 21.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvel {

enum class TransportKind { UsbConverter, SerialPort };

// The outer override in the environment: ORVEL_TRANSPORT=serial asks for the numbered serial
// port. The command line's own choice wins over it.
inline constexpr std::string_view kTransportVariable = "ORVEL_TRANSPORT";
inline constexpr std::string_view kTransportSerial = "serial";

// The transport the variable's value asks for (`value` null when it is not set); nothing
// for any other value.
inline std::optional<TransportKind> TransportNamedBy(const char* value)
{
    if (value != nullptr && value == kTransportSerial) return TransportKind::SerialPort;
    return std::nullopt;
}

// The platform kind the window's and the loader's rules speak of: 0 to 2 reach the controller
// through a numbered serial port, 3 through the USB converter. A value of the transport's.
using PlatformKind = std::int16_t;
constexpr PlatformKind kPlatformSerialFirst = 0;
constexpr PlatformKind kPlatformSerialLast = 2;
constexpr PlatformKind kPlatformUsb = 3;

constexpr PlatformKind PlatformKindOf(TransportKind kind)
{
    return kind == TransportKind::SerialPort ? kPlatformSerialFirst : kPlatformUsb;
}

// Where the controller is: the numbered serial port's number, the USB converter's serial
// number. Each transport takes its own part.
struct LinkAddress {
    std::uint8_t port = 1;
    std::string serial;
};

// How long the link waits for each byte: the exchanges' time-out, or the shorter one of the
// identify query.
enum class LinkPace { Exchange, Identify };

class Transport {
public:
    virtual ~Transport() = default;
    // False when the link did not open; whatever the attempt left is closed again, so that the
    // next open starts afresh.
    virtual bool Open(const LinkAddress& address, LinkPace pace) = 0;
    // True when the link closed cleanly.
    virtual bool Close() = 0;
    // Why the last Open failed although the device is there (its port could not be made
    // ready: no worker thread, line settings refused), in the words of the layer below;
    // empty when the device is missing or refused, and after an Open that succeeded.
    virtual std::string OpenFailure() const { return {}; }
    virtual bool Send(std::uint8_t byte) = 0;
    // On success `byte` holds what arrived; otherwise it is left as it was.
    virtual bool Receive(std::uint8_t& byte) = 0;
};

}  // namespace orvel
