// The library-wide state every exported function shares: one per process, no locks.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "loader/header_export.h"
#include "loader/loader_constants.h"

namespace kpx2 {

// What the port was last opened with.
struct PortParameters {
    std::uint8_t number = kInitialPortNumber;  // n of COMn
    std::int32_t speed = kInitialSpeed;        // bit/s
    std::int32_t write_timeout_s = kInitialTimeoutS;
    std::int32_t read_timeout_s = kInitialTimeoutS;

    bool operator==(const PortParameters&) const = default;
};

struct LoaderState {
    std::uint8_t error = code::kSuccess;  // the sticky current error code
    bool port_number_set = false;
    bool image_initialised = false;

    PortParameters port;
    std::uint8_t cts_setting = kInitialCtsSetting;
    bool port_open = false;
    bool leave_port_open = false;
    std::int32_t maximum_speed = kDefaultMaximumSpeed;

    std::array<std::uint8_t, kSendBufferSize> send{};  // one frame, built in place
    std::array<std::uint8_t, kTypeAndVersionReplyLength> reply{};
    std::array<char, kErrorTextBufferSize> error_text{};

    HeaderExport header_export;
};

LoaderState& Loader();

// Where the payload of an escape request goes in the send buffer: after ESC and the command.
std::span<std::uint8_t> SendPayload();

// Sets the current error code and returns it.
std::uint8_t Fail(std::uint8_t code);

// Sets the code of error number `number` and returns it; numbers 20 and 21 (a failed
// transfer) become 49, 50 or 51 by the line errors of the last failed transfer.
std::uint8_t FailWithNumber(std::uint8_t number);

// The library reset: the error code back to 0. The port, its parameters, the flags, the
// maximum speed, the leave-open setting and the header export stay as they are.
void ResetLibrary();

}  // namespace kpx2
