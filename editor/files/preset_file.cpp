#include "files/preset_file.h"

#include <array>

#include "files/file_constants.h"
#include "files/file_io.h"
#include "files/ini_document.h"
#include "model/model_constants.h"
#include "model/preset_numbering.h"
#include "model/settings_constants.h"

namespace orvel {

namespace {

std::string Key(std::string_view prefix, int number)
{
    return std::string(prefix) + std::to_string(number);
}

const std::string kSettings(kSettingsSection);
const std::string kBank(kBankSection);

// What a save writes: a section for each preset with these keys (modifier, name, buffer, the
// loops, the switches, MIDI 1 to 3, the controls, AUX), the settings and the bank.
constexpr std::size_t kKeysOfPreset = 6 + kLoopCount + kSwitchCount + kControlCount + kAuxCount;
constexpr std::size_t kSectionsWritten = kPresetCount + 2;
constexpr std::size_t kKeysWritten =
    kPresetCount * kKeysOfPreset + kTileCount + kMidiChannelCount + kCtrlNumberCount + kBankCount;

std::string SectionOfRow(const PresetTable& table, int row)
{
    const std::uint8_t preset = table.PresetNumberOfRow(row).value_or(PresetOfRow(row - kHeaderRowCount));
    return Key(kPresetSectionPrefix, preset);
}

// --- Loading ---------------------------------------------------------------------------

// The key names of a preset section, made once rather than for every row loaded or saved.
struct PresetKeys {
    std::string modifier{kKeyModifier};
    std::string name{kKeyName};
    std::string buffer{kKeyBuffer};
    std::string midi1{kKeyMidi1};
    std::string midi2{kKeyMidi2};
    std::string midi3{kKeyMidi3Program};
    std::array<std::string, kLoopCount> loops;
    std::array<std::string, kSwitchCount> switches;
    std::array<std::string, kControlCount> ctrls;
    std::array<std::string, kAuxCount> aux;

    PresetKeys()
    {
        for (int i = 0; i < kLoopCount; ++i) loops[static_cast<std::size_t>(i)] = Key(kKeyLoopPrefix, i + 1);
        for (int i = 0; i < kSwitchCount; ++i) switches[static_cast<std::size_t>(i)] = Key(kKeySwitchPrefix, i + 1);
        for (int i = 0; i < kControlCount; ++i) ctrls[static_cast<std::size_t>(i)] = Key(kKeyCtrlPrefix, i + 1);
        for (int i = 0; i < kAuxCount; ++i) aux[static_cast<std::size_t>(i)] = Key(kKeyAuxPrefix, i + 1);
    }
};

const PresetKeys& KeysOfPreset()
{
    static const PresetKeys keys;
    return keys;
}

void LoadRow(const IniDocument& ini, PresetTable& table, int row)
{
    const PresetKeys& keys = KeysOfPreset();
    // The section is found once; every key is looked up in it alone.
    const IniSectionKeys section = ini.Section(SectionOfRow(table, row));
    PresetData preset = table.GetRow(row);  // control 7 stays as it is in the older layout

    preset.modifier = section.Text(keys.modifier, kModifierPreset);
    preset.name = section.Text(keys.name, "");
    preset.buffer = section.Bool(keys.buffer, false);
    for (std::size_t i = 0; i < keys.loops.size(); ++i) preset.loops[i] = section.Bool(keys.loops[i], false);
    for (std::size_t i = 0; i < keys.switches.size(); ++i) preset.switches[i] = section.Bool(keys.switches[i], false);
    preset.midi1 = section.Text(keys.midi1, "");
    preset.midi2 = section.Text(keys.midi2, "");

    const std::string midi3 = section.Text(keys.midi3, "");
    if (!midi3.empty()) {
        preset.midi3_pc = midi3;
        for (std::size_t i = 0; i < keys.ctrls.size(); ++i) preset.ctrls[i] = section.Text(keys.ctrls[i], "");
    } else {
        // The older layout: ctrl1-ctrl7 held the MIDI3 program and controls 1-6.
        preset.midi3_pc = section.Text(keys.ctrls[0], "");
        for (std::size_t i = 0; i + 1 < keys.ctrls.size(); ++i) preset.ctrls[i] = section.Text(keys.ctrls[i + 1], "");
    }

    for (std::size_t i = 0; i < keys.aux.size(); ++i) preset.aux[i] = section.Bool(keys.aux[i], false);
    table.SetRow(row, preset);  // applies the new modifier
}

void LoadSettings(const IniDocument& ini, SettingsData& settings)
{
    for (int i = 0; i < kTileCount; ++i)
        settings.keys[static_cast<std::size_t>(i)] =
            ini.Text(kSettings, Key(kKeyTilePrefix, i + 1), kDefaultKeyCodes[static_cast<std::size_t>(i)]);
    for (int i = 0; i < kMidiChannelCount; ++i)
        settings.midi_channels[static_cast<std::size_t>(i)] =
            ini.Text(kSettings, Key(kKeyMidiChannelPrefix, i + 1), kDefaultMidiChannels[static_cast<std::size_t>(i)]);
    for (int i = 0; i < kCtrlNumberCount; ++i)
        settings.ctrl_numbers[static_cast<std::size_t>(i)] =
            ini.Text(kSettings, Key(kKeyCtrlPrefix, i + 1), std::to_string(kDefaultCtrlNumberBase + i + 1));
}

void LoadBankFunctions(const IniDocument& ini, PresetTable& table)
{
    BankFunctions functions{};
    for (int digit = 0; digit < kBankCount; ++digit)
        functions[static_cast<std::size_t>(digit)] = ini.Bool(kBank, Key(kKeyBankFunctionPrefix, digit), true);
    table.SetAllBankFunctions(functions);
}

// A preset file has at least one of its sections; anything else (an empty text, another
// program's file, random bytes) is not one.
bool HoldsPresetSections(const IniDocument& ini)
{
    if (ini.HasSection(kSettings) || ini.HasSection(kBank)) return true;
    for (int preset = 0; preset < kPresetCount; ++preset) {
        if (ini.HasSection(Key(kPresetSectionPrefix, preset))) return true;
    }
    return false;
}

// --- Saving ----------------------------------------------------------------------------

bool SaveRow(IniDocument& ini, const PresetTable& table, int row)
{
    const PresetKeys& keys = KeysOfPreset();
    // The section is found (or added) once; every key is written into it alone.
    IniSectionWriter section = ini.SectionToWrite(SectionOfRow(table, row));
    const PresetData preset = table.GetRow(row);

    bool ok = section.SetText(keys.modifier, preset.modifier);
    ok = ok && section.SetText(keys.name, preset.name);
    ok = ok && section.SetBool(keys.buffer, preset.buffer);
    for (std::size_t i = 0; i < keys.loops.size(); ++i) ok = ok && section.SetBool(keys.loops[i], preset.loops[i]);
    for (std::size_t i = 0; i < keys.switches.size(); ++i)
        ok = ok && section.SetBool(keys.switches[i], preset.switches[i]);
    ok = ok && section.SetText(keys.midi1, preset.midi1);
    ok = ok && section.SetText(keys.midi2, preset.midi2);
    ok = ok && section.SetText(keys.midi3, preset.midi3_pc);
    for (std::size_t i = 0; i < keys.ctrls.size(); ++i) ok = ok && section.SetText(keys.ctrls[i], preset.ctrls[i]);
    for (std::size_t i = 0; i < keys.aux.size(); ++i) ok = ok && section.SetBool(keys.aux[i], preset.aux[i]);
    return ok;
}

bool SaveSettings(IniDocument& ini, const SettingsData& settings)
{
    IniSectionWriter section = ini.SectionToWrite(kSettings);
    bool ok = true;
    for (int i = 0; i < kTileCount; ++i)
        ok = ok && section.SetText(Key(kKeyTilePrefix, i + 1), settings.keys[static_cast<std::size_t>(i)]);
    for (int i = 0; i < kMidiChannelCount; ++i)
        ok = ok &&
             section.SetText(Key(kKeyMidiChannelPrefix, i + 1), settings.midi_channels[static_cast<std::size_t>(i)]);
    for (int i = 0; i < kCtrlNumberCount; ++i)
        ok = ok && section.SetText(Key(kKeyCtrlPrefix, i + 1), settings.ctrl_numbers[static_cast<std::size_t>(i)]);
    return ok;
}

bool SaveBankFunctions(IniDocument& ini, const PresetTable& table)
{
    IniSectionWriter section = ini.SectionToWrite(kBank);
    bool ok = true;
    for (int digit = 0; digit < kBankCount; ++digit)
        ok = ok && section.SetBool(Key(kKeyBankFunctionPrefix, digit), table.BankFunction(digit));
    return ok;
}

// Takes a text in; returns why it could not (empty when it was loaded).
std::string_view LoadText(std::string_view text, PresetTable& table, SettingsData& settings)
{
    IniDocument ini;
    if (!ini.Parse(text)) return kDetailNotIni;
    if (!HoldsPresetSections(ini)) return kDetailNotPresetFile;
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row) LoadRow(ini, table, row);
    LoadBankFunctions(ini, table);
    LoadSettings(ini, settings);
    return {};
}

}  // namespace

bool LoadPresetText(std::string_view text, PresetTable& table, SettingsData& settings)
{
    return LoadText(text, table, settings).empty();
}

bool PresetFileText(std::string_view existing, const PresetTable& table, const SettingsData& settings,
                    std::string& text)
{
    IniDocument ini;
    if (!ini.Parse(existing)) return false;
    ini.Reserve(kSectionsWritten, kKeysWritten);
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
        if (!SaveRow(ini, table, row)) return false;
    }
    return SaveSettings(ini, settings) && SaveBankFunctions(ini, table) && ini.Render(text);
}

FileResult LoadPresetFile(const std::string& path, PresetTable& table, SettingsData& settings)
{
    std::string text;
    const FileResult read = ReadWholeFile(path, text);
    if (read.status != FileStatus::Done) return read;
    const std::string_view refused = LoadText(text, table, settings);
    if (!refused.empty()) return ReadFailure(path, refused);
    return FileResult{};
}

FileResult SavePresetFile(const std::string& path, const PresetTable& table, const SettingsData& settings)
{
    std::string existing;
    const FileResult read = ReadWholeFile(path, existing);
    if (read.status == FileStatus::Failed) return read;  // never overwrite what we cannot read
    std::string text;
    if (!PresetFileText(existing, table, settings, text)) return SaveFailure(path, kDetailNotIni);
    return ReplaceFileContents(path, text);
}

}  // namespace orvel
