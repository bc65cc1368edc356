#include "loader/protocol_steps.h"

#include <chrono>
#include <thread>

#include "loader/block_payload.h"
#include "loader/built_in_image.h"
#include "loader/exchange.h"
#include "loader/loader_state.h"
#include "loader/port_control.h"
#include "zudedize/blocking_api.h"

namespace kpx2 {

namespace {

bool Failed()
{
    return Loader().error != code::kSuccess;
}

void Store(std::uint8_t* out, std::uint8_t value)
{
    if (out != nullptr) *out = value;
}

}  // namespace

std::uint8_t SendByte(std::uint8_t value)
{
    LoaderState& state = Loader();
    if (Failed()) return state.error;
    if (!state.port_open) return Fail(code::kPortNotOpen);
    if (zudedize::blocking::WriteByte(value) != 1) return FailWithNumber(kNumberNotSent);
    return state.error;
}

std::uint8_t SendBreak()
{
    if (OpenPortAt(kBreakSpeed) != code::kSuccess) return Loader().error;
    return SendByte(kBreakByte);
}

std::uint8_t SwitchToServiceSpeed()
{
    if (SendBreak() != code::kSuccess) return Loader().error;
    std::this_thread::sleep_for(std::chrono::milliseconds(kAfterBreakMs));
    return OpenPortAt(kServiceSpeed);
}

std::uint8_t QueryMaximumSpeed()
{
    LoaderState& state = Loader();
    if (SwitchToServiceSpeed() != code::kSuccess) return state.error;
    const std::uint8_t result =
        EscapeRequest(kCommandQuery, kMaximumSpeedQuery, Reply::QueryOf(kMaximumSpeedReplyLength));
    if (result == code::kSuccess) {
        state.maximum_speed = (state.reply[0] << 16) | (state.reply[1] << 8) | state.reply[2];
    } else if (result == code::kReceiveTimeout) {
        // A controller that does not know the query runs at the usual maximum.
        state.maximum_speed = kDefaultMaximumSpeed;
        state.error = code::kSuccess;
    }
    return state.error;
}

std::uint8_t SwitchToMaximumSpeed()
{
    LoaderState& state = Loader();
    if (SwitchToServiceSpeed() != code::kSuccess) return state.error;
    if (RawFrame(kFrameA, Reply::Nothing()) != code::kSuccess) return state.error;
    return OpenPortAt(state.maximum_speed);
}

std::uint8_t QueryTypeAndVersion(const DeviceAnswer& answer)
{
    LoaderState& state = Loader();
    if (Failed()) return state.error;
    if (!state.image_initialised) return Fail(code::kImageNotInitialised);
    if (SwitchToMaximumSpeed() != code::kSuccess) return state.error;
    if (EscapeRequest(kCommandQuery, kTypeAndVersionQuery, Reply::QueryOf(kTypeAndVersionReplyLength)) !=
        code::kSuccess)
        return state.error;

    const std::uint8_t type = state.reply[0] & kDeviceTypeMask;
    const bool runs_loader = (state.reply[0] & kLoaderFlagBit) != 0;
    Store(answer.type, type);
    Store(answer.major, state.reply[1]);
    Store(answer.minor, state.reply[2]);
    Store(answer.revision, state.reply[3]);
    Store(answer.loader_flag, runs_loader ? 1 : 0);
    const bool accepted = type == kAcceptedDeviceType || (type == kAcceptedLoaderDeviceType && runs_loader);
    if (!accepted) return Fail(code::kWrongDeviceType);
    return state.error;
}

std::uint8_t SwitchToLoader()
{
    if (SwitchToMaximumSpeed() != code::kSuccess) return Loader().error;
    return RawFrame(kFrameB, Reply::StatusOf(StatusSource::Step));
}

std::uint8_t EraseFlash()
{
    LoaderState& state = Loader();
    if (OpenPortForErase(state.maximum_speed) != code::kSuccess) return state.error;
    const std::uint8_t confirm[] = {kConfirmByte};
    if (EscapeRequest(kCommandEraseFlash, confirm, Reply::StatusOf(StatusSource::Step)) != code::kSuccess)
        return state.error;
    return OpenPortAt(state.maximum_speed);
}

std::uint8_t BuildBlockPayload(std::int64_t index)
{
    LoaderState& state = Loader();
    if (Failed()) return state.error;
    if (!BuildPayload(BuiltInImage(), index, SendPayload())) return Fail(code::kBlockOutsideImage);
    return state.error;
}

std::uint8_t WriteBlock(std::int64_t index)
{
    LoaderState& state = Loader();
    if (OpenPortAt(state.maximum_speed) != code::kSuccess) return state.error;
    if (BuildBlockPayload(index) != code::kSuccess) return state.error;
    return EscapeRequest(kCommandWriteBlock, PayloadLength(BuiltInImage()), Reply::StatusOf(StatusSource::BlockWrite));
}

std::uint8_t RecomputeFlashCrc()
{
    LoaderState& state = Loader();
    if (OpenPortAt(state.maximum_speed) != code::kSuccess) return state.error;
    const std::uint8_t confirm[] = {kConfirmByte};
    return EscapeRequest(kCommandRecomputeCrc, confirm, Reply::StatusOf(StatusSource::Step));
}

}  // namespace kpx2
