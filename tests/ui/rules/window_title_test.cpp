#include "ui/rules/window_title.h"

#include <gtest/gtest.h>

#include "ui/rules/command_status.h"

namespace orvel {
namespace {

TEST(Title, BaseTitleWithTheImageVersion)
{
    EXPECT_EQ(BaseTitle(std::nullopt), "Orvel version 2.4");
    EXPECT_EQ(BaseTitle(std::string("2.25")), "Orvel version 2.4 / 2.25");
}

TEST(Title, FileNameAndUnsavedMarkComeFirst)
{
    const std::string base = "Orvel version 2.4";
    EXPECT_EQ(DocumentTitle("", false, base), base);
    EXPECT_EQ(DocumentTitle("", true, base), "Untitled* \u2014 Orvel version 2.4");
    EXPECT_EQ(DocumentTitle("first.ini", false, base), "first.ini \u2014 Orvel version 2.4");
    EXPECT_EQ(DocumentTitle("first.ini", true, base), "first.ini* \u2014 Orvel version 2.4");
    EXPECT_EQ(SaveChangesQuestion("first.ini"), "Save changes to first.ini?");
    EXPECT_EQ(SaveChangesQuestion(""), "Save changes to Untitled?");
}

TEST(Title, ACommandNamesItsStepAndItsSecondsBesideTheBar)
{
    EXPECT_EQ(CommandLineText("Read all presets", "", 9), "Read all presets\u2026");
    EXPECT_EQ(CommandLineText("Firmware upgrade", "erasing the flash (up to 31 s)", 1),
              "Firmware upgrade: erasing the flash (up to 31 s)");
    EXPECT_EQ(CommandLineText("Firmware upgrade", "block 40 of 89", 12),
              "Firmware upgrade: block 40 of 89 \u2026 12 s");
}

TEST(Title, SpacesPushTheRightTextToTheEnd)
{
    EXPECT_EQ(CaptionSpaceCount(1000, 400, 4), 141);  // 150 - 9
    EXPECT_EQ(CaptionSpaceCount(100, 60, 4), 10);     // 10 stays
    EXPECT_EQ(CaptionSpaceCount(100, 56, 4), 1);      // 11 - 9 = 2: too few
    EXPECT_EQ(CaptionSpaceCount(100, 48, 4), 4);      // 13 - 9
    EXPECT_EQ(CaptionSpaceCount(100, 87, 4), 1);      // 3
    EXPECT_EQ(CaptionSpaceCount(100, 84, 4), 4);
    EXPECT_EQ(CaptionSpaceCount(100, 101, 4), 1);  // narrower than the texts
    EXPECT_EQ(CaptionSpaceCount(100, 10, 0), 1);
}

}  // namespace
}  // namespace orvel
