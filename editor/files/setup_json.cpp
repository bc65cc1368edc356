#include "files/setup_json.h"

#include "model/bank_functions.h"
#include "model/model_constants.h"
#include "model/settings_tiles.h"

namespace orvel {

namespace {

template <typename Values>
void WriteFlags(JsonWriter& json, std::string_view key, const Values& flags)
{
    json.Key(key);
    json.BeginArray();
    for (bool on : flags) json.Bool(on);
    json.EndArray();
}

template <typename Values>
void WriteTexts(JsonWriter& json, std::string_view key, const Values& texts)
{
    json.Key(key);
    json.BeginArray();
    for (const std::string& text : texts) json.String(text);
    json.EndArray();
}

void WritePreset(JsonWriter& json, int number, const PresetData& preset)
{
    json.BeginObject();
    json.Key("preset");
    json.Number(number);
    json.Key("type");
    json.String(preset.modifier);
    json.Key("name");
    json.String(preset.name);
    json.Key("buffer");
    json.Bool(preset.buffer);
    WriteFlags(json, "loops", preset.loops);
    WriteFlags(json, "switches", preset.switches);
    json.Key("midi1");
    json.String(preset.midi1);
    json.Key("midi2");
    json.String(preset.midi2);
    json.Key("midi3");
    json.String(preset.midi3_pc);
    WriteTexts(json, "ctrls", preset.ctrls);
    WriteFlags(json, "aux", preset.aux);
    json.EndObject();
}

}  // namespace

void WriteSetupJson(JsonWriter& json, const PresetTable& table, const SettingsData& settings)
{
    json.BeginObject();
    json.Key("presets");
    json.BeginArray();
    for (int n = 0; n < kPresetCount; ++n)
        WritePreset(json, n, table.GetRow(TableRowOfPreset(static_cast<std::uint8_t>(n))));
    json.EndArray();
    json.Key("bank_functions");
    json.BeginArray();
    for (int bank = 0; bank < kBankCount; ++bank) json.String(BankFunctionCaption(table.BankFunction(bank)));
    json.EndArray();
    json.Key("settings");
    json.BeginObject();
    WriteTexts(json, "midi_channels", settings.midi_channels);
    WriteTexts(json, "ctrl_numbers", settings.ctrl_numbers);
    json.EndObject();
    json.Key("tiles");
    json.BeginArray();
    for (int tile = 1; tile <= kTileCount; ++tile) {
        json.BeginObject();
        json.Key("tile");
        json.Number(tile);
        json.Key("title");
        json.String(BalloonTitle(tile));
        json.Key("code");
        json.String(settings.keys[static_cast<std::size_t>(tile - 1)]);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace orvel
