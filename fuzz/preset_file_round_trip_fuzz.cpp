// Feeds arbitrary text to the preset file loader, then saves the loaded set-up over that
// text. Saving the same set-up over the saved text must give it back unchanged, but for
// blank lines, which the INI writer lays out as it likes (an empty "[]" section, say,
// leaves two at the top that the next save drops).
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "files/preset_file.h"

namespace {

std::string WithoutBlankLines(const std::string& text)
{
    std::string squeezed;
    for (char c : text) {
        if (c == '\n' && (squeezed.empty() || squeezed.back() == '\n')) continue;
        squeezed += c;
    }
    return squeezed;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    orvel::PresetTable table;
    orvel::SettingsData settings;
    if (!orvel::LoadPresetText(text, table, settings)) return 0;

    std::string saved;
    if (!orvel::PresetFileText(text, table, settings, saved)) return 0;
    std::string again;
    if (!orvel::PresetFileText(saved, table, settings, again)) return 0;
    if (WithoutBlankLines(again) != WithoutBlankLines(saved)) __builtin_trap();
    return 0;
}
