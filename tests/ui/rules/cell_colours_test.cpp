#include "ui/rules/cell_colours.h"

#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/preset_table.h"

namespace orvel {
namespace {

const int kRow = 12;  // first preset of bank 2 (preset 21)

TEST(CellColours, InactiveFirstThenTheCurrentRowThenTheColumn)
{
    PresetTable table;
    table.SetModifier(kRow, "MIDI");
    EXPECT_EQ(ColoursOfCell(table, kRow, kColumnBuffer).background, CellBackground::Inactive);
    EXPECT_EQ(ColoursOfCell(table, kRow, kColumnBuffer).text_rgb, 0xC0C0C0u);
    EXPECT_EQ(ColoursOfCell(table, kRow, kColumnMidi1).background, CellBackground::Info);

    table.SetModifier(kRow, "PRESET");
    EXPECT_EQ(ColoursOfCell(table, kRow, kColumnBuffer).background, CellBackground::Loops);
    EXPECT_EQ(ColoursOfCell(table, kRow, kFirstLoopColumn + 5).background, CellBackground::Loops);
    EXPECT_EQ(ColoursOfCell(table, kRow, kFirstSwitchColumn).background, CellBackground::Switches);
    EXPECT_EQ(ColoursOfCell(table, kRow, kFirstControlColumn + 6).background, CellBackground::Info);
    EXPECT_EQ(ColoursOfCell(table, kRow, kFirstAuxColumn).background, CellBackground::White);
    EXPECT_EQ(ColoursOfCell(table, kRow, kFirstAuxColumn).text_rgb, 0x000000u);
    EXPECT_EQ(ColoursOfCell(table, 0, kFirstLoopColumn).background, CellBackground::Fixed);
    EXPECT_EQ(ColoursOfCell(table, kRow, kColumnPreset).background, CellBackground::Fixed);

    table.SetCurrentRow(kRow);
    EXPECT_EQ(ColoursOfCell(table, kRow, kFirstLoopColumn).background, CellBackground::CurrentRow);
    table.SetModifier(kRow, "SWITCH");
    EXPECT_EQ(ColoursOfCell(table, kRow, kFirstLoopColumn).background, CellBackground::Inactive);

    EXPECT_EQ(RgbOfBackground(CellBackground::Loops), 0xDBFEDAu);
    EXPECT_EQ(RgbOfBackground(CellBackground::Switches), 0xECEDFDu);
    EXPECT_EQ(RgbOfBackground(CellBackground::CurrentRow), 0xFFFF00u);
    EXPECT_EQ(RgbOfBackground(CellBackground::Info), std::nullopt);
}

}  // namespace
}  // namespace orvel
