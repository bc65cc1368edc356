// The transfer commands against the virtual controller on a USB converter.
#include "device/commands/transfer_commands.h"

#include <stdexcept>

#include <gtest/gtest.h>

#include "device/protocol/command_protocol.h"
#include "model/bank_functions.h"
#include "model/model_constants.h"
#include "model/preset_image.h"
#include "tests/support/recording_view.h"
#include "tests/support/sim_faults.h"
#include "tests/support/sim_session.h"

namespace orvel {
namespace {

using testing::RecordingView;
using testing::SimulatedSession;
using testing::With;
using Bytes = std::vector<std::uint8_t>;

// The block addresses of the read or write frames the editor sent, in order.
std::vector<int> FrameAddresses(const Bytes& sent, std::uint8_t command)
{
    std::vector<int> addresses;
    for (std::size_t i = 0; i + 2 < sent.size(); ++i) {
        if (sent[i] == 0x1B && sent[i + 1] == command) {
            addresses.push_back(sent[i + 2]);
            i += command == 0x03 ? 11 : 2;
        }
    }
    return addresses;
}

class TransferCommands : public SimulatedSession {
protected:
    static int Row(int preset) { return TableRowOfPreset(static_cast<std::uint8_t>(preset)); }

    // A preset on the controller that differs from the factory one: buffer on and program n.
    void PutOnController(int preset)
    {
        PresetData data;
        data.buffer = true;
        data.midi1 = std::to_string(preset + 1);
        PresetImage image{};
        ASSERT_TRUE(EncodePreset(data, image));
        sim->WriteMemory(static_cast<std::uint8_t>(preset),
                         Block{image[0], image[1], image[2], image[3], image[4], 0, 0, 0});
        sim->WriteMemory(static_cast<std::uint8_t>(preset + 100),
                         Block{image[8], image[9], image[10], image[11], image[12], image[13], image[14], image[15]});
    }
};

TEST_F(TransferCommands, ReadAllGoesInGridOrderAndTakesEveryBankFunction)
{
    for (int n = 0; n < 100; ++n) PutOnController(n);
    sim->WriteMemory(kBlockBankFunctions, Block{0x0F, 0x02, 0, 0, 0, 0, 0, 0});
    table.SetText(Row(37), kColumnName, "Lead");

    EXPECT_EQ(ReadAllPresets(session), TransferOutcome::Done);
    const auto reads = FrameAddresses(sim->Received(), 0x02);
    ASSERT_EQ(reads.size(), 201u);
    EXPECT_EQ((std::vector<int>(reads.begin(), reads.begin() + 6)), (std::vector<int>{11, 111, 12, 112, 13, 113}));
    EXPECT_EQ(reads[18], 10);  // the tenth row of bank 1 is preset 10
    EXPECT_EQ(reads[20], 21);
    EXPECT_EQ(reads[198], 0);  // the last row is preset 0
    EXPECT_EQ(reads[200], kBlockBankFunctions);

    EXPECT_EQ(table.GetRow(Row(37)).midi1, "38");
    EXPECT_TRUE(table.GetRow(Row(37)).buffer);
    EXPECT_EQ(table.GetRow(Row(37)).name, "Lead");  // names are never transferred
    EXPECT_EQ(buffer[37].midi1, "38");
    EXPECT_TRUE(table.BankFunction(3));
    EXPECT_FALSE(table.BankFunction(4));
    EXPECT_TRUE(table.BankFunction(9));
    EXPECT_FALSE(table.BankFunction(8));
    EXPECT_EQ(view.progress.size(), 100u);
    EXPECT_EQ(view.progress.back(), 100);
    EXPECT_EQ((view.control_changes), (std::vector<bool>{false, true}));
    EXPECT_TRUE(view.messages.empty());
    EXPECT_FALSE(usb.IsOpen());
}

TEST_F(TransferCommands, WriteAllGoesInPresetNumberOrderWithTheBankBlockLast)
{
    table.SetText(Row(5), kColumnMidi2, "99");
    table.SetBankFunction(2, false);
    EXPECT_EQ(WriteAllPresets(session), TransferOutcome::Done);
    const auto writes = FrameAddresses(sim->Received(), 0x03);
    ASSERT_EQ(writes.size(), 201u);
    for (int n = 0; n < 100; ++n) {
        EXPECT_EQ(writes[2 * n], n);
        EXPECT_EQ(writes[2 * n + 1], n + 100);
    }
    EXPECT_EQ(writes[200], kBlockBankFunctions);
    EXPECT_EQ(sim->ReadMemory(5)[3], 99);
    EXPECT_EQ(sim->ReadMemory(kBlockBankFunctions), (Block{0xFB, 0x03, 0, 0, 0, 0, 0, 0}));
}

TEST_F(TransferCommands, AValueOfWrongFormRefusesTheWholeWriteAndSendsNothing)
{
    table.SetText(Row(42), kFirstControlColumn + 2, "12a");  // control 3, as a hand-edited file may hold
    EXPECT_EQ(WriteAllPresets(session), TransferOutcome::Refused);
    table.SetCurrentRow(Row(42));
    EXPECT_EQ(WriteBank(session), TransferOutcome::Refused);
    EXPECT_EQ(WriteOnePreset(session), TransferOutcome::Refused);
    EXPECT_EQ(sim->BytesReceived(), 0u);
    ASSERT_FALSE(view.messages.empty());
    EXPECT_EQ(view.messages.back().text,
              "Preset 42: Ctrl 3 holds \"12a\", which the controller cannot take. Nothing was sent.");
    EXPECT_TRUE(view.control_changes.empty());

    settings.ctrl_numbers[6] = "256";
    EXPECT_EQ(WriteSettings(session), TransferOutcome::Refused);
    EXPECT_EQ(sim->BytesReceived(), 0u);
}

// A set-up read from a controller goes back to it, whatever bytes it held: the texts the
// grid would not take are sent as the controller's encoding makes them.
TEST_F(TransferCommands, WhatTheControllerHoldsCanBeWrittenBack)
{
    sim->WriteMemory(5, Block{0x81, 0xC3, 200, 129, 0x0F, 0, 0, 0});
    sim->WriteMemory(105, Block{130, 0x81, 0x80, 222, 255, 0, 127, 250});
    sim->WriteMemory(kBlockCtrlNumbers, Block{130, 255, 0, 1, 2, 3, 4, 0});
    sim->WriteMemory(kBlockOptions, Block{0x00, 0, 20, 255, 0, 0, 0, 0});
    link.firmware_version = 30;
    ASSERT_EQ(ReadAllPresets(session), TransferOutcome::Done);
    ASSERT_EQ(ReadSettings(session), TransferOutcome::Done);
    EXPECT_EQ(table.GetRow(Row(5)).midi1, "200");
    EXPECT_EQ(settings.midi_channels[1], "256");
    sim->WriteMemory(5, Block{});
    sim->WriteMemory(105, Block{});
    sim->WriteMemory(kBlockCtrlNumbers, Block{});
    sim->WriteMemory(kBlockOptions, Block{});

    EXPECT_EQ(WriteAllPresets(session), TransferOutcome::Done);
    EXPECT_EQ(WriteSettings(session), TransferOutcome::Done);
    EXPECT_TRUE(view.messages.empty());
    // Spare bits dropped, programs 1 and 2 at most 128, the modifier's own code.
    EXPECT_EQ(sim->ReadMemory(5), (Block{0x01, 0x03, 128, 128, 9, 0, 0, 0}));
    EXPECT_EQ(sim->ReadMemory(105), (Block{130, 0x81, 0x80, 222, 255, 0, 127, 250}));
    EXPECT_EQ(sim->ReadMemory(kBlockCtrlNumbers), (Block{130, 255, 0, 1, 2, 3, 4, 0}));
    EXPECT_EQ(sim->ReadMemory(kBlockOptions), (Block{0x00, 0, 20, 255, 0, 0, 0, 0}));
}

// The controller's reply 0x16 is its own code 22, not a refusal of ours.
TEST_F(TransferCommands, AnyWriteReplyIsShownAsTheControllersCode)
{
    sim->SetFaults(With([](kpxsim::Faults& f) { f.write_reply = 0x16; }));
    table.SetCurrentRow(Row(8));
    EXPECT_EQ(WriteOnePreset(session), TransferOutcome::Failed);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "22 error");
    EXPECT_EQ(FrameAddresses(sim->Received(), 0x03), std::vector<int>{8});  // the block went out
}

TEST_F(TransferCommands, ReadBankZeroAddressesPresetsOneToNineThenZeroAndTakesBitZero)
{
    table.SetCurrentRow(Row(7));  // bank 0's seventh row
    sim->WriteMemory(kBlockBankFunctions, Block{0xFE, 0x03, 0, 0, 0, 0, 0, 0});
    table.SetBankFunction(5, false);
    EXPECT_EQ(ReadBank(session), TransferOutcome::Done);
    const auto reads = FrameAddresses(sim->Received(), 0x02);
    EXPECT_EQ(reads, (std::vector<int>{1,   101, 2,   102, 3,   103, 4,
                                       104, 5,   105, 6,   106, 7,   107,
                                       8,   108, 9,   109, 0,   100, kBlockBankFunctions}));
    EXPECT_FALSE(table.BankFunction(0));
    EXPECT_FALSE(table.BankFunction(5));  // only bank 0's bit is taken
    EXPECT_EQ(view.changed_banks, std::vector<int>{0});
    EXPECT_EQ(view.progress.back(), 100);
}

TEST_F(TransferCommands, ABankReadFailingAtItsFifthPresetChangesNoRow)
{
    for (int n = 30; n < 40; ++n) PutOnController(n);
    table.SetCurrentRow(Row(35));
    const PresetTable before = table;
    sim->SetFaults(With([](kpxsim::Faults& f) { f.vanish_after = 4 * 20; }));
    EXPECT_EQ(ReadBank(session), TransferOutcome::Failed);
    for (int n = 30; n < 40; ++n) EXPECT_EQ(table.GetRow(Row(n)), before.GetRow(Row(n))) << n;
    ASSERT_EQ(view.messages.size(), 1u);
    // The line vanished: the next byte either could not go out or did not come back.
    EXPECT_TRUE(view.messages[0].text == "020: transmission error" ||
                view.messages[0].text == "021: transmission error")
        << view.messages[0].text;
    EXPECT_TRUE(view.controls_enabled);
    EXPECT_FALSE(view.busy_cursor);
    EXPECT_FALSE(usb.IsOpen());
}

TEST_F(TransferCommands, AReadAllFailingAtItsFifthRowLeavesFourRowsRead)
{
    for (int n = 0; n < 100; ++n) PutOnController(n);
    sim->SetFaults(With([](kpxsim::Faults& f) { f.vanish_after = 4 * 20; }));
    EXPECT_EQ(ReadAllPresets(session), TransferOutcome::Failed);
    for (int n = 11; n <= 14; ++n) EXPECT_TRUE(table.GetRow(Row(n)).buffer) << n;
    EXPECT_FALSE(table.GetRow(Row(15)).buffer);
    EXPECT_TRUE(table.BankFunction(1));
}

TEST_F(TransferCommands, WriteBankKeepsTheOtherBankFunctionsAsTheControllerHasThem)
{
    sim->WriteMemory(kBlockBankFunctions, Block{0x00, 0x02, 0, 0, 0, 0, 0, 0});  // only bank 9 on
    table.SetCurrentRow(Row(23));
    table.SetBankFunction(2, true);
    table.SetBankFunction(9, false);  // differs from the controller, but this is bank 2's write
    EXPECT_EQ(WriteBank(session), TransferOutcome::Done);
    EXPECT_EQ(sim->ReadMemory(kBlockBankFunctions), (Block{0x04, 0x02, 0, 0, 0, 0, 0, 0}));
    const auto writes = FrameAddresses(sim->Received(), 0x03);
    EXPECT_EQ(writes.front(), 21);
    EXPECT_EQ(writes[18], 20);
}

TEST_F(TransferCommands, TheNameSurvivesAWriteAndAReadBack)
{
    table.SetCurrentRow(Row(52));
    table.SetText(Row(52), kColumnName, "Clean");
    table.SetModifier(Row(52), "SWITCH");
    table.SetChecked(Row(52), kFirstSwitchColumn + 1, true);
    ASSERT_EQ(WriteOnePreset(session), TransferOutcome::Done);
    table.SetRow(Row(52), PresetData{});
    table.SetText(Row(52), kColumnName, "Clean");
    ASSERT_EQ(ReadOnePreset(session), TransferOutcome::Done);
    const PresetData row = table.GetRow(Row(52));
    EXPECT_EQ(row.name, "Clean");
    EXPECT_EQ(row.modifier, "SWITCH");
    EXPECT_TRUE(row.switches[1]);
    EXPECT_FALSE(table.Cell(Row(52), kColumnMidi1).active);  // the modifier's inactive cells were applied
}

TEST_F(TransferCommands, LockedMemoryLeavesTheLinkClosedAndTheControlsEnabled)
{
    sim->SetMemoryLocked(true);
    table.SetCurrentRow(Row(1));
    EXPECT_EQ(WriteOnePreset(session), TransferOutcome::Failed);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "103: unlock memory pressing memory lock key");
    EXPECT_TRUE(view.controls_enabled);
    EXPECT_FALSE(usb.IsOpen());
}

// However a command ends, the link is closed and the controls and the cursor come back, so
// the next command can run.
TEST_F(TransferCommands, AnExceptionInsideACommandGivesBackTheLinkAndTheControls)
{
    view.on_progress = [] { throw std::runtime_error("window gone"); };
    EXPECT_THROW(ReadAllPresets(session), std::runtime_error);
    EXPECT_TRUE(view.controls_enabled);
    EXPECT_FALSE(view.busy_cursor);
    EXPECT_FALSE(usb.IsOpen());
    EXPECT_EQ((view.control_changes), (std::vector<bool>{false, true}));

    view.on_progress = nullptr;
    table.SetCurrentRow(Row(4));
    EXPECT_EQ(ReadOnePreset(session), TransferOutcome::Done);
    EXPECT_FALSE(usb.IsOpen());
}

TEST_F(TransferCommands, NoConverterShowsNoController)
{
    link.selected_serial = "UNPLUGGED";
    EXPECT_EQ(ReadSettings(session), TransferOutcome::NoController);
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "No KPX-2/KPX-3 connected");
    EXPECT_EQ((view.control_changes), (std::vector<bool>{false, true}));
}

TEST_F(TransferCommands, SettingsRoundTripThroughBlocks251And253)
{
    link.firmware_version = 30;
    settings.midi_channels = {"16", "1", "9"};
    settings.ctrl_numbers[0] = "127";
    settings.keys[0] = "cb3";
    settings.keys[7] = "AF2";
    ASSERT_EQ(WriteSettings(session), TransferOutcome::Done);
    EXPECT_EQ(FrameAddresses(sim->Received(), 0x03), (std::vector<int>{251, 253}));
    EXPECT_EQ(sim->ReadMemory(253)[2], 15);

    SettingsData read;
    TransferSession reading{link, table, read, buffer, last_read, view};
    ASSERT_EQ(ReadSettings(reading), TransferOutcome::Done);
    EXPECT_EQ(read, settings);
    EXPECT_EQ(FrameAddresses(sim->Received(), 0x02), (std::vector<int>{251, 253, 250}));
    EXPECT_EQ(view.settings_changes, 1);
}

}  // namespace
}  // namespace orvel
