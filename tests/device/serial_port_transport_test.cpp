// The link over a numbered serial port (the serial library's threaded variant) against the
// virtual controller, named as COM port 7 through the port override.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "command_protocol.h"
#include "model/preset_image.h"
#include "recording_messages.h"
#include "serial_port_identity.h"
#include "sim_faults.h"
#include "simulator.h"
#include "usb_converters.h"

namespace orvel {
namespace {

using testing::RecordingMessages;

class SerialPortTransport : public ::testing::Test {
protected:
    static constexpr std::uint8_t kPort = 7;

    void SetUp() override {
        setenv("ZUDEDIZE_COM7", sim.SlavePath().c_str(), 1);
        link.port_number = kPort;
    }
    void TearDown() override { unsetenv("ZUDEDIZE_COM7"); }

    kpxsim::Simulator sim;
    RecordingMessages messages;
    UsbConverters converters;
    D2XXUnit usb{converters, messages};
    DeviceLink link{usb, kPlatformSerialFirst};
};

TEST_F(SerialPortTransport, IdentifiesTheControllerOncePerRun) {
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

TEST_F(SerialPortTransport, NoControllerOrNoPortEndsTheCommandSilently) {
    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    std::string shown;
    EXPECT_FALSE(IdentifyBeforeTransfer(link, shown));
    EXPECT_EQ(link.firmware_version, 0);

    link.port_number = 99;   // no device behind it on this machine
    setenv("ZUDEDIZE_COM99", "/nonexistent/tty", 1);
    EXPECT_FALSE(IdentifyBeforeTransfer(link, shown));
    EXPECT_FALSE(OpenLink(link, 99, ""));
    unsetenv("ZUDEDIZE_COM99");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SerialPortTransport, PresetsTravelThroughTheSerialPort) {
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

TEST_F(SerialPortTransport, ControllerSwitchedOffAfterIdentificationGives21) {
    std::string shown;
    ASSERT_TRUE(IdentifyBeforeTransfer(link, shown));
    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    ASSERT_TRUE(IdentifyBeforeTransfer(link, shown));   // identified already: no new query
    ASSERT_TRUE(OpenLink(link, kPort, ""));
    std::uint8_t code = 0;
    Block bytes{};
    EXPECT_FALSE(ReadBlock(link, 0, code, bytes));
    EXPECT_EQ(ErrorText(code), "021: transmission error");
    CloseLink(link);
}

}  // namespace
}  // namespace orvel
