#include "model/setup_snapshot.h"

#include "model/preset_table.h"

namespace orvel {

SetupSnapshot TakeSetupSnapshot(const PresetTable& table, const SettingsData& settings)
{
    SetupSnapshot snapshot;
    for (int preset_row = 0; preset_row < kPresetCount; ++preset_row) {
        const int row = preset_row + kHeaderRowCount;
        SnapshotRow& record = snapshot.rows[static_cast<std::size_t>(preset_row)];
        record.preset = table.GetRow(row);
        for (int i = 0; i < kFlaggedColumnCount; ++i)
            record.active[static_cast<std::size_t>(i)] = table.Cell(row, kColumnBuffer + i).active;
    }
    snapshot.bank_functions = table.AllBankFunctions();
    snapshot.settings = settings;
    return snapshot;
}

void RestoreSetupSnapshot(const SetupSnapshot& snapshot, PresetTable& table, SettingsData& settings)
{
    for (int preset_row = 0; preset_row < kPresetCount; ++preset_row) {
        const int row = preset_row + kHeaderRowCount;
        const SnapshotRow& record = snapshot.rows[static_cast<std::size_t>(preset_row)];
        // SetRow applies the modifier; a type text no modifier reads (from a file) leaves
        // the flags as they were, so they are put back one by one.
        table.SetRow(row, record.preset);
        for (int i = 0; i < kFlaggedColumnCount; ++i)
            table.SetActive(row, kColumnBuffer + i, record.active[static_cast<std::size_t>(i)]);
    }
    table.SetAllBankFunctions(snapshot.bank_functions);
    settings = snapshot.settings;
}

}  // namespace orvel
