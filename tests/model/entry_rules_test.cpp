#include "model/entry_rules.h"

#include <gtest/gtest.h>

#include "model/cell_paste.h"
#include "model/model_constants.h"
#include "model/preset_entry.h"
#include "model/preset_table.h"
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

// The words must say what the checks do: the ends of every number range they name are
// taken, one past them is refused.
TEST(EntryRules, NamedRangesAreTheChecksRanges)
{
    struct Case {
        bool settings;
        int column;
        int low;
        int high;
    };
    const Case cases[] = {{false, kColumnMidi1, 1, 128},
                          {false, kColumnMidi3Program, 1, 128},
                          {false, kFirstControlColumn, 0, 128},
                          {false, kLastControlColumn, 0, 128},
                          {true, 2, 1, 16},
                          {true, 3, 0, 127}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        const EntryRule rule = c.settings ? SettingsEntryRule(c.column) : PresetEntryRule(c.column);
        EXPECT_EQ(rule.accepted.rfind(std::to_string(c.low) + " to " + std::to_string(c.high), 0), 0u) << rule.accepted;
        const auto check = [&c](int value) {
            const std::string entry = std::to_string(value);
            return c.settings ? ValidateSettingsEntry(c.column, entry) : ValidatePresetEntry(c.column, entry);
        };
        EXPECT_TRUE(check(c.low) && check(c.high));
        EXPECT_FALSE(check(c.low - 1) || check(c.high + 1));
    }
}

TEST(EntryRules, ClearingWritesEachColumnsEmptyValueButLeavesTypeAndGreyCells)
{
    PresetTable table;
    const int row = TableRowOfPreset(45);
    PresetData preset;
    preset.modifier = "LOOP";
    preset.name = "Lead";
    preset.buffer = true;
    preset.loops[2] = true;
    preset.midi1 = "12";  // grey under LOOP
    preset.ctrls[0] = "tog";
    table.SetRow(row, preset);
    table.SetRow(row + 1, preset);
    table.SetModifier(row + 1, "PRESET");

    // The LOOP row: NAME, buffer and loops; the PRESET row: everything but TYPE.
    EXPECT_EQ(ClearTableCells(table, row, row + 1, 0, kColumnCount - 1), (2 + kLoopCount) + (kColumnCount - 3));
    PresetData cleared;
    cleared.modifier = "LOOP";
    cleared.midi1 = "12";
    cleared.ctrls[0] = "tog";
    EXPECT_EQ(table.GetRow(row), cleared);
    cleared = PresetData{};
    EXPECT_EQ(table.GetRow(row + 1), cleared);
    EXPECT_EQ(ClearTableCells(table, 0, 1, 0, kColumnCount - 1), 0);  // header rows
}

}  // namespace
}  // namespace orvel
