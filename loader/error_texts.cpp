#include "loader/error_texts.h"

#include <string_view>

#include "loader/loader_constants.h"

namespace kpx2 {

namespace {

struct CodeText {
    std::uint8_t code;
    std::string_view text;
};

// "%d" stands for the port number, "%s" for the accepted device.
constexpr CodeText kTexts[] = {
    {code::kSuccess, "operation finished successful"},
    {code::kSendTimeout, "impossible to send data to device (sending timeout)"},
    {code::kReceiveTimeout, "no answer from device (receiving timeout)"},
    {code::kIncorrectAnswer, "incorrect answer from device"},
    {code::kCannotOpenPort, "impossible to initialize COM%d serial port"},
    {code::kCrcError, "CRC error"},
    {code::kVerificationError, "data verification error"},
    {code::kFlashClearingError, "application flash memory clearing error"},
    {code::kServiceSwitchOff, "service switch is off"},
    {code::kImageNotInitialised, "information about firmware file not initialized"},
    {code::kPortNumberNotSet, "serial port number not defined"},
    {code::kPortNotOpen, "COM%d serial port not initialized"},
    {code::kWrongDeviceType, "incorrect device type on COM%d (program works only with %s)"},
    {code::kBlockOutsideImage, "block number outside the firmware image"},
    {code::kFileNameTooLong, "header file name too long"},
    {code::kImageDamaged, "firmware image in the library is damaged"},
    {code::kAbortedByUser, "operation aborted by user"},
};

constexpr std::string_view kUnknownError = "unknown error";

void Replace(std::string& text, std::string_view field, std::string_view value)
{
    if (const auto at = text.find(field); at != std::string::npos) text.replace(at, field.size(), value);
}

}  // namespace

std::string ErrorText(std::uint8_t code, std::uint8_t port)
{
    std::string_view pattern = kUnknownError;
    for (const CodeText& entry : kTexts)
        if (entry.code == code) pattern = entry.text;
    std::string text(pattern);
    Replace(text, "%d", std::to_string(port));
    Replace(text, "%s", kAcceptedDeviceName);
    return text;
}

}  // namespace kpx2
