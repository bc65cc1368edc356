// Comparing the editor's set-up with the one read from the controller.
#include "model/setup_compare.h"

#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/model_constants.h"

namespace orvel {
namespace {

// The firmware version numbers of a controller with the extended options and of one without.
constexpr std::uint8_t kVersion3 = 30;
constexpr std::uint8_t kVersion1 = 1;

int Row(int preset)
{
    return TableRowOfPreset(static_cast<std::uint8_t>(preset));
}

TEST(SetupCompare, EqualSetUpsDifferOnlyInNamesAndTheFormOfNumbers)
{
    PresetTable editor;
    PresetTable controller;
    SettingsData editor_settings;
    SettingsData controller_settings;
    EXPECT_TRUE(CompareSetups(editor, editor_settings, controller, controller_settings, kVersion3).empty());

    // The controller holds no names; a hand-edited file may hold "007" where the controller
    // reports 7.
    editor.SetText(Row(5), kColumnName, "Clean");
    editor.SetText(Row(5), kColumnMidi1, "007");
    controller.SetText(Row(5), kColumnMidi1, "7");
    editor_settings.ctrl_numbers[0] = "081";
    EXPECT_TRUE(CompareSetups(editor, editor_settings, controller, controller_settings, kVersion3).empty());
}

TEST(SetupCompare, EveryKindOfFieldIsFoundInOrderWithBothValues)
{
    PresetTable editor;
    PresetTable controller;
    SettingsData editor_settings;
    SettingsData controller_settings;

    controller.SetText(Row(37), kColumnMidi1, "64");
    controller.SetChecked(Row(37), kFirstLoopColumn + 2, true);
    // A value of a part the preset's type does not use still travels: it is compared.
    controller.SetModifier(Row(0), "LOOP");
    controller.SetText(Row(0), kFirstControlColumn + 6, "tog");
    controller.SetChecked(Row(99), kFirstAuxColumn + 1, true);
    controller.SetBankFunction(5, false);
    controller_settings.midi_channels[2] = "16";
    controller_settings.ctrl_numbers[1] = "100";
    controller_settings.keys[7] = "AF2";

    const std::vector<SetupDifference> expected{
        {DifferencePlace::Preset, 0, kColumnModifier, "TYPE", "PRESET", "LOOP"},
        {DifferencePlace::Preset, 0, kFirstControlColumn + 6, "Ctrl 7", "unu", "tog"},
        {DifferencePlace::Preset, 37, kFirstLoopColumn + 2, "LOOP 3", "off", "on"},
        {DifferencePlace::Preset, 37, kColumnMidi1, "MIDI1", "unu", "64"},
        {DifferencePlace::Preset, 99, kFirstAuxColumn + 1, "AUX 2", "off", "on"},
        {DifferencePlace::BankFunction, 5, kColumnBank, "wah-pad function", "Add", "Pr9"},
        {DifferencePlace::SettingsCell, 0, 2, "MIDI channel 3", "3", "16"},
        {DifferencePlace::SettingsCell, 0, 4, "CTRL number 2", "82", "100"},
        {DifferencePlace::Tile, 8, 0, "AUX MODE", "AF1", "AF2"},
    };
    const std::vector<SetupDifference> found =
        CompareSetups(editor, editor_settings, controller, controller_settings, kVersion3);
    EXPECT_EQ(found, expected);

    EXPECT_EQ(DifferenceLine(found[3], "file"), "preset 37 MIDI1: file unu, controller 64");
    EXPECT_EQ(DifferenceLine(found[5], "editor"), "bank 5 wah-pad function: editor Add, controller Pr9");
    EXPECT_EQ(DifferenceLine(found[8], "editor"), "settings AUX MODE: editor AF1, controller AF2");
}

TEST(SetupCompare, TextsThatAreNotNumbersCompareAsTheyAre)
{
    PresetTable editor;
    PresetTable controller;
    const SettingsData settings;
    // A file may hold an empty program or a word; neither equals the controller's value,
    // and an empty text is not taken for zero.
    editor.SetText(Row(1), kColumnMidi2, "");
    editor.SetText(Row(2), kFirstControlColumn, "Unu");
    controller.SetText(Row(3), kFirstControlColumn, "0");
    editor.SetText(Row(3), kFirstControlColumn, "");
    const auto found = CompareSetups(editor, settings, controller, settings, kVersion3);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].editor_value, "");
    EXPECT_EQ(found[0].controller_value, "unu");
    EXPECT_EQ(found[1].editor_value, "Unu");
    EXPECT_EQ(found[2].controller_value, "0");
}

// Values are the same when the controller stores them alike (a preset value as the same
// byte, a setting as the same code it reports back): what a write followed by a read gives
// back compares equal to what was written, and the list still shows both texts.
TEST(SetupCompare, ValuesTheControllerStoresAlikeAreEqual)
{
    struct Case {
        int column;
        const char* editor;
        const char* controller;
        bool equal;
    };
    const Case cases[] = {
        {kColumnMidi1, "200", "128", true},
        {kColumnMidi2, "129", "128", true},
        {kColumnMidi1, "127", "128", false},
        {kColumnMidi3Program, "0", "unu", true},
        {kColumnMidi3Program, "200", "200", true},
        {kFirstControlColumn, "129", "128", true},
        {kFirstControlColumn + 1, "222", "tog", true},
        {kFirstControlColumn + 2, "128", "unu", false},
        {kFirstControlColumn + 3, "0", "unu", false},
        {kFirstControlColumn + 4, "0255", "255", true},
        {kFirstControlColumn + 5, "abc", "unu", false},
    };
    PresetTable editor;
    PresetTable controller;
    std::vector<SetupDifference> expected;
    for (int n = 0; n < static_cast<int>(std::size(cases)); ++n) {
        const Case& c = cases[n];
        editor.SetText(Row(n), c.column, c.editor);
        controller.SetText(Row(n), c.column, c.controller);
        if (!c.equal) expected.push_back({DifferencePlace::Preset, n, c.column, "", c.editor, c.controller});
    }
    const SettingsData settings;
    std::vector<SetupDifference> found = CompareSetups(editor, settings, controller, settings, kVersion3);
    for (SetupDifference& d : found) d.field.clear();
    EXPECT_EQ(found, expected);

    // The settings as a controller of each version stores them: below version 2 it keeps no
    // "cb3", no "n3A" and no AUX mode; a wah-pad loop it does not know is "uL1" to any.
    SettingsData file;
    file.keys = {"cb3", "uP7", "uL9", "ot0", "tt0", "n3A", "tu9", "AF2"};
    SettingsData read;
    read.keys = {"cb1", "uP2", "uL1", "ot0", "tt0", "n3P", "tu1", "AF1"};
    read.midi_channels[1] = "02";
    for (const SetupDifference& d : CompareSetups(controller, file, controller, read, kVersion1))
        ADD_FAILURE() << DifferenceLine(d, "file");
    const std::vector<SetupDifference> newer = CompareSetups(controller, file, controller, read, kVersion3);
    ASSERT_EQ(newer.size(), 3u);
    EXPECT_EQ(DifferenceLine(newer[0], "file"), "settings BANKS: file cb3, controller cb1");
    EXPECT_EQ(newer[1].field, "MIDI MODE");
    EXPECT_EQ(newer[2].field, "AUX MODE");
}

}  // namespace
}  // namespace orvel
