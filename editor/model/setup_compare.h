// What differs between two set-ups (the editor's and the one read from the controller):
// the preset fields, the wah-pad bank functions, the MIDI channels, the CTRL numbers and the
// eight key settings. Names are not compared: the controller does not hold them.
#pragma once

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
// tiles. Numbers are compared as numbers ("007" and "7" are the same value); any other text
// as it is.
std::vector<SetupDifference> CompareSetups(const PresetTable& editor_table, const SettingsData& editor_settings,
                                           const PresetTable& controller_table,
                                           const SettingsData& controller_settings);

// Where a difference is, as a person reads it: "preset 37", "bank 3", "settings".
std::string DifferenceWhere(const SetupDifference& difference);

// One line per difference: "preset 37 MIDI1: editor 12, controller unu"; `editor_label`
// names the first side ("editor", or "file" for a preset file), `controller_label` the second
// (another preset file's name when two files are compared).
std::string DifferenceLine(const SetupDifference& difference, std::string_view editor_label,
                           std::string_view controller_label = "controller");

}  // namespace orvel
