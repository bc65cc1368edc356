#include "model/preset_popup.h"

#include <gtest/gtest.h>

#include "model/bank_rows.h"
#include "model/model_constants.h"
#include "model/preset_table.h"

namespace orvel {
namespace {

TEST(PresetPopup, HeaderRowMovesToFirstPresetRow)
{
    PresetTable table;
    table.SetCurrentRow(1);
    EXPECT_EQ(MoveCurrentRowToPresets(table), 2);
    EXPECT_EQ(table.CurrentRow(), 2);
    EXPECT_EQ(CommandRow(0), 2);
    EXPECT_EQ(CommandRow(-1), 2);
    EXPECT_EQ(CommandRow(101), 101);

    table.SetCurrentRow(40);
    EXPECT_EQ(MoveCurrentRowToPresets(table), 40);  // a preset row stays
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
        EXPECT_EQ(table.Cell(row, kColumnBank).text, std::to_string(digit)) << digit;
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
