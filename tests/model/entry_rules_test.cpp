#include "model/entry_rules.h"

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/preset_entry.h"
#include "model/settings_entry.h"

namespace orvel {
namespace {

TEST(EntryRules, OneWordingNamesTheColumnAndWhatItTakes)
{
    struct Case {
        bool settings;
        int column;
        const char* entry;
        const char* text;
    };
    const Case cases[] = {
        {false, kColumnMidi1, "0", "\"0\" is not a MIDI1 value: enter 1 to 128 or unu."},
        {false, kColumnMidi3Program, "129", "\"129\" is not a MIDI3 value: enter 1 to 128 or unu."},
        {false, kFirstControlColumn + 2, "t9", "\"t9\" is not a Ctrl 3 value: enter 0 to 128, tog or unu."},
        {false, kColumnModifier, "Solo", "\"Solo\" is not a TYPE value: enter PRESET, LOOP, SWITCH or MIDI."},
        {false, kColumnName, "Sixteen chars...",
         "\"Sixteen chars...\" is not a NAME value: enter at most 15 characters."},
        {false, kFirstLoopColumn + 1, "x", "\"x\" is not a LOOP 2 value: enter 1, 0, true or false."},
        {false, kLastAuxColumn, "x", "\"x\" is not an AUX 2 value: enter 1, 0, true or false."},
        {true, 0, "17", "\"17\" is not a MIDI channel 1 value: enter 1 to 16."},
        {true, 9, "", "\"\" is not a CTRL number 7 value: enter 0 to 127."},
    };
    for (const Case& c : cases) {
        const EntryRule rule = c.settings ? SettingsEntryRule(c.column) : PresetEntryRule(c.column);
        EXPECT_EQ(RefusedEntryText(rule, c.entry), c.text);
    }
}

// The words must say what the checks do: in every column that names a range of numbers,
// its ends are taken and one past them is refused.
TEST(EntryRules, NamedRangesAreTheChecksRanges)
{
    int ranges = 0;
    for (const bool settings : {false, true})
        for (int column = 0; column < kColumnCount; ++column) {
            const EntryRule rule = settings ? SettingsEntryRule(column) : PresetEntryRule(column);
            int low = 0;
            int high = 0;
            if (std::sscanf(rule.accepted.c_str(), "%d to %d", &low, &high) != 2) continue;
            SCOPED_TRACE(rule.field);
            const auto taken = [settings, column](int value) {
                const std::string entry = std::to_string(value);
                return (settings ? ValidateSettingsEntry(column, entry) : ValidatePresetEntry(column, entry))
                    .has_value();
            };
            EXPECT_TRUE(taken(low) && taken(high));
            EXPECT_FALSE(taken(low - 1) || taken(high + 1));
            ++ranges;
        }
    EXPECT_EQ(ranges, 3 + 7 + 3 + 7);  // programs, controls, channels, CTRL numbers
}

}  // namespace
}  // namespace orvel
