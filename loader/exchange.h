// One exchange with the controller: a frame written in one go, then the reply it asks for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "loader/error_codes.h"

namespace kpx2 {

// What the controller answers a frame with.
struct Reply {
    enum class Kind {
        None,    // nothing: wait until the frame has left the port
        Status,  // one status byte, 0 = done
        Query,   // `length` reply bytes into the reply buffer, no status check
    };
    Kind kind = Kind::None;
    std::size_t length = 0;                    // Query only
    StatusSource source = StatusSource::Step;  // Status only

    static Reply Nothing() { return {}; }
    static Reply StatusOf(StatusSource source) { return {Kind::Status, 1, source}; }
    static Reply QueryOf(std::size_t length) { return {Kind::Query, length, StatusSource::Step}; }
};

// Escape request: discards both queues of the port, then writes ESC, `command` and the
// `payload_length` bytes already in the send buffer's payload (SendPayload()).
std::uint8_t EscapeRequest(std::uint8_t command, std::size_t payload_length, Reply reply);
// Escape request with a payload copied into the send buffer first.
std::uint8_t EscapeRequest(std::uint8_t command, std::span<const std::uint8_t> payload, Reply reply);

// Raw frame: written as it is, the queues kept.
std::uint8_t RawFrame(std::span<const std::uint8_t> frame, Reply reply);

}  // namespace kpx2
