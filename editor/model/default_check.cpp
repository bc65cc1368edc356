#include "model/default_check.h"

#include "model/preset_entry.h"
#include "model/preset_image.h"
#include "model/settings_data.h"

namespace orvel {

namespace {

constexpr const char* kNotDefault = " nie ma wartości domyślnej";
constexpr int kComparedTiles = 7;

bool ReadsAs(const std::string& text, int value)
{
    return ReadWholeNumber(text, value, value).has_value();
}

}  // namespace

std::optional<std::string> FirstPresetDifference(const LastReadImages& images, const BankFunctions& functions)
{
    const PresetImage factory = DefaultPresetImage();
    for (int n = 0; n < kPresetCount; ++n) {
        if (images[n] != factory) return "Preset " + std::to_string(n) + kNotDefault;
    }
    for (int d = 0; d < kBankCount; ++d) {
        if (!functions[d]) return "Funkcja wah-padu w banku " + std::to_string(d) + kNotDefault;
    }
    return std::nullopt;
}

std::optional<std::string> FirstSettingsDifference(const SettingsData& settings)
{
    const SettingsData factory;
    for (int i = 0; i < static_cast<int>(settings.ctrl_numbers.size()); ++i) {
        if (!ReadsAs(settings.ctrl_numbers[i], 81 + i)) return "Numer CTRL" + std::to_string(i) + kNotDefault;
    }
    for (int i = 0; i < static_cast<int>(settings.midi_channels.size()); ++i) {
        if (!ReadsAs(settings.midi_channels[i], i + 1)) return "Numer kanału MIDI" + std::to_string(i) + kNotDefault;
    }
    for (int tile = 0; tile < kComparedTiles; ++tile) {
        if (settings.keys[tile] != factory.keys[tile])
            return "Ustawienie pod klawiszem " + std::to_string(tile + 1) + kNotDefault + " (" + factory.keys[tile] +
                   ")";
    }
    return std::nullopt;
}

}  // namespace orvel
