#include "model/setup_snapshot.h"

#include <gtest/gtest.h>

#include "model/preset_table.h"

namespace orvel {
namespace {

// Cells, check states, active flags, bank functions and settings come back exactly, the
// flags of a row whose type text no modifier reads (as a file may hold) included; the
// current row stays where the user has it.
TEST(SetupSnapshot, PuttingARecordBackRestoresTheWholeSetUp)
{
    PresetTable table;
    SettingsData settings;
    const int loop_row = TableRowOfPreset(37);
    const int odd_row = TableRowOfPreset(5);
    table.SetModifier(loop_row, "LOOP");          // MIDI cells inactive
    table.SetText(loop_row, kColumnMidi1, "12");  // an inactive cell keeps its value
    table.SetChecked(loop_row, kFirstLoopColumn + 2, true);
    table.SetModifier(odd_row, "MIDI");
    table.SetText(odd_row, kColumnModifier, "odd");  // flags of MIDI stay, type unreadable
    table.SetBankFunction(3, false);
    settings.keys[4] = "tt1";
    settings.midi_channels[1] = "9";
    const PresetTable saved_table = table;
    const SetupSnapshot before = TakeSetupSnapshot(table, settings);

    PresetTable changed;  // every preset the default, every flag active
    changed.SetRow(odd_row, PresetData{});
    SettingsData other;
    changed.SetCurrentRow(TableRowOfPreset(80));
    RestoreSetupSnapshot(before, changed, other);

    for (int row = 0; row < kTableRowCount; ++row)
        for (int column = 0; column < kColumnCount; ++column) {
            const TableCell& got = changed.Cell(row, column);
            const TableCell& want = saved_table.Cell(row, column);
            ASSERT_EQ(got.text, want.text) << row << "," << column;
            ASSERT_EQ(got.active, want.active) << row << "," << column;
            ASSERT_EQ(got.checked, want.checked) << row << "," << column;
        }
    EXPECT_FALSE(changed.BankFunction(3));
    EXPECT_EQ(other, settings);
    EXPECT_EQ(changed.CurrentRow(), TableRowOfPreset(80));
    EXPECT_EQ(TakeSetupSnapshot(changed, other), before);
}

TEST(SetupSnapshot, AnyChangeOfTheSetUpMakesADifferentRecord)
{
    PresetTable table;
    SettingsData settings;
    const SetupSnapshot start = TakeSetupSnapshot(table, settings);

    PresetTable flags_only = table;  // same texts, one flag different
    flags_only.SetActive(TableRowOfPreset(0), kColumnMidi1, false);
    EXPECT_NE(TakeSetupSnapshot(flags_only, settings), start);

    PresetTable bank = table;
    bank.SetBankFunction(9, false);
    EXPECT_NE(TakeSetupSnapshot(bank, settings), start);

    SettingsData tiles = settings;
    tiles.keys[0] = "cb0";
    EXPECT_NE(TakeSetupSnapshot(table, tiles), start);

    PresetTable moved = table;  // the current row is the cursor, not the set-up
    moved.SetCurrentRow(TableRowOfPreset(3));
    EXPECT_EQ(TakeSetupSnapshot(moved, settings), start);
}

}  // namespace
}  // namespace orvel
