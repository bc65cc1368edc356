#include "ui/rules/preset_grid_sizes.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

TEST(PresetGridSizes, ColumnsScaleWithWidthRowsWithWholeHeightFactor)
{
    int total = 0;
    for (int units : kColumnWidthUnits) total += units;
    EXPECT_EQ(total, 28 + 15 + 50 + 77 + 13 * 23 + 10 * 46);
    EXPECT_EQ(kColumnWidthUnits[3], 77);

    EXPECT_EQ(ColumnWidthPixels(0, 1024), 28);
    EXPECT_EQ(ColumnWidthPixels(26, 1024), 23);
    EXPECT_EQ(GridWidthPixels(1024), 929 + 26);
    // 1280 / 1024 = 1.25: 15 -> 18.75 -> 19; 46 -> 57.5 -> 58; 50 -> 62.5 -> 62 (halves to even)
    EXPECT_EQ(ColumnWidthPixels(1, 1280), 19);
    EXPECT_EQ(ColumnWidthPixels(15, 1280), 58);
    EXPECT_EQ(ColumnWidthPixels(2, 1280), 62);
    EXPECT_EQ(ColumnWidthPixels(27, 1280), 0);

    EXPECT_EQ(RowHeightFactor(768), 1);
    EXPECT_EQ(RowHeightFactor(1151), 1);
    EXPECT_EQ(RowHeightFactor(1152), 2);  // 1.5 goes to the even 2
    EXPECT_EQ(RowHeightFactor(1200), 2);
    EXPECT_EQ(RowHeightFactor(1920), 2);  // 2.5 goes to the even 2
    EXPECT_EQ(RowHeightPixels(0, 1200), 2 * kHeaderRow0DesignHeight);
    EXPECT_EQ(RowHeightPixels(1, 768), kHeaderRow1DesignHeight);
    EXPECT_EQ(RowHeightPixels(50, 1152), 2 * kPresetRowDesignHeight);
}

}  // namespace
}  // namespace orvel
