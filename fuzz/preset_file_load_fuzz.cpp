// Feeds arbitrary text to the preset file loader alone and checks what a load may change:
// the digit columns and the header rows stay as they were, each row's active cells follow its
// modifier, and a text that is refused changes nothing. One table and one set of settings
// are loaded into again and again; they are put back to the start state from a copy first,
// which costs far less than building them afresh.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/preset_file.h"
#include "model/model_constants.h"
#include "model/modifier.h"

namespace {

const orvel::PresetTable& StartTable()
{
    static const orvel::PresetTable table;
    return table;
}

void Check(bool condition)
{
    if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static orvel::PresetTable table;
    static orvel::SettingsData settings;
    table = StartTable();
    settings = orvel::SettingsData{};

    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const bool loaded = orvel::LoadPresetText(text, table, settings);
    const orvel::PresetTable& start = StartTable();
    if (!loaded) {
        for (int row = 0; row < orvel::kTableRowCount; ++row)
            for (int column = 0; column < orvel::kColumnCount; ++column)
                Check(table.Cell(row, column).text == start.Cell(row, column).text);
        Check(settings == orvel::SettingsData{});
        return 0;
    }
    for (int row = 0; row < orvel::kTableRowCount; ++row) {
        // Header rows and the digit columns are the grid's, never the file's.
        for (int column = 0; column < orvel::kColumnCount; ++column) {
            if (orvel::IsPresetTableRow(row) && column >= orvel::kColumnModifier) continue;
            Check(table.Cell(row, column).text == start.Cell(row, column).text);
        }
        if (!orvel::IsPresetTableRow(row)) continue;
        Check(table.PresetNumberOfRow(row) == start.PresetNumberOfRow(row));
        // A known modifier decides the active cells; an unknown one leaves them as they were.
        const auto modifier = orvel::ModifierOfText(table.Cell(row, orvel::kColumnModifier).text);
        for (int column = orvel::kColumnBuffer; column < orvel::kColumnCount; ++column) {
            const bool expected = modifier ? orvel::IsColumnActive(*modifier, column) : start.Cell(row, column).active;
            Check(table.Cell(row, column).active == expected);
        }
    }
    return 0;
}
