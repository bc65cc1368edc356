#include "cli/setup_fields.h"

#include "cli/entry_refusal.h"
#include "model/bank_functions.h"
#include "model/cell_editor.h"
#include "model/cell_paste.h"
#include "model/model_constants.h"
#include "model/preset_entry.h"
#include "model/settings_entry.h"
#include "model/settings_tiles.h"

namespace orvel {

std::string PresetFieldText(const PresetTable& table, int row, int column)
{
    const TableCell& cell = table.Cell(row, column);
    if (IsCheckBoxColumn(column)) return cell.checked ? "1" : "0";
    return cell.text;
}

std::optional<std::string> SetPresetField(PresetTable& table, int row, int column, const std::string& value)
{
    if (value == PresetFieldText(table, row, column)) return std::nullopt;
    const std::optional<std::string> accepted = PastedPresetValue(column, value);
    if (!accepted) return PresetEntryRefusal(column, value);
    if (IsCheckBoxColumn(column))
        table.SetChecked(row, column, *accepted == "1");
    else if (column == kColumnModifier)
        table.SetModifier(row, *accepted);
    else
        table.SetText(row, column, *accepted);
    return std::nullopt;
}

std::optional<std::string> SetSettingsField(SettingsData& settings, int column, const std::string& value)
{
    if (value == SettingsCellText(settings, column)) return std::nullopt;
    const std::optional<std::string> accepted = ValidateSettingsEntry(column, value);
    if (!accepted) return SettingsEntryRefusal(column, value);
    SetSettingsCellText(settings, column, *accepted);
    return std::nullopt;
}

std::optional<std::string> SetTileField(SettingsData& settings, int tile, const std::string& value)
{
    std::string& key = settings.keys[static_cast<std::size_t>(tile - 1)];
    if (value == key) return std::nullopt;
    for (std::string_view code : TileCodes(tile)) {
        if (UpperCase(value) == UpperCase(code)) {
            key = std::string(code);
            return std::nullopt;
        }
    }
    return TileEntryRefusal(tile, value);
}

std::optional<std::string> SetBankFunctionField(PresetTable& table, int bank_digit, const std::string& value)
{
    for (bool on : {true, false}) {
        if (UpperCase(value) == UpperCase(BankFunctionCaption(on))) {
            table.SetBankFunction(bank_digit, on);
            return std::nullopt;
        }
    }
    return BankFunctionRefusal(value);
}

}  // namespace orvel
