#include "model/preset_table.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "model/cell_editor.h"
#include "model/model_constants.h"

namespace orvel {
namespace {

const int kRow = 12;  // first preset of bank 2 (preset 21)

PresetData FullPreset()
{
    PresetData preset;
    preset.modifier = "PRESET";
    preset.name = "Crunch";
    preset.buffer = true;
    preset.loops = {true, false, true, false, false, true};
    preset.switches = {false, true, true, false};
    preset.midi1 = "5";
    preset.midi2 = "unu";
    preset.midi3_pc = "128";
    preset.ctrls = {"0", "tog", "unu", "128", "7", "64", "unu"};
    preset.aux = {true, false};
    return preset;
}

std::vector<bool> ActiveFlags(const PresetTable& table, int row)
{
    std::vector<bool> flags;
    for (int column = kColumnBuffer; column < kColumnCount; ++column) flags.push_back(table.Cell(row, column).active);
    return flags;
}

std::vector<bool> Flags(int from, int to)  // BUFFER to AUX 2, active in [from, to]
{
    std::vector<bool> flags;
    for (int column = kColumnBuffer; column < kColumnCount; ++column) flags.push_back(column >= from && column <= to);
    return flags;
}

TEST(PresetTable, StartState)
{
    const PresetTable table;
    EXPECT_EQ(table.CurrentRow(), 0);
    EXPECT_EQ(table.AllBankFunctions(), DefaultBankFunctions());
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
        EXPECT_EQ(table.GetRow(row), PresetData{}) << row;
        EXPECT_EQ(ActiveFlags(table, row), Flags(kColumnBuffer, kLastAuxColumn)) << row;
    }
    EXPECT_EQ(table.Cell(kHeaderRowCount, kColumnBank).text, "1");
    EXPECT_EQ(table.Cell(11, kColumnPreset).text, "0");
    EXPECT_EQ(table.Cell(101, kColumnBank).text, "0");
    EXPECT_EQ(table.PresetNumberOfRow(2), 11);
    EXPECT_EQ(table.PresetNumberOfRow(11), 10);
    EXPECT_EQ(table.PresetNumberOfRow(92), 1);
    EXPECT_EQ(table.PresetNumberOfRow(101), 0);
    EXPECT_EQ(table.PresetNumberOfRow(1), std::nullopt);
    EXPECT_EQ(TableRowOfPreset(37), 28);
}

TEST(PresetTable, SetAndGetRowRoundTrip)
{
    PresetTable table;
    PresetData preset = FullPreset();
    preset.modifier = "MIDI";
    preset.bank_function = true;  // not kept by rows
    table.SetRow(kRow, preset);
    PresetData expected = preset;
    expected.bank_function = false;
    EXPECT_EQ(table.GetRow(kRow), expected);
    EXPECT_EQ(ActiveFlags(table, kRow), Flags(kColumnMidi1, kLastControlColumn));
    EXPECT_EQ(table.GetRow(kRow + 1), PresetData{});     // neighbours untouched
    EXPECT_EQ(table.Cell(kRow, kColumnBank).text, "2");  // digits untouched

    table.SetRow(1, preset);  // header rows are not presets
    EXPECT_EQ(table.Cell(1, kColumnName).text, "");
}

TEST(PresetTable, ModifierSwitchesActiveCellsAndKeepsValues)
{
    PresetTable table;
    table.SetRow(kRow, FullPreset());

    table.SetModifier(kRow, "LOOP");
    EXPECT_EQ(ActiveFlags(table, kRow), Flags(kColumnBuffer, kLastLoopColumn));
    table.SetModifier(kRow, "SWITCH");
    std::vector<bool> switch_flags = Flags(kFirstSwitchColumn, kLastSwitchColumn);
    std::fill(switch_flags.end() - 2, switch_flags.end(), true);  // AUX too
    EXPECT_EQ(ActiveFlags(table, kRow), switch_flags);
    table.SetModifier(kRow, "PRESET");
    EXPECT_EQ(ActiveFlags(table, kRow), Flags(kColumnBuffer, kLastAuxColumn));
    EXPECT_EQ(table.GetRow(kRow), FullPreset());
}

TEST(PresetTable, UnknownModifierChangesNothing)
{
    PresetTable table;
    table.SetModifier(kRow, "LOOP");
    table.ApplyModifier(kRow, "loop");
    table.ApplyModifier(kRow, "");
    EXPECT_EQ(ActiveFlags(table, kRow), Flags(kColumnBuffer, kLastLoopColumn));
    table.SetModifier(kRow, "BOGUS");  // the text is stored, the flags stay
    EXPECT_EQ(table.Cell(kRow, kColumnModifier).text, "BOGUS");
    EXPECT_EQ(ActiveFlags(table, kRow), Flags(kColumnBuffer, kLastLoopColumn));
}

TEST(PresetTable, CanEditOnlyActiveCellsOfTheCurrentRow)
{
    PresetTable table;
    table.SetModifier(kRow, "LOOP");
    EXPECT_FALSE(table.CanEdit(kRow, kFirstLoopColumn));  // not current yet
    table.SetCurrentRow(kRow);
    EXPECT_TRUE(table.CanEdit(kRow, kColumnModifier));
    EXPECT_TRUE(table.CanEdit(kRow, kColumnName));
    EXPECT_TRUE(table.CanEdit(kRow, kFirstLoopColumn));
    EXPECT_FALSE(table.CanEdit(kRow, kFirstSwitchColumn));
    EXPECT_FALSE(table.CanEdit(kRow, kColumnBank));  // fixed digit columns
    EXPECT_FALSE(table.CanEdit(kRow + 1, kFirstLoopColumn));
    table.SetCurrentRow(0);
    EXPECT_FALSE(table.CanEdit(0, kFirstLoopColumn));  // header row
}

TEST(CellEditor, KindsAndItems)
{
    EXPECT_EQ(EditorKindOfColumn(kColumnPreset), CellEditorKind::None);
    EXPECT_EQ(EditorKindOfColumn(kColumnModifier), CellEditorKind::List);
    EXPECT_EQ(EditorOfColumn(kColumnName).max_length, 15);
    EXPECT_TRUE(IsCheckBoxColumn(kColumnBuffer) && IsCheckBoxColumn(kLastSwitchColumn) &&
                IsCheckBoxColumn(kLastAuxColumn));
    EXPECT_FALSE(IsCheckBoxColumn(kColumnMidi1));

    const CellEditor modifier = EditorOfColumn(kColumnModifier);
    EXPECT_EQ(modifier.items, (std::vector<std::string>{"PRESET", "LOOP", "SWITCH", "MIDI"}));

    const CellEditor program = EditorOfColumn(kColumnMidi3Program);
    EXPECT_EQ(program.kind, CellEditorKind::EditableList);
    ASSERT_EQ(program.items.size(), 129u);
    EXPECT_EQ(program.items.front(), "unu");
    EXPECT_EQ(program.items[1], "1");
    EXPECT_EQ(program.items.back(), "128");

    const CellEditor control = EditorOfColumn(kFirstControlColumn);
    ASSERT_EQ(control.items.size(), 131u);
    EXPECT_EQ(control.items[1], "0");
    EXPECT_EQ(control.items[129], "128");
    EXPECT_EQ(control.items.back(), "tog");
}

}  // namespace
}  // namespace orvel
