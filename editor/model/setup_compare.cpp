#include "model/setup_compare.h"

#include <charconv>
#include <optional>

#include "model/bank_functions.h"
#include "model/model_constants.h"
#include "model/preset_image.h"
#include "model/settings_constants.h"
#include "model/settings_entry.h"
#include "model/settings_image.h"

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

// Two texts of a preset grid column are the same value when the controller stores the same
// byte for them. A text it has no byte for, and a check box's "on" or "off", is compared as
// it is.
bool SamePresetValue(int column, const std::string& a, const std::string& b)
{
    const std::optional<std::uint8_t> x = StoredByte(column, a);
    const std::optional<std::uint8_t> y = StoredByte(column, b);
    if (x && y) return *x == *y;
    return SameValue(a, b);
}

void AddPresetDifference(int preset, PresetField& f, std::vector<SetupDifference>& differences)
{
    differences.push_back(
        {DifferencePlace::Preset, preset, f.column, std::move(f.field), std::move(f.a), std::move(f.b)});
}

// The settings' fields: the settings grid's columns 0-9, then the eight tiles.
constexpr int kSettingsFieldCount = kSetupColumnCount + kTileCount;

std::string SettingsFieldText(const SettingsData& settings, int field)
{
    if (field < kSetupColumnCount) return SettingsCellText(settings, field);
    return settings.keys[static_cast<std::size_t>(field - kSetupColumnCount)];
}

// The factory settings with one field's text in its place.
SettingsData SettingsProbe(int field, const std::string& text)
{
    SettingsData probe;
    if (field < kSetupColumnCount)
        SetSettingsCellText(probe, field, text);
    else
        probe.keys[static_cast<std::size_t>(field - kSetupColumnCount)] = text;
    return probe;
}

// What a controller of this version gives back for one field's text once it holds it: the
// factory settings holding the text go there and come back, read into `base` as a read
// does (so a setting it does not report keeps the base's text). None for a text it has no
// byte for.
std::optional<std::string> SettingsReadBack(int field, const std::string& text, const SettingsData& base,
                                            std::uint8_t version)
{
    SettingsBlocks blocks;
    if (!EncodeSettings(SettingsProbe(field, text), version, blocks)) return std::nullopt;
    SettingsData back = base;
    DecodeSettings(blocks, version, back);
    return SettingsFieldText(back, field);
}

// Two texts are the same when such a controller gives the same back for them: read into the
// same settings, a setting it does not report is the same whatever its texts.
bool SameSettingsValue(int field, const std::string& a, const std::string& b, std::uint8_t version)
{
    const SettingsData base;
    const std::optional<std::string> x = SettingsReadBack(field, a, base, version);
    const std::optional<std::string> y = SettingsReadBack(field, b, base, version);
    if (x && y) return *x == *y;
    return SameValue(a, b);
}

// The text a field's text comes back as: itself for a text the controller has no byte for,
// and for a setting it does not report.
std::string StoredSettingsText(int field, const std::string& text, std::uint8_t version)
{
    return SettingsReadBack(field, text, SettingsProbe(field, text), version).value_or(text);
}

SetupDifference SettingsDifference(int field, std::string a, std::string b)
{
    if (field < kSetupColumnCount)
        return {DifferencePlace::SettingsCell, 0, field, SettingsFieldName(field), std::move(a), std::move(b)};
    const int tile = field - kSetupColumnCount;
    return {DifferencePlace::Tile, tile + 1,    0, std::string(kBalloonTitles[static_cast<std::size_t>(tile)]),
            std::move(a),          std::move(b)};
}

}  // namespace

std::vector<SetupDifference> CompareSetups(const PresetTable& editor_table, const SettingsData& editor_settings,
                                           const PresetTable& controller_table, const SettingsData& controller_settings,
                                           std::uint8_t firmware_version)
{
    std::vector<SetupDifference> differences;
    for (int n = 0; n < kPresetCount; ++n) {
        const int row = TableRowOfPreset(static_cast<std::uint8_t>(n));
        for (PresetField& f : PresetFields(editor_table.GetRow(row), controller_table.GetRow(row)))
            if (!SamePresetValue(f.column, f.a, f.b)) AddPresetDifference(n, f, differences);
    }
    for (int d = 0; d < kBankCount; ++d) {
        const bool a = editor_table.BankFunction(d);
        const bool b = controller_table.BankFunction(d);
        if (a != b)
            differences.push_back({DifferencePlace::BankFunction, d, kColumnBank, std::string(kFieldBankFunction),
                                   std::string(BankFunctionCaption(a)), std::string(BankFunctionCaption(b))});
    }
    for (int field = 0; field < kSettingsFieldCount; ++field) {
        std::string a = SettingsFieldText(editor_settings, field);
        std::string b = SettingsFieldText(controller_settings, field);
        if (!SameSettingsValue(field, a, b, firmware_version))
            differences.push_back(SettingsDifference(field, std::move(a), std::move(b)));
    }
    return differences;
}

std::vector<SetupDifference> StoredDifferently(const PresetTable& table, const SettingsData& settings,
                                               std::uint8_t firmware_version)
{
    std::vector<SetupDifference> differences;
    for (int n = 0; n < kPresetCount; ++n) {
        const PresetData preset = table.GetRow(TableRowOfPreset(static_cast<std::uint8_t>(n)));
        for (PresetField& f : PresetFields(preset, preset)) {
            const std::optional<std::uint8_t> byte = StoredByte(f.column, f.a);
            if (!byte) continue;
            f.b = StoredText(f.column, *byte);
            if (!SameValue(f.a, f.b)) AddPresetDifference(n, f, differences);
        }
    }
    for (int field = 0; field < kSettingsFieldCount; ++field) {
        std::string given = SettingsFieldText(settings, field);
        std::string stored = StoredSettingsText(field, given, firmware_version);
        if (!SameValue(given, stored))
            differences.push_back(SettingsDifference(field, std::move(given), std::move(stored)));
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

std::string StoredAsLine(const SetupDifference& difference)
{
    return DifferenceWhere(difference) + " " + difference.field + " " + difference.editor_value + " is stored as " +
           difference.controller_value;
}

}  // namespace orvel
