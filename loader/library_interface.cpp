#include "loader/library_interface.h"

#include <algorithm>
#include <cstring>

#include "loader/built_in_image.h"
#include "loader/error_texts.h"
#include "loader/loader_state.h"
#include "loader/port_control.h"

namespace kpx2 {

namespace {

// Copies `text` with a terminating zero.
void CopyText(std::string_view text, char* out)
{
    std::copy(text.begin(), text.end(), out);
    out[text.size()] = '\0';
}

}  // namespace

std::uint8_t SetErrorNumber(std::uint8_t number)
{
    return FailWithNumber(number);
}

std::uint8_t InitialiseImage(const ImageAnswer& answer)
{
    LoaderState& state = Loader();
    ResetLibrary();
    // A damaged image is never offered: nothing could be flashed from it.
    if (state.error == code::kSuccess && !BuiltInImageIsWhole()) Fail(code::kImageDamaged);
    if (state.error == code::kSuccess) {
        const FirmwareImage& image = BuiltInImage();
        if (answer.type != nullptr) *answer.type = image.device_type;
        if (answer.name != nullptr) CopyText(image.device_name, answer.name);
        if (answer.version != nullptr) CopyText(image.version, answer.version);
        if (answer.count != nullptr) *answer.count = image.block_count;
    }
    state.image_initialised = state.error == code::kSuccess;
    return state.error;
}

std::uint8_t InitialisePortNumber(std::uint8_t port)
{
    LoaderState& state = Loader();
    ResetLibrary();
    state.port.number = port;
    state.port_number_set = true;
    return state.error;
}

std::uint8_t Deinitialise()
{
    LoaderState& state = Loader();
    ClosePort();
    state.port_number_set = false;
    state.image_initialised = false;
    return state.error;
}

char* DescribeError(std::uint8_t code, char* buffer)
{
    LoaderState& state = Loader();
    const std::string text = ErrorText(code, state.port.number);
    const std::size_t length = std::min(text.size(), state.error_text.size() - 1);
    CopyText(std::string_view(text).substr(0, length), state.error_text.data());
    if (buffer != nullptr) std::memcpy(buffer, state.error_text.data(), length + 1);
    state.error = code::kSuccess;
    return buffer;
}

void SetLeavePortOpen(std::uint8_t leave_open)
{
    LoaderState& state = Loader();
    state.leave_port_open = leave_open != 0;
    if (!state.leave_port_open) ClosePort();
}

}  // namespace kpx2
