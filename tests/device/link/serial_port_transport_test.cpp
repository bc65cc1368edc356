// The link over a numbered serial port (the serial library's threaded variant) against the
// virtual controller, named as COM port 7 through the port override.
#include <cerrno>
#include <chrono>
#include <stdlib.h>
#include <string>

#include <gtest/gtest.h>

#include "device/commands/transfer_commands.h"
#include "device/converter/usb_converters.h"
#include "device/protocol/command_protocol.h"
#include "device/protocol/serial_port_identity.h"
#include "model/model_constants.h"
#include "model/preset_image.h"
#include "sim/simulator.h"
#include "tests/support/recording_messages.h"
#include "tests/support/recording_serial_system.h"
#include "tests/support/recording_view.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/sim_faults.h"
#include "tests/support/thread_refusing_serial_system.h"
#include "zudedize/zudedize_constants.h"

namespace orvel {
namespace {

using testing::RecordingMessages;

class SerialPortTransport : public ::testing::Test {
protected:
    static constexpr std::uint8_t kPort = 7;

    void SetUp() override { link.port_number = kPort; }

    kpxsim::Simulator sim;
    testing::ScopedEnvironment port_name{testing::PortVariable(kPort), sim.SlavePath()};
    RecordingMessages messages;
    UsbConverters converters;
    D2XXUnit usb{converters, messages};
    DeviceLink link{usb, TransportKind::SerialPort};
};

TEST_F(SerialPortTransport, IdentifiesTheControllerOncePerRun)
{
    std::string shown;
    ASSERT_TRUE(IdentifyBeforeTransfer(link, shown));
    EXPECT_EQ(shown, "KPX2-3");
    EXPECT_EQ(link.firmware_version, 30);
    EXPECT_EQ(sim.Received(), (std::vector<std::uint8_t>{0x1B, 0x00}));

    sim.ClearReceived();
    ASSERT_TRUE(IdentifyBeforeTransfer(link, shown));
    EXPECT_EQ(shown, "");
    EXPECT_EQ(sim.BytesReceived(), 0u);
}

TEST_F(SerialPortTransport, NoControllerOrNoPortEndsTheCommandSilently)
{
    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    std::string shown;
    EXPECT_FALSE(IdentifyBeforeTransfer(link, shown));
    EXPECT_EQ(link.firmware_version, 0);

    link.port_number = 99;  // no device behind it on this machine
    const testing::ScopedEnvironment missing(testing::PortVariable(99), "/nonexistent/tty");
    EXPECT_FALSE(IdentifyBeforeTransfer(link, shown));
    EXPECT_FALSE(OpenLink(link, 99, ""));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SerialPortTransport, PresetsTravelThroughTheSerialPort)
{
    ASSERT_TRUE(OpenLink(link, kPort, ""));
    PresetData preset;
    preset.modifier = "MIDI";
    preset.midi2 = "77";
    preset.ctrls[6] = "tog";
    std::uint8_t code = 0;
    ASSERT_TRUE(WritePreset(link, 52, code, preset));
    PresetData read;
    LastReadImages last_read{};
    ASSERT_TRUE(ReadPreset(link, 52, code, read, last_read));
    EXPECT_EQ(read, preset);
    CloseLink(link);
    EXPECT_EQ(sim.ReadMemory(52)[3], 77);
}

TEST_F(SerialPortTransport, ControllerSwitchedOffAfterIdentificationGives21)
{
    std::string shown;
    ASSERT_TRUE(IdentifyBeforeTransfer(link, shown));
    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    ASSERT_TRUE(IdentifyBeforeTransfer(link, shown));  // identified already: no new query
    ASSERT_TRUE(OpenLink(link, kPort, ""));
    std::uint8_t code = 0;
    Block bytes{};
    EXPECT_FALSE(ReadBlock(link, 0, code, bytes));
    EXPECT_EQ(ReplyCodeText(code), "021: transmission error");
    CloseLink(link);
}

// The controller's line, 9600 bit/s 8E1 without flow control, with the time-outs of the step:
// 1 s both ways for the identification, 2 s for the exchanges.
void ExpectLine(const zudedize::LineSettings& line)
{
    EXPECT_EQ(line.baud_rate, 9600);
    EXPECT_EQ(line.data_bits, 8);
    EXPECT_EQ(line.parity, zudedize::kParityEven);
    EXPECT_EQ(line.stop_bits_code, 0);
    EXPECT_FALSE(line.cts_output_flow);
}

TEST_F(SerialPortTransport, IdentificationWaitsOneSecondAndExchangesTwo)
{
    testing::RecordingSerialSystem recording;
    zudedize::ScopedSerialSystem in_place(recording);

    std::string shown;
    ASSERT_TRUE(IdentifyBeforeTransfer(link, shown));
    ASSERT_EQ(recording.LineSettings().size(), 1u);
    ExpectLine(recording.LineSettings()[0]);
    ASSERT_FALSE(recording.Timeouts().empty());
    EXPECT_EQ(recording.Timeouts()[0].read_constant, 1000u);
    EXPECT_EQ(recording.Timeouts()[0].write_constant, 1000u);

    recording.Clear();
    ASSERT_TRUE(OpenLink(link, kPort, ""));
    CloseLink(link);
    ASSERT_EQ(recording.LineSettings().size(), 1u);
    ExpectLine(recording.LineSettings()[0]);
    ASSERT_FALSE(recording.Timeouts().empty());
    EXPECT_EQ(recording.Timeouts()[0].read_constant, 2000u);
    EXPECT_EQ(recording.Timeouts()[0].write_constant, 2000u);
}

// Every block the controller keeps: 0-199 and 250-253.
std::vector<kpxsim::Block> ControllerMemory(const kpxsim::Simulator& sim)
{
    std::vector<kpxsim::Block> memory;
    for (int address = 0; address < 200; ++address)
        memory.push_back(sim.ReadMemory(static_cast<std::uint8_t>(address)));
    for (int address = 250; address <= 253; ++address)
        memory.push_back(sim.ReadMemory(static_cast<std::uint8_t>(address)));
    return memory;
}

// Nothing answers the identification: the command ends once its 1 s has passed, shows
// nothing and changes nothing, neither the grid nor the transfer buffer nor the controller.
TEST_F(SerialPortTransport, WriteAllWithoutAControllerEndsSilentlyAfterTheIdentification)
{
    testing::RecordingSerialSystem recording;
    zudedize::ScopedSerialSystem in_place(recording);
    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    PresetTable table;
    table.SetText(TableRowOfPreset(12), kColumnMidi1, "5");
    const PresetTable table_before = table;
    SettingsData settings;
    TransferBuffer buffer{};
    buffer[12].midi2 = "9";
    const TransferBuffer buffer_before = buffer;
    LastReadImages last_read{};
    testing::RecordingView view;
    TransferSession session{link, table, settings, buffer, last_read, view};
    const auto memory_before = ControllerMemory(sim);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WriteAllPresets(session), TransferOutcome::NotIdentified);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));

    EXPECT_TRUE(view.messages.empty());
    EXPECT_TRUE(view.control_changes.empty());
    EXPECT_FALSE(view.busy_cursor);
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row)
        ASSERT_EQ(table.GetRow(row), table_before.GetRow(row)) << row;
    EXPECT_EQ(table.AllBankFunctions(), table_before.AllBankFunctions());
    EXPECT_EQ(buffer, buffer_before);
    EXPECT_EQ(sim.Received(), (std::vector<std::uint8_t>{0x1B, 0x00}));  // the identify, nothing more
    EXPECT_EQ(ControllerMemory(sim), memory_before);
    ASSERT_EQ(recording.LineSettings().size(), 1u);  // one open: the identification's
    EXPECT_EQ(recording.Timeouts()[0].read_constant, 1000u);
}

// A port whose worker thread cannot start: the command says so in the serial library's
// words and leaves the port closed, so that the next command reaches the controller.
TEST_F(SerialPortTransport, APortWhoseThreadCannotStartIsReportedAndOpensAgainLater)
{
    PresetTable table;
    SettingsData settings;
    TransferBuffer buffer{};
    LastReadImages last_read{};
    testing::RecordingView view;
    TransferSession session{link, table, settings, buffer, last_read, view};
    {
        testing::ThreadRefusingSerialSystem refusing(2);
        zudedize::ScopedSerialSystem in_place(refusing);
        EXPECT_EQ(ReadSettings(session), TransferOutcome::NotIdentified);
    }
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_EQ(view.messages[0].text, "The serial port could not be opened: Błąd podczas uruchamiania wątku. (code " +
                                         std::to_string(EAGAIN) + ")");
    EXPECT_EQ(sim.BytesReceived(), 0u);

    view.messages.clear();
    EXPECT_EQ(ReadSettings(session), TransferOutcome::Done);
    EXPECT_TRUE(view.messages.empty());
    EXPECT_EQ(link.transport->OpenFailure(), "");
}

}  // namespace
}  // namespace orvel
