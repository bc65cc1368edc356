// The library's own calls around the protocol steps: initialising and de-initialising, the
// error code and its text, the leave-port-open setting.
#pragma once

#include <cstdint>

namespace kpx2 {

// Sets the code error number `number` stands for (with the last transfer's line errors).
std::uint8_t SetErrorNumber(std::uint8_t number);

// The built-in image's description for the caller (null pointers are skipped).
struct ImageAnswer {
    std::uint8_t* type = nullptr;
    char* name = nullptr;     // 6 bytes
    char* version = nullptr;  // 5 bytes
    std::int32_t* count = nullptr;
};
std::uint8_t InitialiseImage(const ImageAnswer& answer);

std::uint8_t InitialisePortNumber(std::uint8_t port);

// Closes the port and clears both flags; the error code stays as it is.
std::uint8_t Deinitialise();

// Copies the text of `code` into `buffer` (when not null), clears the error code, returns
// `buffer`.
char* DescribeError(std::uint8_t code, char* buffer);

void SetLeavePortOpen(std::uint8_t leave_open);

}  // namespace kpx2
