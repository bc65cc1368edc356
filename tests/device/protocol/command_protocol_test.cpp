// The controller's commands against the virtual controller, over a real pseudo-terminal and
// the editor's real converter layer.
#include "device/protocol/command_protocol.h"

#include <array>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "device/protocol/controller_identity.h"
#include "model/preset_image.h"
#include "tests/support/sim_faults.h"
#include "tests/support/sim_fixture.h"

namespace orvel {
namespace {

using testing::SimulatedConverter;
using testing::With;
using Bytes = std::vector<std::uint8_t>;

class CommandProtocol : public SimulatedConverter {};

TEST_F(CommandProtocol, IdentifiesLongAndShortForms)
{
    kpxsim::Options options;
    options.model = 3;
    options.version = 30;
    Start(options);
    std::string identity;
    ASSERT_TRUE(QueryIdentityUsb(link, kSerial, identity));
    EXPECT_EQ(identity, "KPX3-3");
    EXPECT_EQ(link.firmware_version, 30);
    EXPECT_EQ(sim->Received(), (Bytes{0x1B, 0x00}));
    EXPECT_FALSE(usb.IsOpen());

    options.form = kpxsim::IdentityForm::Short;
    options.version = 12;
    Start(options);
    ASSERT_TRUE(QueryIdentityUsb(link, kSerial, identity));
    EXPECT_EQ(identity, "KP3-12");
    EXPECT_EQ(link.firmware_version, 12);
    EXPECT_EQ(ShownIdentity(identity), "KPX3-12");
}

TEST_F(CommandProtocol, IdentityWithoutVersionDigitsLeavesTheControllerUnidentified)
{
    kpxsim::Options options;
    options.identity = "KPX2-?";
    Start(options);
    link.firmware_version = 20;
    std::string identity;
    EXPECT_FALSE(QueryIdentityUsb(link, kSerial, identity));
    EXPECT_EQ(link.firmware_version, 20);
    EXPECT_FALSE(usb.IsOpen());
}

TEST_F(CommandProtocol, IdentifyOfAConverterWithoutControllerFails)
{
    sim->SetFaults(With([](kpxsim::Faults& f) { f.silent = true; }));
    link.firmware_version = 30;
    std::string identity;
    EXPECT_FALSE(QueryIdentityUsb(link, kSerial, identity));
    EXPECT_EQ(link.firmware_version, 30);
    EXPECT_FALSE(QueryIdentityUsb(link, "NO-SUCH-CONVERTER", identity));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CommandProtocol, CurrentPresetIsTensThenUnitsAndOtherBytesNameNoPreset)
{
    sim->SetCurrentPreset(37);
    std::uint8_t preset = 0;
    std::string failure = "before";
    ASSERT_TRUE(QueryCurrentPreset(link, preset, failure));
    EXPECT_EQ(preset, 37);
    EXPECT_EQ(failure, "");
    EXPECT_FALSE(usb.IsOpen());
    sim->SetCurrentPreset(0);
    ASSERT_TRUE(QueryCurrentPreset(link, preset));
    EXPECT_EQ(preset, 0);

    // Bytes that are not two digits 0 to 9 are a failure naming them, never a preset.
    const std::pair<std::array<std::uint8_t, 2>, const char*> replies[] = {
        {{0, 12}, "0x00 0x0C"}, {{255, 255}, "0xFF 0xFF"}, {{10, 0}, "0x0A 0x00"}};
    for (const auto& [reply, bytes] : replies) {
        sim->SetFaults(With([&](kpxsim::Faults& f) { f.preset_reply = reply; }));
        preset = 55;
        EXPECT_FALSE(QueryCurrentPreset(link, preset, failure)) << bytes;
        EXPECT_EQ(preset, 55);
        EXPECT_EQ(failure, std::string("The controller's current preset reply ") + bytes +
                               " names no preset: both digits must be 0 to 9");
        EXPECT_FALSE(usb.IsOpen());
    }
    sim->SetFaults(With([](kpxsim::Faults& f) { f.preset_reply = std::array<std::uint8_t, 2>{9, 9}; }));
    ASSERT_TRUE(QueryCurrentPreset(link, preset, failure));
    EXPECT_EQ(preset, 99);
}

TEST_F(CommandProtocol, ReadsAndWritesBlocksWithChecksums)
{
    ASSERT_TRUE(Open());
    std::uint8_t code = 0;
    Block bytes{};
    ASSERT_TRUE(ReadBlock(link, kBlockCtrlNumbers, code, bytes));
    EXPECT_EQ(bytes, (Block{81, 82, 83, 84, 85, 86, 87, 0}));

    const Block written{0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x00};
    sim->ClearReceived();
    ASSERT_TRUE(WriteBlock(link, 42, code, written));
    EXPECT_EQ(sim->Received(), (Bytes{0x1B, 0x03, 42, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x00, 0xD5}));
    EXPECT_EQ(sim->ReadMemory(42), written);
    ASSERT_TRUE(ReadBlock(link, 42, code, bytes));
    EXPECT_EQ(bytes, written);
    EXPECT_EQ(code, 0);
    CloseLink(link);
}

TEST_F(CommandProtocol, RefusedAddressesSendNothingAndKeepTheCode)
{
    ASSERT_TRUE(Open());
    std::uint8_t code = 77;
    Block bytes{};
    PresetData record;
    LastReadImages last_read{};
    EXPECT_FALSE(ReadBlock(link, 254, code, bytes));
    EXPECT_FALSE(WriteBlock(link, 255, code, bytes));
    EXPECT_FALSE(ReadPreset(link, 100, code, record, last_read));
    EXPECT_FALSE(WritePreset(link, 100, code, record));
    EXPECT_EQ(code, 77);
    EXPECT_EQ(sim->BytesReceived(), 0u);
    CloseLink(link);
}

TEST_F(CommandProtocol, PresetRoundTripUsesBothHalvesAndKeepsTheName)
{
    ASSERT_TRUE(Open());
    PresetData preset;
    preset.modifier = "LOOP";
    preset.name = "Lead";
    preset.buffer = true;
    preset.loops[5] = true;
    preset.switches[3] = true;
    preset.midi1 = "128";
    preset.midi3_pc = "5";
    preset.ctrls = {"128", "tog", "0", "unu", "127", "1", "unu"};
    preset.aux[1] = true;
    std::uint8_t code = 0;
    ASSERT_TRUE(WritePreset(link, 0, code, preset));
    // Preset 0 lives in blocks 0 and 100.
    EXPECT_EQ(sim->ReadMemory(0), (Block{0x41, 0x28, 128, 0, 9, 0, 0, 0}));
    EXPECT_EQ(sim->ReadMemory(100), (Block{0x81, 222, 0, 0x80, 127, 1, 0x80, 5}));

    PresetData read;
    read.name = "kept";
    LastReadImages last_read{};
    ASSERT_TRUE(ReadPreset(link, 0, code, read, last_read));
    EXPECT_EQ(read.name, "kept");
    read.name = preset.name;
    EXPECT_EQ(read, preset);
    EXPECT_EQ(last_read[0][8], 0x81);
    EXPECT_EQ(last_read[1], PresetImage{});  // only the preset read is stored
    CloseLink(link);
}

TEST_F(CommandProtocol, AFactoryPresetReadsAsTheDefault)
{
    ASSERT_TRUE(Open());
    std::uint8_t code = 0;
    PresetData read;
    read.modifier = "MIDI";
    LastReadImages last_read{};
    ASSERT_TRUE(ReadPreset(link, 10, code, read, last_read));
    EXPECT_EQ(read, PresetData{});
    EXPECT_EQ(last_read[10], DefaultPresetImage());
    CloseLink(link);
}

TEST_F(CommandProtocol, PresetWithAValueOfWrongFormSendsNothing)
{
    ASSERT_TRUE(Open());
    PresetData preset;
    preset.ctrls[2] = "12a";
    std::uint8_t code = 77;
    EXPECT_FALSE(WritePreset(link, 5, code, preset));
    EXPECT_EQ(code, 77);  // no code of ours can pass for a reply of the controller
    EXPECT_EQ(sim->BytesReceived(), 0u);
    CloseLink(link);
}

TEST_F(CommandProtocol, ControllerReplyCodes)
{
    ASSERT_TRUE(Open());
    std::uint8_t code = 0;
    Block bytes{};
    const Block before = sim->ReadMemory(3);

    sim->SetFaults(With([](kpxsim::Faults& f) { f.read_reply = 0x65; }));
    sim->ClearReceived();
    EXPECT_FALSE(ReadBlock(link, 3, code, bytes));
    EXPECT_EQ(code, 101);
    EXPECT_EQ(ReplyCodeText(code), "101: internal memory reading/writing error");

    // A first byte that is neither "d" nor "e" is no block, not a success with made-up data.
    sim->SetFaults(With([](kpxsim::Faults& f) { f.read_reply = 0x41; }));
    bytes.fill(0xEE);
    EXPECT_FALSE(ReadBlock(link, 3, code, bytes));
    EXPECT_EQ(code, 0x41);
    EXPECT_EQ(ReplyCodeText(code), "65 error");
    EXPECT_EQ(bytes, (Block{0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}));

    sim->SetFaults(With([](kpxsim::Faults& f) { f.bad_checksum = true; }));
    EXPECT_FALSE(ReadBlock(link, 3, code, bytes));
    EXPECT_EQ(code, 102);
    EXPECT_EQ(ReplyCodeText(code), "102: checksum error");

    sim->SetFaults(With([](kpxsim::Faults& f) { f.write_reply = 0x66; }));
    EXPECT_FALSE(WriteBlock(link, 3, code, bytes));
    EXPECT_EQ(code, 102);

    // 0x16 is a reply like any other: the block was sent, the controller said no.
    sim->SetFaults(With([](kpxsim::Faults& f) { f.write_reply = 0x16; }));
    EXPECT_FALSE(WriteBlock(link, 3, code, bytes));
    EXPECT_EQ(code, 22);
    EXPECT_EQ(ReplyCodeText(code), "22 error");

    sim->SetFaults(With([](kpxsim::Faults& f) { f.write_reply = 0x68; }));
    EXPECT_FALSE(WriteBlock(link, 3, code, bytes));
    EXPECT_EQ(code, 104);
    EXPECT_EQ(ReplyCodeText(code), "104 error");
    EXPECT_EQ(sim->ReadMemory(3), before);
    CloseLink(link);
}

TEST_F(CommandProtocol, LockedMemoryStopsAPresetWriteAfterItsFirstHalf)
{
    ASSERT_TRUE(Open());
    sim->SetMemoryLocked(true);
    sim->ClearReceived();
    PresetData preset;
    preset.buffer = true;
    std::uint8_t code = 0;
    EXPECT_FALSE(WritePreset(link, 7, code, preset));
    EXPECT_EQ(code, 103);
    EXPECT_EQ(ReplyCodeText(code), "103: unlock memory pressing memory lock key");
    const Bytes sent = sim->Received();
    ASSERT_EQ(sent.size(), 12u);  // one frame: escape, command, address, 8 bytes, checksum
    EXPECT_EQ(sent[2], 7);
    EXPECT_EQ(sim->ReadMemory(7), Block{});
    CloseLink(link);
}

TEST_F(CommandProtocol, SilentControllerTimesOutWith21)
{
    ASSERT_TRUE(Open());
    sim->SetFaults(With([](kpxsim::Faults& f) { f.silent = true; }));
    std::uint8_t code = 0;
    Block bytes{};
    EXPECT_FALSE(ReadBlock(link, 0, code, bytes));
    EXPECT_EQ(code, 21);
    EXPECT_EQ(ReplyCodeText(code), "021: transmission error");
    CloseLink(link);
}

TEST_F(CommandProtocol, ControllerFallingSilentMidReplyTimesOutWith21)
{
    ASSERT_TRUE(Open());
    sim->SetFaults(With([](kpxsim::Faults& f) { f.stop_after = 4; }));
    std::uint8_t code = 0;
    Block bytes{};
    EXPECT_FALSE(ReadBlock(link, 0, code, bytes));
    EXPECT_EQ(code, 21);
    CloseLink(link);
}

TEST_F(CommandProtocol, ConverterVanishingMidExchangeFailsWithoutHanging)
{
    ASSERT_TRUE(Open());
    sim->SetFaults(With([](kpxsim::Faults& f) { f.vanish_after = 5; }));
    std::uint8_t code = 0;
    Block bytes{};
    EXPECT_FALSE(ReadBlock(link, 0, code, bytes));
    EXPECT_TRUE(code == 20 || code == 21) << int(code);
    code = 0;
    EXPECT_FALSE(WriteBlock(link, 0, code, bytes));
    EXPECT_TRUE(code == 20 || code == 21) << int(code);
    PresetData record;
    LastReadImages last_read{};
    EXPECT_FALSE(ReadPreset(link, 1, code, record, last_read));
    CloseLink(link);
    // Gone from the system: the next open finds nothing.
    tree->Remove(0);
    EXPECT_FALSE(Open());
}

}  // namespace
}  // namespace orvel
