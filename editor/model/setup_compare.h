// What differs between two set-ups (the editor's and the one read from the controller):
// the preset fields, the wah-pad bank functions, the MIDI channels, the CTRL numbers and the
// eight key settings. Names are not compared: the controller does not hold them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel {

enum class DifferencePlace {
    Preset,        // `number` is the preset number, `column` its preset grid column
    BankFunction,  // `number` is the bank digit
    SettingsCell,  // `column` is the settings grid column (0-2 channels, 3-9 CTRL numbers)
    Tile,          // `number` is the tile, 1 to 8
};

struct SetupDifference {
    DifferencePlace place = DifferencePlace::Preset;
    int number = 0;
    int column = 0;
    std::string field;         // "MIDI1", "LOOP 3", "wah-pad function", "CTRL number 2", "BANKS"
    std::string editor_value;  // as the editor shows it: texts, "on"/"off", "Add"/"Pr9"
    std::string controller_value;

    bool operator==(const SetupDifference&) const = default;
};

// Every difference, presets first in preset number order and, within a preset, in grid
// column order; then the bank functions by bank digit, the settings grid by column and the
// tiles. Two values are the same when the controller (of this firmware version) stores them
// alike: a preset value as the same byte ("007" and "7", a MIDI1 program "200" and "128", a
// control "222" and "tog"), a setting as the same code it reports back ("n3A" and "n3P"
// below version 2, where it reports no AUX mode at all). A text the controller has no byte
// for is compared as it is. Each difference shows both sides' texts as they are.
std::vector<SetupDifference> CompareSetups(const PresetTable& editor_table, const SettingsData& editor_settings,
                                           const PresetTable& controller_table, const SettingsData& controller_settings,
                                           std::uint8_t firmware_version);

// The values of a set-up that a controller of this firmware version stores as another value
// ("200" in MIDI1 as "128"), in the order of CompareSetups: `editor_value` the text given,
// `controller_value` the text it comes back as.
std::vector<SetupDifference> StoredDifferently(const PresetTable& table, const SettingsData& settings,
                                               std::uint8_t firmware_version);

// Where a difference is, as a person reads it: "preset 37", "bank 3", "settings".
std::string DifferenceWhere(const SetupDifference& difference);

// One line per difference: "preset 37 MIDI1: editor 12, controller unu"; `editor_label`
// names the first side ("editor", or "file" for a preset file), `controller_label` the second
// (another preset file's name when two files are compared).
std::string DifferenceLine(const SetupDifference& difference, std::string_view editor_label,
                           std::string_view controller_label = "controller");

// A value StoredDifferently found: "preset 37 MIDI1 200 is stored as 128".
std::string StoredAsLine(const SetupDifference& difference);

}  // namespace orvel
