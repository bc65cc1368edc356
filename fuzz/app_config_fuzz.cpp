// Feeds arbitrary text to the Orvel.ini reader, writes the values back into that text and
// reads them again: the port stays within 1-99 and both values come back as they were.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/app_config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const orvel::ConfigValues values = orvel::ParseConfigText(text);
    if (values.port_number < 1 || values.port_number > 99) __builtin_trap();

    std::string written;
    if (!orvel::ConfigFileText(text, values.port_number, values.file, written)) return 0;
    const orvel::ConfigValues back = orvel::ParseConfigText(written);
    if (back.port_number != values.port_number || back.file != values.file) __builtin_trap();
    return 0;
}
