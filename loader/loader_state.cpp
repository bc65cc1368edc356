#include "loader/loader_state.h"

#include "loader/error_codes.h"
#include "zudedize/blocking_api.h"

namespace kpx2 {

LoaderState& Loader()
{
    static LoaderState state;
    return state;
}

std::span<std::uint8_t> SendPayload()
{
    return std::span(Loader().send).subspan(kEscapeHeaderLength);
}

std::uint8_t Fail(std::uint8_t code)
{
    Loader().error = code;
    return code;
}

std::uint8_t FailWithNumber(std::uint8_t number)
{
    const zudedize::blocking::LineErrorFlags flags = zudedize::blocking::LineErrors();
    return Fail(CodeOfNumber(number, {flags.overrun, flags.parity, flags.framing}));
}

void ResetLibrary()
{
    Loader().error = code::kSuccess;
}

}  // namespace kpx2
