#include "model/preset_numbering.h"

#include <set>

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(PresetNumbering, GridOrderIsOneToNineThenZero)
{
    EXPECT_EQ(PresetOfRow(0), 11);
    EXPECT_EQ(PresetOfRow(8), 19);
    EXPECT_EQ(PresetOfRow(9), 10);
    EXPECT_EQ(PresetOfRow(10), 21);
    EXPECT_EQ(PresetOfRow(90), 1);
    EXPECT_EQ(PresetOfRow(99), 0);
    EXPECT_EQ(BankDigitOfRow(89), 9);
    EXPECT_EQ(BankDigitOfRow(90), 0);
    EXPECT_EQ(PresetDigitOfRow(19), 0);
}

TEST(PresetNumbering, RowsAndNumbersMapOneToOne)
{
    std::set<int> seen;
    for (int row = 0; row < 100; ++row) {
        const std::uint8_t preset = PresetOfRow(row);
        EXPECT_LT(preset, 100);
        EXPECT_EQ(RowOfPreset(preset), row);
        EXPECT_EQ(preset, BankDigitOfRow(row) * 10 + PresetDigitOfRow(row));
        seen.insert(preset);
    }
    EXPECT_EQ(seen.size(), 100u);
}

}  // namespace
}  // namespace orvel
