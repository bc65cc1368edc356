// A record of the whole set-up the window edits: every preset row (its fields and which of
// its cells are active), the ten wah-pad bank functions and the settings (channels, CTRL
// numbers and the tiles' codes). Undo keeps one before and one after each change; putting a
// record back makes the set-up exactly what it was. The current row, the digit columns and
// the header rows are not part of it.
#pragma once

#include <array>

#include "model/bank_functions.h"
#include "model/model_constants.h"
#include "model/preset_data.h"
#include "model/settings_data.h"

namespace orvel {

class PresetTable;

inline constexpr int kFlaggedColumnCount = kColumnCount - kColumnBuffer;  // columns 4 to 26

struct SnapshotRow {
    PresetData preset;                               // bank_function left false
    std::array<bool, kFlaggedColumnCount> active{};  // columns 4 to 26

    bool operator==(const SnapshotRow&) const = default;
};

struct SetupSnapshot {
    std::array<SnapshotRow, kPresetCount> rows;  // by preset row (table row - 2)
    BankFunctions bank_functions{};
    SettingsData settings;

    bool operator==(const SetupSnapshot&) const = default;
};

SetupSnapshot TakeSetupSnapshot(const PresetTable& table, const SettingsData& settings);

// Puts the record back into the table and the settings; the table's current row stays.
void RestoreSetupSnapshot(const SetupSnapshot& snapshot, PresetTable& table, SettingsData& settings);

}  // namespace orvel
