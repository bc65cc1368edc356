#include "model/preset_entry.h"

#include <gtest/gtest.h>

#include "model/settings_entry.h"

namespace orvel {
namespace {

const int kProgramColumns[] = {15, 16, 17};
const int kControlColumns[] = {18, 19, 20, 21, 22, 23, 24};

TEST(PresetEntry, UnusedShorthands)
{
    for (int column : {15, 17, 18, 24}) {
        SCOPED_TRACE(column);
        for (const char* entry : {"u", "U", "un", "UN", "Un", "uN", "unu", " unu\t", " u "})
            EXPECT_EQ(ValidatePresetEntry(column, entry), "unu") << entry;
        for (const char* entry : {"UNU", "Unu", "unus", "u nu", "", "  ", "x"})
            EXPECT_EQ(ValidatePresetEntry(column, entry), std::nullopt) << entry;
    }
}

TEST(PresetEntry, ToggleOnlyInControlColumns)
{
    for (int column : kControlColumns) {
        for (const char* entry : {"t", "T", "to", "To", "TO", "tog"})
            EXPECT_EQ(ValidatePresetEntry(column, entry), "tog") << entry;
        for (const char* entry : {"TOG", "Tog", "togg"})
            EXPECT_EQ(ValidatePresetEntry(column, entry), std::nullopt) << entry;
    }
    for (int column : kProgramColumns) {
        for (const char* entry : {"t", "To", "tog"})
            EXPECT_EQ(ValidatePresetEntry(column, entry), std::nullopt) << entry;
    }
}

TEST(PresetEntry, NumberRanges)
{
    for (int column : kProgramColumns) {
        EXPECT_EQ(ValidatePresetEntry(column, "0"), std::nullopt);
        EXPECT_EQ(ValidatePresetEntry(column, "1"), "1");
        EXPECT_EQ(ValidatePresetEntry(column, "128"), "128");
        EXPECT_EQ(ValidatePresetEntry(column, "129"), std::nullopt);
    }
    for (int column : kControlColumns) {
        EXPECT_EQ(ValidatePresetEntry(column, "0"), "0");
        EXPECT_EQ(ValidatePresetEntry(column, "128"), "128");
        EXPECT_EQ(ValidatePresetEntry(column, "129"), std::nullopt);
    }
}

TEST(PresetEntry, NumbersAreStoredAsPlainDecimalsAndOnlyDigitsCount)
{
    EXPECT_EQ(ValidatePresetEntry(16, "007"), "7");
    EXPECT_EQ(ValidatePresetEntry(16, " 5 "), "5");
    EXPECT_EQ(ValidatePresetEntry(20, "\t00\t"), "0");
    EXPECT_EQ(ValidatePresetEntry(20, "000000000000000000000000128"), "128");
    EXPECT_EQ(ValidatePresetEntry(15, "0001"), "1");
    EXPECT_EQ(ValidatePresetEntry(15, "000"), std::nullopt);  // program 0 is still 0
    for (const char* entry : {"-1", "+5", "5 5", "1e2", "0x10", "12a", "99999999999999999999999"})
        EXPECT_EQ(ValidatePresetEntry(19, entry), std::nullopt) << entry;
}

TEST(SettingsEntry, FollowsTheSameRuleWithItsOwnRanges)
{
    EXPECT_EQ(ValidateSettingsEntry(0, " 12"), "12");
    EXPECT_EQ(ValidateSettingsEntry(2, "016"), "16");
    EXPECT_EQ(ValidateSettingsEntry(1, "00"), std::nullopt);  // channels 1 to 16
    EXPECT_EQ(ValidateSettingsEntry(1, "17"), std::nullopt);
    EXPECT_EQ(ValidateSettingsEntry(3, "000"), "0");  // CTRL numbers 0 to 127
    EXPECT_EQ(ValidateSettingsEntry(9, " 127 "), "127");
    EXPECT_EQ(ValidateSettingsEntry(9, "128"), std::nullopt);
    EXPECT_EQ(ValidateSettingsEntry(4, "u"), std::nullopt);   // no shorthands here
    EXPECT_EQ(ValidateSettingsEntry(10, "5"), std::nullopt);  // no such cell
}

TEST(PresetEntry, OtherColumnsTakeAnything)
{
    for (int column : {0, 2, 3, 4, 14, 25, 26}) {
        EXPECT_EQ(ValidatePresetEntry(column, "UNU"), "UNU");
        EXPECT_EQ(ValidatePresetEntry(column, "u"), "u");
        EXPECT_EQ(ValidatePresetEntry(column, ""), "");
    }
}

}  // namespace
}  // namespace orvel
