#include "model/preset_entry.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

const int kProgramColumns[] = {15, 16, 17};
const int kControlColumns[] = {18, 19, 20, 21, 22, 23, 24};

TEST(PresetEntry, UnusedShorthands)
{
    for (int column : {15, 17, 18, 24}) {
        SCOPED_TRACE(column);
        for (const char* entry : {"u", "U", "un", "UN", "Un", "uN", "unu"})
            EXPECT_EQ(ValidatePresetEntry(column, entry), "unu") << entry;
        for (const char* entry : {"UNU", "Unu", "unus", "unu ", "", "x"})
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

TEST(PresetEntry, OnlyPlainDigitsReadAsNumbers)
{
    EXPECT_EQ(ValidatePresetEntry(16, "007"), "007");   // kept as typed
    for (const char* entry : {"-1", "+5", " 5", "5 ", "1e2", "0x10", "12a", "99999999999999999999999"})
        EXPECT_EQ(ValidatePresetEntry(19, entry), std::nullopt) << entry;
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
