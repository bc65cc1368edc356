// "Check default" against the virtual controller.
#include "model/default_check.h"

#include <gtest/gtest.h>

#include "device/commands/default_check_command.h"
#include "device/controller_constants.h"
#include "tests/support/recording_view.h"
#include "tests/support/sim_faults.h"
#include "tests/support/sim_session.h"

namespace orvel {
namespace {

class DefaultCheck : public testing::SimulatedSession {
protected:
    std::string OnlyMessage()
    {
        EXPECT_EQ(view.messages.size(), 1u);
        return view.messages.empty() ? "" : view.messages.back().text;
    }
};

TEST_F(DefaultCheck, AFactoryControllerHoldsItsDefaultsWhateverItsAuxMode)
{
    link.firmware_version = 30;
    Block options = sim->ReadMemory(253);
    options[1] = 1;  // AUX mode AF2 is not compared
    sim->WriteMemory(253, options);
    EXPECT_EQ(CheckDefaults(session), TransferOutcome::Done);
    EXPECT_EQ(OnlyMessage(), "W urządzeniu są wpisane wartości domyślne");
    EXPECT_EQ(view.messages.back().caption, "INFORMACJA");
    EXPECT_EQ(view.messages.back().icon, MessageIcon::Information);
}

TEST_F(DefaultCheck, ReportsTheFirstDifferenceOnly)
{
    sim->WriteMemory(0, Block{1, 0, 0, 0, 0, 0, 0, 0});
    sim->WriteMemory(99, Block{1, 0, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(CheckDefaults(session), TransferOutcome::NotDefault);
    EXPECT_EQ(OnlyMessage(), "Preset 0 nie ma wartości domyślnej");
    EXPECT_EQ(view.messages.back().caption, "Błąd");
    EXPECT_EQ(view.messages.back().icon, MessageIcon::Error);
    EXPECT_EQ(view.settings_changes, 0);  // the settings were not read
}

TEST_F(DefaultCheck, BankFunctionThenCtrlNumber)
{
    sim->WriteMemory(252, Block{0xF7, 0x03, 0, 0, 0, 0, 0, 0});  // bank 3 off
    CheckDefaults(session);
    EXPECT_EQ(OnlyMessage(), "Funkcja wah-padu w banku 3 nie ma wartości domyślnej");

    view.messages.clear();
    sim->ResetMemory();
    sim->WriteMemory(251, Block{80, 82, 83, 84, 85, 86, 87, 0});
    EXPECT_EQ(CheckDefaults(session), TransferOutcome::NotDefault);
    EXPECT_EQ(OnlyMessage(), "Numer CTRL0 nie ma wartości domyślnej");
}

// A controller that does not answer holds no values to judge: the check ends with the
// read's own failure and names no difference, whichever of its two reads fails.
TEST_F(DefaultCheck, AFailedReadEndsTheCheckWithItsOwnFailureOnly)
{
    sim->SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    EXPECT_EQ(CheckDefaults(session), TransferOutcome::Failed);
    EXPECT_EQ(OnlyMessage(), "021: transmission error");

    // Every preset and the bank functions read (201 replies of 10 bytes), then the settings fail.
    view.messages.clear();
    sim->SetFaults(testing::With([](kpxsim::Faults& f) { f.stop_after = 201 * 10; }));
    EXPECT_EQ(CheckDefaults(session), TransferOutcome::Failed);
    EXPECT_EQ(OnlyMessage(), "021: transmission error");
    EXPECT_EQ(view.settings_changes, 0);
}

TEST(DefaultCheckComparisons, ChannelsAndTiles)
{
    SettingsData settings;
    EXPECT_FALSE(FirstSettingsDifference(settings));
    settings.midi_channels[2] = "4";
    EXPECT_EQ(FirstSettingsDifference(settings), "Numer kanału MIDI2 nie ma wartości domyślnej");
    settings = SettingsData{};
    settings.keys[4] = "tt1";
    EXPECT_EQ(FirstSettingsDifference(settings), "Ustawienie pod klawiszem 5 nie ma wartości domyślnej (tt0)");
    settings.keys[4] = "tt0";
    settings.keys[6] = "tu3";
    EXPECT_EQ(FirstSettingsDifference(settings), "Ustawienie pod klawiszem 7 nie ma wartości domyślnej (tu1)");
    settings.keys[6] = "tu1";
    settings.keys[7] = "AF2";
    EXPECT_FALSE(FirstSettingsDifference(settings));
}

}  // namespace
}  // namespace orvel
