#include "ui/rules/cell_colours.h"

#include <gtest/gtest.h>

#include "model/preset_table.h"

namespace orvel {
namespace {

const int kRow = 12;   // first preset of bank 2 (preset 21)

TEST(CellColours, InactiveFirstThenTheCurrentRowThenTheColumn)
{
    PresetTable table;
    table.SetModifier(kRow, "MIDI");
    EXPECT_EQ(ColoursOfCell(table, kRow, 4).background, CellBackground::Inactive);
    EXPECT_EQ(ColoursOfCell(table, kRow, 4).text_rgb, 0xC0C0C0u);
    EXPECT_EQ(ColoursOfCell(table, kRow, 15).background, CellBackground::Info);

    table.SetModifier(kRow, "PRESET");
    EXPECT_EQ(ColoursOfCell(table, kRow, 4).background, CellBackground::Loops);
    EXPECT_EQ(ColoursOfCell(table, kRow, 10).background, CellBackground::Loops);
    EXPECT_EQ(ColoursOfCell(table, kRow, 11).background, CellBackground::Switches);
    EXPECT_EQ(ColoursOfCell(table, kRow, 24).background, CellBackground::Info);
    EXPECT_EQ(ColoursOfCell(table, kRow, 25).background, CellBackground::White);
    EXPECT_EQ(ColoursOfCell(table, kRow, 25).text_rgb, 0x000000u);
    EXPECT_EQ(ColoursOfCell(table, 0, 5).background, CellBackground::Fixed);
    EXPECT_EQ(ColoursOfCell(table, kRow, 1).background, CellBackground::Fixed);

    table.SetCurrentRow(kRow);
    EXPECT_EQ(ColoursOfCell(table, kRow, 5).background, CellBackground::CurrentRow);
    table.SetModifier(kRow, "SWITCH");
    EXPECT_EQ(ColoursOfCell(table, kRow, 5).background, CellBackground::Inactive);

    EXPECT_EQ(RgbOfBackground(CellBackground::Loops), 0xDBFEDAu);
    EXPECT_EQ(RgbOfBackground(CellBackground::Switches), 0xECEDFDu);
    EXPECT_EQ(RgbOfBackground(CellBackground::CurrentRow), 0xFFFF00u);
    EXPECT_EQ(RgbOfBackground(CellBackground::Info), std::nullopt);
}

}  // namespace
}  // namespace orvel
