#include "loader/exchange.h"

#include <algorithm>

#include "loader/loader_state.h"
#include "zudedize/blocking_api.h"

namespace kpx2 {

namespace serial = zudedize::blocking;

namespace {

// Writes the first `length` bytes of the send buffer, then takes the reply.
std::uint8_t Exchange(std::size_t length, Reply reply)
{
    LoaderState& state = Loader();
    if (serial::WriteBytes(state.send.data(), static_cast<std::uint8_t>(length)) != 1)
        return FailWithNumber(kNumberNotSent);
    if (reply.kind == Reply::Kind::None) {
        if (!serial::CharSent()) return FailWithNumber(kNumberNotSent);
        return state.error;
    }
    const std::size_t count = reply.kind == Reply::Kind::Status ? 1 : std::min(reply.length, state.reply.size());
    for (std::size_t i = 0; i < count; ++i) {
        std::uint8_t byte = 0;
        if (serial::ReadByte(byte) != 1) return FailWithNumber(kNumberNotReceived);
        state.reply[i] = byte;
        if (reply.kind == Reply::Kind::Status && byte != kStatusDone) return Fail(CodeOfStatus(byte, reply.source));
    }
    return state.error;
}

}  // namespace

std::uint8_t EscapeRequest(std::uint8_t command, std::size_t payload_length, Reply reply)
{
    LoaderState& state = Loader();
    serial::ClearPort();
    state.send[0] = kEscape;
    state.send[1] = command;
    return Exchange(kEscapeHeaderLength + payload_length, reply);
}

std::uint8_t EscapeRequest(std::uint8_t command, std::span<const std::uint8_t> payload, Reply reply)
{
    std::copy(payload.begin(), payload.end(), SendPayload().begin());
    return EscapeRequest(command, payload.size(), reply);
}

std::uint8_t RawFrame(std::span<const std::uint8_t> frame, Reply reply)
{
    std::copy(frame.begin(), frame.end(), Loader().send.begin());
    return Exchange(frame.size(), reply);
}

}  // namespace kpx2
