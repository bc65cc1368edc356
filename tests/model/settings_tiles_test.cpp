#include "model/settings_tiles.h"

#include <gtest/gtest.h>

#include "model/settings_constants.h"
#include "model/settings_entry.h"

namespace orvel {
namespace {

std::vector<std::string> ClickCycle(int tile, std::string code, int clicks)
{
    std::vector<std::string> seen;
    for (int i = 0; i < clicks; ++i) {
        code = ClickTile(tile, code);
        seen.push_back(code);
    }
    return seen;
}

TEST(SettingsTiles, ClicksStepThroughTheCodesAndWrap)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(ClickCycle(1, "cb0", 4), (V{"cb1", "cb2", "cb3", "cb0"}));
    EXPECT_EQ(ClickCycle(2, "uP2", 1), (V{"uP0"}));
    EXPECT_EQ(ClickCycle(3, "uL5", 2), (V{"uL6", "uL1"}));
    EXPECT_EQ(ClickCycle(4, "ot0", 2), (V{"ot1", "ot0"}));
    EXPECT_EQ(ClickCycle(6, "n3P", 3), (V{"n3c", "n3A", "n3P"}));
    EXPECT_EQ(ClickCycle(7, "tu3", 2), (V{"tu4", "tu1"}));
    EXPECT_EQ(ClickCycle(8, "AF2", 1), (V{"AF1"}));
}

TEST(SettingsTiles, UnknownCodesFallBackExceptOnTheTunerTile)
{
    const char* fallbacks[] = {"cb1", "uP0", "uL1", "ot0", "tt0", "n3P", nullptr, "AF1"};
    for (int tile = 1; tile <= 8; ++tile) {
        const std::string expected = fallbacks[tile - 1] ? fallbacks[tile - 1] : "??";
        EXPECT_EQ(ClickTile(tile, "??"), expected) << tile;
        EXPECT_EQ(ClickTile(tile, ""), fallbacks[tile - 1] ? expected : "") << tile;
    }
    EXPECT_EQ(ClickTile(1, "CB0"), "cb1");  // codes are matched exactly
    EXPECT_EQ(ClickTile(9, "cb0"), "cb0");
}

TEST(SettingsTiles, BalloonsAndPreviewRules)
{
    EXPECT_EQ(BalloonTitle(8), "AUX MODE");  // tiles count from 1
    EXPECT_EQ(BalloonText(0), "");
    EXPECT_TRUE(TileClickResetsPreview(8));
    EXPECT_FALSE(TileClickResetsPreview(7));

    SettingsData settings;
    EXPECT_FALSE(ShowsBankStepLabels(settings));
    settings.keys[0] = "cb3";
    EXPECT_TRUE(ShowsBankStepLabels(settings));
    settings.keys[7] = "AF2";
    EXPECT_FALSE(ShowsBankStepLabels(settings));
}

TEST(SettingsEntry, ChannelsTakeOneToSixteenAndCtrlNumbersZeroTo127)
{
    EXPECT_EQ(ValidateSettingsEntry(kSetupFirstChannelColumn, "16"), "16");
    EXPECT_EQ(ValidateSettingsEntry(kSetupFirstChannelColumn + 2, "1"), "1");
    EXPECT_FALSE(ValidateSettingsEntry(kSetupFirstChannelColumn, "0"));
    EXPECT_FALSE(ValidateSettingsEntry(kSetupFirstChannelColumn + 1, "17"));
    EXPECT_EQ(ValidateSettingsEntry(kSetupFirstCtrlColumn, "0"), "0");
    EXPECT_EQ(ValidateSettingsEntry(kSetupFirstCtrlColumn + 6, "127"), "127");
    EXPECT_FALSE(ValidateSettingsEntry(kSetupFirstCtrlColumn + 6, "128"));
    EXPECT_FALSE(ValidateSettingsEntry(kSetupFirstCtrlColumn + 1, "unu"));
    EXPECT_FALSE(ValidateSettingsEntry(kSetupFirstCtrlColumn + 1, ""));
    EXPECT_FALSE(ValidateSettingsEntry(kSetupColumnCount, "5"));

    EXPECT_EQ(SettingsEditorOfColumn(kSetupFirstChannelColumn + 2).items.back(), "16");
    EXPECT_EQ(SettingsEditorOfColumn(kSetupFirstCtrlColumn).items.back(), "127");
    EXPECT_EQ(SettingsEditorOfColumn(kSetupColumnCount).kind, CellEditorKind::None);

    SettingsData settings;
    SetSettingsCellText(settings, kSetupFirstCtrlColumn + 6, "12");
    EXPECT_EQ(settings.ctrl_numbers[6], "12");
    EXPECT_EQ(SettingsCellText(settings, kSetupFirstChannelColumn + 1), "2");
    EXPECT_EQ(SettingsCellText(settings, -1), "");
}

}  // namespace
}  // namespace orvel
