// The live preview's plain rules: boxes, the red one, labels and their wrap.
#include "ui/rules/preview_rules.h"

#include <gtest/gtest.h>

#include "model/model_constants.h"

namespace orvel {
namespace {

TEST(PreviewRules, BoxesSitInTwoRowsAndTheActivePresetDigitIsRed)
{
    EXPECT_EQ(PreviewBoxOrigin(0), (PreviewPoint{100, 850}));
    EXPECT_EQ(PreviewBoxOrigin(4), (PreviewPoint{3100, 850}));
    EXPECT_EQ(PreviewBoxOrigin(5), (PreviewPoint{460, 300}));
    EXPECT_EQ(PreviewBoxOrigin(9), (PreviewPoint{3460, 300}));
    // 37: the seventh box (k = 6); 30: the tenth (k = 9).
    for (int k = 0; k < kPreviewBoxCount; ++k) {
        EXPECT_EQ(PreviewBoxActive(k, 7), k == 6) << k;
        EXPECT_EQ(PreviewBoxActive(k, 0), k == 9) << k;
    }
}

TEST(PreviewRules, DigitsAbove9ChangeNothingAndTheTextSizeFollowsTheScreen)
{
    EXPECT_EQ(PreviewDigits(3, 7), (ShownDigits{3, 7}));
    EXPECT_EQ(PreviewDigits(9, 9), (ShownDigits{9, 9}));
    EXPECT_FALSE(PreviewDigits(10, 0));
    EXPECT_FALSE(PreviewDigits(1, 15));
    EXPECT_EQ(PreviewTextPoints(96), 84);
    EXPECT_EQ(PreviewTextPoints(120), 67);  // 67.2
    EXPECT_EQ(PreviewTextPoints(144), 56);
}

TEST(PreviewRules, LabelsAreTheBankNamesOrTheBankSwitches)
{
    PresetTable table;
    table.SetText(TableRowOfPreset(31), kColumnName, "Clean");
    table.SetText(TableRowOfPreset(35), kColumnName, "Five");
    table.SetText(TableRowOfPreset(30), kColumnName, "Zero");
    auto names = PreviewLabels(table, 3, "cb1", "AF1");
    EXPECT_EQ(names[0], "Clean");
    EXPECT_EQ(names[4], "Five");
    EXPECT_EQ(names[9], "Zero");

    for (const char* mode : {"cb2", "cb3"}) {
        auto labels = PreviewLabels(table, 3, mode, "AF1");
        EXPECT_EQ(labels[0], "Clean");
        EXPECT_EQ(labels[4], "BANK DOWN");
        EXPECT_EQ(labels[9], "BANK UP");
    }
    EXPECT_EQ(PreviewLabels(table, 3, "cb2", "AF2"), names);
    EXPECT_EQ(PreviewLabels(table, 0, "cb1", "AF1")[9], table.GetRow(TableRowOfPreset(0)).name);
}

TEST(PreviewRules, AWideLabelWrapsAtItsFirstSpaceOrAfter8Characters)
{
    EXPECT_EQ(WrapPreviewLabel("ABCDEFGHIJKL"), (WrappedLabel{"ABCDEFGH", "IJKL"}));
    EXPECT_EQ(WrapPreviewLabel("Big Solo Lead"), (WrappedLabel{"Big", "Solo Lead"}));
    EXPECT_EQ(WrapPreviewLabel("Overdrive Lead"), (WrappedLabel{"Overdriv", "e Lead"}));
    EXPECT_EQ(WrapPreviewLabel(" Lead"), (WrappedLabel{"", "Lead"}));
    // Polish letters are two bytes each and count as one character.
    EXPECT_EQ(WrapPreviewLabel("Zażółćgęśląjaźń"), (WrappedLabel{"Zażółćgę", "śląjaźń"}));
    EXPECT_EQ(PreviewCentredX(100, 200), 300);
}

}  // namespace
}  // namespace orvel
