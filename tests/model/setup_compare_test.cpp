// Comparing the editor's set-up with the one read from the controller.
#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/setup_compare.h"

namespace orvel {
namespace {

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
    EXPECT_TRUE(CompareSetups(editor, editor_settings, controller, controller_settings).empty());

    // The controller holds no names; a hand-edited file may hold "007" where the controller
    // reports 7.
    editor.SetText(Row(5), kColumnName, "Clean");
    editor.SetText(Row(5), kColumnMidi1, "007");
    controller.SetText(Row(5), kColumnMidi1, "7");
    editor_settings.ctrl_numbers[0] = "081";
    EXPECT_TRUE(CompareSetups(editor, editor_settings, controller, controller_settings).empty());
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
    const std::vector<SetupDifference> found = CompareSetups(editor, editor_settings, controller, controller_settings);
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
    const auto found = CompareSetups(editor, settings, controller, settings);
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].editor_value, "");
    EXPECT_EQ(found[0].controller_value, "unu");
    EXPECT_EQ(found[1].editor_value, "Unu");
    EXPECT_EQ(found[2].controller_value, "0");
}

}  // namespace
}  // namespace orvel
