#include "model/preset_popup.h"

#include <optional>

#include "model/model_constants.h"
#include "model/preset_table.h"

namespace orvel {

std::string TwoDigitPreset(std::uint8_t preset)
{
    std::string text = std::to_string(preset);
    return preset < 10 ? "0" + text : text;
}

int CommandRow(int table_row)
{
    return IsPresetTableRow(table_row) ? table_row : kHeaderRowCount;
}

int MoveCurrentRowToPresets(PresetTable& table)
{
    if (!IsPresetTableRow(table.CurrentRow())) table.SetCurrentRow(kHeaderRowCount);
    return table.CurrentRow();
}

RowCommandCaptions CaptionsForRow(const PresetTable& table, int table_row)
{
    const std::optional<std::uint8_t> number = table.PresetNumberOfRow(CommandRow(table_row));
    const std::uint8_t preset = number.value_or(0);
    const std::string nn = TwoDigitPreset(preset);
    const std::string b = std::to_string(preset / 10);
    return RowCommandCaptions{
        "Copy bank " + b,  "Copy preset " + nn, "Read bank " + b,
        "Write bank " + b, "Read preset " + nn, "Write preset " + nn,
    };
}

}  // namespace orvel
