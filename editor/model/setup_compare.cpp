#include "model/setup_compare.h"

#include <charconv>
#include <optional>

#include "model/bank_functions.h"
#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "model/settings_entry.h"

namespace orvel {

namespace {

constexpr std::string_view kOnText = "on";
constexpr std::string_view kOffText = "off";
constexpr std::string_view kFieldBankFunction = "wah-pad function";

std::optional<long long> WholeNumber(std::string_view text)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

bool SameValue(std::string_view a, std::string_view b)
{
    if (a == b) return true;
    const std::optional<long long> x = WholeNumber(a);
    const std::optional<long long> y = WholeNumber(b);
    return x && y && *x == *y;
}

std::string FlagText(bool on)
{
    return std::string(on ? kOnText : kOffText);
}

std::string Numbered(std::string_view caption, int index)
{
    return std::string(caption) + " " + std::to_string(index);
}

// The fields of a preset in grid column order, as (column, caption, text) of each side.
struct PresetField {
    int column;
    std::string field;
    std::string a;
    std::string b;
};

std::vector<PresetField> PresetFields(const PresetData& a, const PresetData& b)
{
    std::vector<PresetField> fields;
    fields.push_back({kColumnModifier, std::string(kFieldModifier), a.modifier, b.modifier});
    fields.push_back({kColumnBuffer, std::string(kFieldBuffer), FlagText(a.buffer), FlagText(b.buffer)});
    for (int i = 0; i < kLoopCount; ++i)
        fields.push_back({kFirstLoopColumn + i, Numbered(kFieldLoop, i + 1),
                          FlagText(a.loops[static_cast<std::size_t>(i)]),
                          FlagText(b.loops[static_cast<std::size_t>(i)])});
    for (int i = 0; i < kSwitchCount; ++i)
        fields.push_back({kFirstSwitchColumn + i, Numbered(kFieldSwitch, i + 1),
                          FlagText(a.switches[static_cast<std::size_t>(i)]),
                          FlagText(b.switches[static_cast<std::size_t>(i)])});
    fields.push_back({kColumnMidi1, std::string(kFieldMidi1), a.midi1, b.midi1});
    fields.push_back({kColumnMidi2, std::string(kFieldMidi2), a.midi2, b.midi2});
    fields.push_back({kColumnMidi3Program, std::string(kFieldMidi3), a.midi3_pc, b.midi3_pc});
    for (int i = 0; i < kControlCount; ++i)
        fields.push_back({kFirstControlColumn + i, std::string(kFieldControlPrefix) + std::to_string(i + 1),
                          a.ctrls[static_cast<std::size_t>(i)], b.ctrls[static_cast<std::size_t>(i)]});
    for (int i = 0; i < kAuxCount; ++i)
        fields.push_back({kFirstAuxColumn + i, Numbered(kFieldAux, i + 1), FlagText(a.aux[static_cast<std::size_t>(i)]),
                          FlagText(b.aux[static_cast<std::size_t>(i)])});
    return fields;
}

}  // namespace

std::vector<SetupDifference> CompareSetups(const PresetTable& editor_table, const SettingsData& editor_settings,
                                           const PresetTable& controller_table, const SettingsData& controller_settings)
{
    std::vector<SetupDifference> differences;
    for (int n = 0; n < kPresetCount; ++n) {
        const int row = TableRowOfPreset(static_cast<std::uint8_t>(n));
        for (PresetField& f : PresetFields(editor_table.GetRow(row), controller_table.GetRow(row)))
            if (!SameValue(f.a, f.b))
                differences.push_back(
                    {DifferencePlace::Preset, n, f.column, std::move(f.field), std::move(f.a), std::move(f.b)});
    }
    for (int d = 0; d < kBankCount; ++d) {
        const bool a = editor_table.BankFunction(d);
        const bool b = controller_table.BankFunction(d);
        if (a != b)
            differences.push_back({DifferencePlace::BankFunction, d, kColumnBank, std::string(kFieldBankFunction),
                                   std::string(BankFunctionCaption(a)), std::string(BankFunctionCaption(b))});
    }
    for (int column = 0; column < kSetupColumnCount; ++column) {
        std::string a = SettingsCellText(editor_settings, column);
        std::string b = SettingsCellText(controller_settings, column);
        if (!SameValue(a, b))
            differences.push_back(
                {DifferencePlace::SettingsCell, 0, column, SettingsFieldName(column), std::move(a), std::move(b)});
    }
    for (int i = 0; i < kTileCount; ++i) {
        const auto& a = editor_settings.keys[static_cast<std::size_t>(i)];
        const auto& b = controller_settings.keys[static_cast<std::size_t>(i)];
        if (a != b)
            differences.push_back(
                {DifferencePlace::Tile, i + 1, 0, std::string(kBalloonTitles[static_cast<std::size_t>(i)]), a, b});
    }
    return differences;
}

std::string DifferenceWhere(const SetupDifference& difference)
{
    switch (difference.place) {
    case DifferencePlace::Preset: return "preset " + std::to_string(difference.number);
    case DifferencePlace::BankFunction: return "bank " + std::to_string(difference.number);
    case DifferencePlace::SettingsCell:
    case DifferencePlace::Tile: break;
    }
    return "settings";
}

std::string DifferenceLine(const SetupDifference& difference, std::string_view editor_label,
                           std::string_view controller_label)
{
    return DifferenceWhere(difference) + " " + difference.field + ": " + std::string(editor_label) + " " +
           difference.editor_value + ", " + std::string(controller_label) + " " + difference.controller_value;
}

}  // namespace orvel
