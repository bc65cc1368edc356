// "Compare with controller" against the virtual controller on a USB converter: the read
// goes into a set-up of its own, and the editor's set-up and the view's grids stay as they are.
#include "device/commands/compare_command.h"

#include <algorithm>
#include <stdexcept>

#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "tests/support/recording_view.h"
#include "tests/support/sim_faults.h"
#include "tests/support/sim_session.h"

namespace orvel {
namespace {

using testing::RecordingView;
using testing::SimulatedSession;
using testing::With;

class CompareCommand : public SimulatedSession {
protected:
    void SetUp() override
    {
        SimulatedSession::SetUp();
        link.firmware_version = 3;  // the connection monitor identified a KPX2-3
        table.SetText(TableRowOfPreset(37), kColumnName, "Solo");
        table.SetCurrentRow(TableRowOfPreset(37));
    }

    // The editor's set-up must come out of every comparison as it went in.
    void ExpectEditorUntouched() const
    {
        const PresetTable fresh = [] {
            PresetTable t;
            t.SetText(TableRowOfPreset(37), kColumnName, "Solo");
            t.SetCurrentRow(TableRowOfPreset(37));
            return t;
        }();
        for (int row = 0; row < kTableRowCount; ++row) {
            EXPECT_EQ(table.GetRow(row), fresh.GetRow(row)) << "row " << row;
            EXPECT_EQ(table.Cell(row, kColumnName).text, fresh.Cell(row, kColumnName).text);
        }
        EXPECT_EQ(table.AllBankFunctions(), fresh.AllBankFunctions());
        EXPECT_EQ(table.CurrentRow(), fresh.CurrentRow());
        EXPECT_EQ(settings, SettingsData{});
        EXPECT_TRUE(view.changed_rows.empty());
        EXPECT_TRUE(view.changed_banks.empty());
        EXPECT_EQ(view.settings_changes, 0);
        EXPECT_EQ(view.redraws, 0);
        // The controls went off once and came back once; the hourglass is gone.
        EXPECT_EQ(view.control_changes, (std::vector<bool>{false, true}));
        EXPECT_FALSE(view.busy_cursor);
    }
};

TEST_F(CompareCommand, FindsWhatTheControllerHoldsOtherwiseAndLeavesTheEditorAlone)
{
    sim->WriteMemory(37, kpxsim::Block{0x01, 0, 64, 0, 0, 0, 0, 0});       // buffer, MIDI1 64
    sim->WriteMemory(252, kpxsim::Block{0xFF, 0x02, 0, 0, 0, 0, 0, 0});    // bank 8 "Pr9"
    sim->WriteMemory(251, kpxsim::Block{81, 100, 83, 84, 85, 86, 87, 0});  // CTRL number 2
    std::vector<SetupDifference> differences;
    ASSERT_EQ(CompareWithController(session, differences), TransferOutcome::Done);

    const std::vector<SetupDifference> expected{
        {DifferencePlace::Preset, 37, kColumnBuffer, "BUFFER", "off", "on"},
        {DifferencePlace::Preset, 37, kColumnMidi1, "MIDI1", "unu", "64"},
        {DifferencePlace::BankFunction, 8, kColumnBank, "wah-pad function", "Add", "Pr9"},
        {DifferencePlace::SettingsCell, 0, 4, "CTRL number 2", "82", "100"},
    };
    EXPECT_EQ(differences, expected);
    EXPECT_TRUE(view.messages.empty());
    ExpectEditorUntouched();

    // One bar from 0 to 100 for the whole read, never going back.
    ASSERT_FALSE(view.progress.empty());
    EXPECT_TRUE(std::is_sorted(view.progress.begin(), view.progress.end()));
    EXPECT_EQ(view.progress.back(), 100);
    EXPECT_EQ(view.progress_maximum, 100);
}

TEST_F(CompareCommand, WhatAnOlderControllerCannotReportIsNoDifference)
{
    // Below firmware version 2 the AUX mode is not in block 253: the editor's stands.
    link.firmware_version = 1;
    settings.keys[7] = "AF2";
    std::vector<SetupDifference> differences;
    ASSERT_EQ(CompareWithController(session, differences), TransferOutcome::Done);
    EXPECT_TRUE(differences.empty());
    settings.keys[7] = "AF1";
    ExpectEditorUntouched();
}

TEST_F(CompareCommand, AFailedReadShowsItsTextOnceAndComparesNothing)
{
    // Fine until the settings, then the controller falls silent.
    sim->SetFaults(With([](kpxsim::Faults& f) { f.stop_after = 101 * 10 + 5; }));
    std::vector<SetupDifference> differences{{}};
    EXPECT_EQ(CompareWithController(session, differences), TransferOutcome::Failed);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "021: transmission error");
    EXPECT_EQ(differences.size(), 1u);  // as it was
    ExpectEditorUntouched();

    // The link is free again: a second comparison runs.
    sim->SetFaults({});
    view = RecordingView{};
    differences.clear();
    EXPECT_EQ(CompareWithController(session, differences), TransferOutcome::Done);
    EXPECT_TRUE(differences.empty());
}

// However the read ends, an exception too, the controls and the cursor come back, so the
// next command can run.
TEST_F(CompareCommand, AnExceptionDuringTheReadGivesBackTheControls)
{
    view.on_progress = [] { throw std::runtime_error("window gone"); };
    std::vector<SetupDifference> differences;
    EXPECT_THROW(CompareWithController(session, differences), std::runtime_error);
    EXPECT_TRUE(view.controls_enabled);
    EXPECT_FALSE(view.busy_cursor);
    EXPECT_EQ(view.control_changes, (std::vector<bool>{false, true}));

    view.on_progress = nullptr;
    EXPECT_EQ(CompareWithController(session, differences), TransferOutcome::Done);
}

}  // namespace
}  // namespace orvel
