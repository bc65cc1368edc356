#include "entry_refusal.h"

#include <vector>

#include "model/bank_functions.h"
#include "model/cell_editor.h"
#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "model/settings_entry.h"
#include "model/settings_tiles.h"
#include "ui/rules/field_names.h"

namespace orvel {

namespace {

std::string Refusal(std::string_view entry, std::string_view field, std::string_view accepted)
{
    return "\"" + std::string(entry) + "\" is not a " + std::string(field) + " value: enter " + std::string(accepted) +
           ".";
}

std::string Range(int low, int high)
{
    return std::to_string(low) + " to " + std::to_string(high);
}

// "a, b or c".
std::string Choices(const std::vector<std::string_view>& choices)
{
    std::string text;
    for (std::size_t i = 0; i < choices.size(); ++i) {
        if (i > 0) text += i + 1 == choices.size() ? " or " : ", ";
        text += choices[i];
    }
    return text;
}

std::string PresetAccepts(int column)
{
    if (column == kColumnModifier) return Choices({kModifierPreset, kModifierLoop, kModifierSwitch, kModifierMidi});
    if (column == kColumnName) return "at most " + std::to_string(kNameMaxLength) + " characters";
    if (IsCheckBoxColumn(column)) return Choices({"1", "0", "true", "false"});
    if (column >= kColumnMidi1 && column <= kColumnMidi3Program)
        return Choices({Range(kProgramMin, kProgramMax), kUnusedText});
    return Choices({Range(kControlMin, kControlMax), kUnusedText, kToggleText});
}

}  // namespace

std::string PresetEntryRefusal(int column, std::string_view entry)
{
    return Refusal(entry, PresetFieldName(column), PresetAccepts(column));
}

std::string SettingsEntryRefusal(int column, std::string_view entry)
{
    const bool channel = column < kSetupFirstCtrlColumn;
    return Refusal(entry, SettingsFieldName(column),
                   channel ? Range(kMidiChannelMin, kMidiChannelMax) : Range(kCtrlNumberMin, kCtrlNumberMax));
}

std::string TileEntryRefusal(int tile, std::string_view entry)
{
    const auto codes = TileCodes(tile);
    return Refusal(entry, BalloonTitle(tile), Choices({codes.begin(), codes.end()}));
}

std::string BankFunctionRefusal(std::string_view entry)
{
    return Refusal(entry, "bank function", Choices({BankFunctionCaption(true), BankFunctionCaption(false)}));
}

}  // namespace orvel
