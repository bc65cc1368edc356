#include "model/preset_popup.h"

#include <gtest/gtest.h>

#include "model/bank_rows.h"
#include "model/preset_table.h"

namespace orvel {
namespace {

TEST(PresetPopup, HeaderRowMovesToFirstPresetRowAndNamesIt)
{
    PresetTable table;
    table.SetCurrentRow(1);
    EXPECT_EQ(MoveCurrentRowToPresets(table), 2);
    EXPECT_EQ(table.CurrentRow(), 2);
    EXPECT_EQ(CaptionsForRow(table, table.CurrentRow()),
              (RowCommandCaptions{"Copy bank 1", "Copy preset 11", "Read bank 1", "Write bank 1",
                                  "Read preset 11", "Write preset 11"}));

    table.SetCurrentRow(40);
    EXPECT_EQ(MoveCurrentRowToPresets(table), 40);   // a preset row stays
}

TEST(PresetPopup, CaptionsCarryTwoDigitsAndTheBankDigit)
{
    const PresetTable table;
    const RowCommandCaptions last = CaptionsForRow(table, 101);
    EXPECT_EQ(last.copy_preset, "Copy preset 00");
    EXPECT_EQ(last.copy_bank, "Copy bank 0");
    EXPECT_EQ(last.write_preset, "Write preset 00");
    EXPECT_EQ(CaptionsForRow(table, 92).read_preset, "Read preset 01");
    EXPECT_EQ(CaptionsForRow(table, 11).copy_preset, "Copy preset 10");
    EXPECT_EQ(CaptionsForRow(table, 11).read_bank, "Read bank 1");
    EXPECT_EQ(CaptionsForRow(table, 0).copy_preset, "Copy preset 11");
}

TEST(BankRows, BanksByTableRow)
{
    EXPECT_EQ(FirstRowOfBank(2), 2);
    EXPECT_EQ(FirstRowOfBank(11), 2);
    EXPECT_EQ(FirstRowOfBank(12), 12);
    EXPECT_EQ(FirstRowOfBank(101), 92);
    EXPECT_EQ(FirstRowOfBank(0), 2);
    EXPECT_EQ(BankButtonRow(1), 2);
    EXPECT_EQ(BankButtonRow(9), 82);
    EXPECT_EQ(BankButtonRow(0), 92);
    EXPECT_EQ(BankButtonRow(10), -1);
    const PresetTable table;
    for (int digit = 0; digit < 10; ++digit) {
        const int row = BankButtonRow(digit);
        EXPECT_EQ(table.Cell(row, 0).text, std::to_string(digit)) << digit;
        for (int k = 0; k < 10; ++k) {
            EXPECT_EQ(FirstRowOfBank(row + k), row) << digit;
            EXPECT_EQ(BankDigitOfTableRow(row + k), digit) << digit;
        }
    }
}

TEST(BankRows, ButtonPressedTwiceRestoresTheFlag)
{
    PresetTable table;
    const int row = TableRowOfPreset(67);
    EXPECT_EQ(ToggleBankFunctionOfRow(table, row), 6);
    EXPECT_FALSE(table.BankFunction(6));
    EXPECT_TRUE(table.BankFunction(5));
    EXPECT_TRUE(table.BankFunction(7));
    EXPECT_EQ(ToggleBankFunctionOfRow(table, BankButtonRow(6)), 6);
    EXPECT_EQ(table.AllBankFunctions(), DefaultBankFunctions());
}

}  // namespace
}  // namespace orvel
