#include "model/cell_paste.h"

#include <gtest/gtest.h>

#include "model/cell_text.h"
#include "model/model_constants.h"
#include "model/preset_table.h"

namespace orvel {
namespace {

TEST(CellText, ReadsSpreadsheetTextAsItWasCopied)
{
    const CellBlock block = {{"LOOP", "Riff", "1"}, {"MIDI", "", "0"}};
    EXPECT_EQ(ParseCellText(FormatCellText(block)), block);
    // Spreadsheets end every line, Windows ones with CR LF; empty cells stay cells.
    EXPECT_EQ(ParseCellText("LOOP\tRiff\t1\r\nMIDI\t\t0\r\n"), block);
    EXPECT_EQ(ParseCellText("12\n"), (CellBlock{{"12"}}));
    EXPECT_EQ(ParseCellText("a\rb"), (CellBlock{{"a"}, {"b"}}));
    EXPECT_EQ(ParseCellText("a\n\nb\n"), (CellBlock{{"a"}, {""}, {"b"}}));
    EXPECT_EQ(ParseCellText("\t\n"), (CellBlock{{"", ""}}));
    EXPECT_TRUE(ParseCellText("").empty());
}

TEST(CellPaste, EachValueGoesThroughItsColumnsRule)
{
    EXPECT_EQ(PastedPresetValue(kColumnMidi1, " 007 "), "7");
    EXPECT_EQ(PastedPresetValue(kFirstControlColumn, "t"), "tog");
    EXPECT_EQ(PastedPresetValue(kColumnMidi1, "129"), std::nullopt);
    EXPECT_EQ(PastedPresetValue(kColumnMidi1, ""), std::nullopt);
    EXPECT_EQ(PastedPresetValue(kColumnModifier, "SWITCH"), "SWITCH");
    EXPECT_EQ(PastedPresetValue(kColumnModifier, "Solo"), std::nullopt);  // TYPE is a list
    EXPECT_EQ(PastedPresetValue(kColumnName, "Fifteen chars.."), "Fifteen chars..");
    EXPECT_EQ(PastedPresetValue(kColumnName, "Sixteen chars..."), std::nullopt);
    EXPECT_EQ(PastedPresetValue(kColumnName, "Zażółć gęślą ja"), "Zażółć gęślą ja");  // characters, not bytes
    EXPECT_EQ(PastedPresetValue(kColumnBuffer, "TRUE"), "1");
    EXPECT_EQ(PastedPresetValue(kFirstAuxColumn, "0"), "0");
    EXPECT_EQ(PastedPresetValue(kFirstAuxColumn, " False "), "0");
    EXPECT_EQ(PastedPresetValue(kFirstAuxColumn, "x"), std::nullopt);
    EXPECT_EQ(PastedPresetValue(kColumnBank, "3"), std::nullopt);
}

// A block with a bad value, an inactive cell and a value beyond the last column: exactly
// the good values on active cells are written.
TEST(CellPaste, OnlyValidValuesOnActiveCellsAreWritten)
{
    PresetTable table;
    const int first = TableRowOfPreset(40);
    const int second = first + 1;
    table.SetModifier(second, "LOOP");  // MIDI columns inactive
    table.SetText(second, kColumnMidi2, "99");
    const PresetTable before = table;

    const CellBlock block = ParseCellText("12\tabc\r\n13\t14\r\n");
    const PasteCount count = PasteTableCells(table, first, kColumnMidi1, block);
    EXPECT_EQ(count, (PasteCount{1, 1, 2}));
    for (int row = 0; row < kTableRowCount; ++row)
        for (int column = 0; column < kColumnCount; ++column) {
            if (row == first && column == kColumnMidi1) continue;
            ASSERT_EQ(table.Cell(row, column).text, before.Cell(row, column).text) << row << "," << column;
            ASSERT_EQ(table.Cell(row, column).checked, before.Cell(row, column).checked) << row << "," << column;
        }
    EXPECT_EQ(table.Cell(first, kColumnMidi1).text, "12");

    const PasteCount edge = PasteTableCells(table, first, kFirstAuxColumn + 1, ParseCellText("1\t1"));
    EXPECT_EQ(edge, (PasteCount{1, 0, 1}));
    EXPECT_EQ(PasteTableCells(table, 0, kColumnName, {{"head"}}), (PasteCount{0, 0, 1}));
    EXPECT_EQ(table.Cell(0, kColumnName).text, before.Cell(0, kColumnName).text);
}

// A whole row copied and pasted over another: its TYPE comes first and opens the cells
// the rest of the row needs.
TEST(CellPaste, ACopiedRowPastesWholeOverARowOfAnotherType)
{
    PresetTable table;
    const int from = TableRowOfPreset(21);
    const int to = TableRowOfPreset(55);
    PresetData midi;
    midi.modifier = "MIDI";
    midi.name = "Lead";
    midi.midi1 = "5";
    midi.ctrls[6] = "tog";
    table.SetRow(from, midi);
    table.SetModifier(to, "LOOP");
    table.SetChecked(to, kFirstLoopColumn, true);  // inactive under MIDI: kept

    const CellBlock copied = CopyTableCells(table, from, from, 0, kColumnCount - 1);
    ASSERT_EQ(copied.size(), 1u);
    EXPECT_EQ(copied[0].size(), static_cast<std::size_t>(kColumnCount - kFixedColumnCount));
    const PasteCount count = PasteTableCells(table, to, kColumnModifier, copied);
    EXPECT_EQ(count.refused, 0);
    PresetData expected = midi;
    expected.loops[0] = true;
    EXPECT_EQ(table.GetRow(to), expected);
    EXPECT_EQ(table.Cell(to, kColumnBank).text, "5");  // digit columns untouched
}

TEST(CellPaste, SettingsTakeTheFirstLineByTheirOwnRule)
{
    SettingsData settings;
    const PasteCount count = PasteSettingsCells(settings, 1, ParseCellText("7\t17\t0\n5\n"));
    EXPECT_EQ(count, (PasteCount{2, 1, 1}));
    EXPECT_EQ(settings.midi_channels[1], "7");
    EXPECT_EQ(settings.midi_channels[2], SettingsData{}.midi_channels[2]);  // 17 is no channel
    EXPECT_EQ(settings.ctrl_numbers[0], "0");
    EXPECT_EQ(PasteSettingsCells(settings, 9, {{"1", "2"}}), (PasteCount{1, 0, 1}));
    EXPECT_EQ(CopySettingsCells(settings, 1, 3), (CellBlock{{"7", settings.midi_channels[2], "0"}}));
}

}  // namespace
}  // namespace orvel
