// Feeds arbitrary text to the preset file loader, then saves the loaded set-up over that
// text. Saving the same set-up over the saved text must give it back unchanged, but for
// blank lines, which the INI writer lays out as it likes (an empty "[]" section, say,
// leaves two at the top that the next save drops). The set-up starts from a copy of the
// start state, which costs far less than building it afresh.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "files/preset_file.h"

namespace {

const orvel::PresetTable& StartState()
{
    static const orvel::PresetTable table;
    return table;
}

// The next line of a text that is not blank, from `at` on; empty at the end.
std::string_view NextFilledLine(std::string_view text, std::size_t& at)
{
    while (at < text.size()) {
        const char* start = text.data() + at;
        const void* end = std::memchr(start, '\n', text.size() - at);
        const std::size_t length =
            end ? static_cast<std::size_t>(static_cast<const char*>(end) - start) : text.size() - at;
        at += length + 1;
        if (length > 0) return std::string_view(start, length);
    }
    return {};
}

// Whether a text that is not all blank lines ends with a line break.
bool EndsWithLineBreak(std::string_view text)
{
    return text.ends_with('\n') && text.find_first_not_of('\n') != std::string_view::npos;
}

// Whether two texts are the same but for their blank lines.
bool SameButBlankLines(std::string_view a, std::string_view b)
{
    if (EndsWithLineBreak(a) != EndsWithLineBreak(b)) return false;
    std::size_t in_a = 0;
    std::size_t in_b = 0;
    for (;;) {
        const std::string_view line_a = NextFilledLine(a, in_a);
        const std::string_view line_b = NextFilledLine(b, in_b);
        if (line_a != line_b) return false;
        if (line_a.empty()) return true;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    static orvel::PresetTable table;
    table = StartState();
    orvel::SettingsData settings;
    if (!orvel::LoadPresetText(text, table, settings)) return 0;

    std::string saved;
    if (!orvel::PresetFileText(text, table, settings, saved)) return 0;
    std::string again;
    if (!orvel::PresetFileText(saved, table, settings, again)) return 0;
    if (!SameButBlankLines(again, saved)) __builtin_trap();
    return 0;
}
