// Fields of a set-up named as the grids caption them, set through the grids' entry rules,
// and the preset table taken from CSV.
#include "cli/setup_fields.h"

#include <gtest/gtest.h>

#include "cli/entry_refusal.h"
#include "cli/preset_csv.h"
#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "ui/rules/field_names.h"

namespace orvel {
namespace {

TEST(FieldNames, ComeFromTheCaptionsAndMatchInAnyCaseWithOrWithoutSpaces)
{
    std::vector<std::string> names;
    for (int column = 0; column < kColumnCount; ++column) names.push_back(PresetFieldName(column));
    EXPECT_EQ(names, (std::vector<std::string>{"B",       "P",     "TYPE",  "NAME",  "BUFFER",  "LOOP1",   "LOOP2",
                                               "LOOP3",   "LOOP4", "LOOP5", "LOOP6", "SWITCH1", "SWITCH2", "SWITCH3",
                                               "SWITCH4", "MIDI1", "MIDI2", "MIDI3", "Ctrl1",   "Ctrl2",   "Ctrl3",
                                               "Ctrl4",   "Ctrl5", "Ctrl6", "Ctrl7", "AUX1",    "AUX2"}));
    EXPECT_EQ(PresetColumnNamed("ctrl 7"), kLastControlColumn);  // as the differences name it
    EXPECT_EQ(PresetColumnNamed("Loop 3"), kFirstLoopColumn + 2);
    EXPECT_EQ(PresetColumnNamed("type"), kColumnModifier);
    EXPECT_EQ(PresetColumnNamed("LOOP7"), std::nullopt);
    EXPECT_EQ(PresetColumnNamed("MIDI"), std::nullopt);

    EXPECT_EQ(SettingsFieldShortName(kSetupFirstChannelColumn), "MIDI1");
    EXPECT_EQ(SettingsFieldShortName(kSetupFirstCtrlColumn + 6), "Ctrl7");
    EXPECT_EQ(SettingsColumnNamed("ctrl2"), kSetupFirstCtrlColumn + 1);
    EXPECT_EQ(SettingsColumnNamed("CTRL number 2"), kSetupFirstCtrlColumn + 1);
    EXPECT_EQ(SettingsColumnNamed("midi channel 3"), kSetupFirstChannelColumn + 2);
    EXPECT_EQ(TileNamed("tuner mode"), 7);
    EXPECT_EQ(TileNamed("TUNER"), std::nullopt);
}

TEST(SetupFields, EachValueGoesThroughItsRuleAndAValueAlreadyThereIsKept)
{
    PresetTable table;
    const int row = TableRowOfPreset(37);
    table.SetText(row, kColumnMidi1, "200");  // as a controller may report it; the grid refuses it
    EXPECT_EQ(SetPresetField(table, row, kColumnMidi1, "200"), std::nullopt);
    EXPECT_EQ(SetPresetField(table, row, kColumnMidi1, "0"), PresetEntryRefusal(kColumnMidi1, "0"));
    EXPECT_EQ(table.Cell(row, kColumnMidi1).text, "200");
    EXPECT_EQ(SetPresetField(table, row, kColumnMidi1, " 007"), std::nullopt);
    EXPECT_EQ(table.Cell(row, kColumnMidi1).text, "7");
    EXPECT_EQ(SetPresetField(table, row, kFirstControlColumn, "t"), std::nullopt);
    EXPECT_EQ(table.Cell(row, kFirstControlColumn).text, "tog");
    EXPECT_EQ(SetPresetField(table, row, kColumnModifier, "MIDI"), std::nullopt);
    EXPECT_FALSE(table.Cell(row, kColumnBuffer).active);
    EXPECT_EQ(SetPresetField(table, row, kColumnBuffer, "TRUE"), std::nullopt);  // grey cells keep values too
    EXPECT_TRUE(table.Cell(row, kColumnBuffer).checked);
    EXPECT_TRUE(SetPresetField(table, row, kColumnBuffer, "yes"));
    EXPECT_TRUE(SetPresetField(table, row, kColumnName, "sixteen letters!"));

    SettingsData settings;
    EXPECT_EQ(SetSettingsField(settings, 0, "16"), std::nullopt);
    EXPECT_EQ(SetSettingsField(settings, 3, "128"), SettingsEntryRefusal(3, "128"));
    EXPECT_EQ(SetTileField(settings, 7, "TU3"), std::nullopt);
    EXPECT_EQ(settings.keys[6], "tu3");
    EXPECT_EQ(SetTileField(settings, 1, "cb4"), TileEntryRefusal(1, "cb4"));
    EXPECT_EQ(settings.keys[0], "cb1");
    EXPECT_EQ(SetBankFunctionField(table, 3, "pr9"), std::nullopt);
    EXPECT_FALSE(table.BankFunction(3));
    EXPECT_EQ(SetBankFunctionField(table, 3, "off"), BankFunctionRefusal("off"));
}

TEST(PresetCsv, TakesWhatItGaveAndColumnsInAnyOrderOrCase)
{
    PresetTable table;
    const int row = TableRowOfPreset(37);
    table.SetText(row, kColumnMidi1, "200");
    table.SetText(row, kColumnName, "Lead, \"clean\"");
    const PresetTable before = table;
    std::string problem;
    ASSERT_TRUE(TakePresetCsv(PresetCsvRecords(table), table, problem)) << problem;
    for (int r = kHeaderRowCount; r < kTableRowCount; ++r) EXPECT_EQ(table.GetRow(r), before.GetRow(r)) << r;

    // Only the columns and presets given change.
    ASSERT_TRUE(
        TakePresetCsv({{"p", "Midi1", "b", "type", "loop 3"}, {"7", "007", "3", "LOOP", "true"}}, table, problem))
        << problem;
    const PresetData preset = table.GetRow(row);
    EXPECT_EQ(preset.midi1, "7");
    EXPECT_EQ(preset.modifier, "LOOP");
    EXPECT_TRUE(preset.loops[2]);
    EXPECT_EQ(preset.name, "Lead, \"clean\"");
    EXPECT_EQ(table.GetRow(TableRowOfPreset(36)), before.GetRow(TableRowOfPreset(36)));
}

TEST(PresetCsv, ARefusalNamesItsRowAndColumnAndChangesNothing)
{
    const struct {
        std::vector<CsvRecord> records;
        std::string problem;
    } cases[] = {
        {{}, "it holds no header row"},
        {{{"B", "P", "FOO"}}, "row 1: \"FOO\" is not a preset field; the fields are B, P, TYPE"},
        {{{"B", "P", "midi1", "MIDI 1"}}, "row 1: MIDI1 appears twice"},
        {{{"B", "MIDI1"}}, "row 1: the columns B and P are needed to find each row's preset"},
        {{{"B", "P", "MIDI1"}, {"3", "7", "12"}, {"3", "8"}}, "row 3 has 2 values where the header row has 3"},
        {{{"B", "P", "MIDI1"}, {"3", "x", "12"}}, "row 2, P: \"x\" is not a digit (0 to 9)"},
        {{{"B", "P", "MIDI1"}, {"3", "7", "12"}, {""}, {"3", "7", "13"}}, "row 4: preset 37 has a row already (row 2)"},
        {{{"B", "P", "MIDI1"}, {"3", "6", "12"}, {"3", "7", "0"}},
         "row 3 (preset 37), MIDI1: " + PresetEntryRefusal(kColumnMidi1, "0")},
    };
    for (const auto& c : cases) {
        PresetTable table;
        std::string problem;
        EXPECT_FALSE(TakePresetCsv(c.records, table, problem));
        EXPECT_EQ(problem.substr(0, c.problem.size()), c.problem);
        EXPECT_EQ(table.GetRow(TableRowOfPreset(36)), PresetTable().GetRow(TableRowOfPreset(36))) << c.problem;
    }
}

}  // namespace
}  // namespace orvel
