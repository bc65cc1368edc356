#include "device/protocol/controller_identity.h"

#include "device/controller_constants.h"

namespace orvel {

namespace {

std::optional<int> DigitAt(const std::string& text, std::size_t index)
{
    if (index >= text.size() || text[index] < '0' || text[index] > '9') return std::nullopt;
    return text[index] - '0';
}

}  // namespace

bool IsLongIdentity(const std::string& identity)
{
    return identity.size() > 2 && identity[2] == 'X';
}

std::optional<std::uint8_t> FirmwareVersionOf(const std::string& identity)
{
    if (identity.size() != kIdentityLength) return std::nullopt;
    const auto last = DigitAt(identity, 5);
    if (!last) return std::nullopt;
    if (IsLongIdentity(identity)) return static_cast<std::uint8_t>(10 * *last);
    const auto tens = DigitAt(identity, 4);
    if (!tens) return std::nullopt;
    return static_cast<std::uint8_t>(10 * *tens + *last);
}

std::string ShownIdentity(const std::string& identity)
{
    std::string shown = identity;
    if (IsLongIdentity(identity)) {
        if (shown.size() >= kIdentityLength && shown[5] == '0') shown[5] = 'x';
    } else if (shown.size() >= 2) {
        shown.insert(2, 1, 'X');
    }
    return shown;
}

}  // namespace orvel
