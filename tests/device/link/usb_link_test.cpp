// The USB converter layer, D2XXUnit and the byte transport over converters presented in a
// redirected sysfs tree.
#include <gtest/gtest.h>

#include "device/protocol/command_protocol.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/sim_fixture.h"

namespace orvel {
namespace {

using testing::RecordingMessages;
using testing::SimulatedConverter;

TEST(UsbConverterListing, ListsFtdiConvertersInTtyOrderWithTheirSerialNumbers)
{
    kpxsim::Simulator first, second, other;
    kpxsim::ConverterTree tree;
    tree.Add(10, "SECOND", second.SlavePath());
    tree.Add(2, "FIRST", first.SlavePath());
    tree.Add(3, "NOT-FTDI", other.SlavePath(), "067b");
    const testing::ScopedEnvironment root("ORVEL_SYSROOT", tree.Root());

    const auto listed = ListUsbConverters();
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].tty, "ttyUSB2");
    EXPECT_EQ(listed[0].serial, "FIRST");
    EXPECT_EQ(listed[1].tty, "ttyUSB10");
    EXPECT_EQ(listed[1].serial, "SECOND");

    RecordingMessages messages;
    UsbConverters converters;
    D2XXUnit usb(converters, messages);
    ASSERT_EQ(usb.GetFTDeviceCount(), kFtOk);
    EXPECT_EQ(usb.DeviceCount(), 2u);
    ASSERT_EQ(usb.GetSerialNumberByIndex(1), kFtOk);
    EXPECT_EQ(usb.LastListedSerial(), "SECOND");
    EXPECT_NE(usb.GetSerialNumberByIndex(2), kFtOk);
    EXPECT_EQ(usb.LastListedSerial(), "SECOND");  // a failed listing keeps the last one

    // Identify asked of each converter in turn reaches each controller.
    DeviceLink link(usb, TransportKind::UsbConverter);
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(usb.GetSerialNumberByIndex(i), kFtOk);
        std::string identity;
        EXPECT_TRUE(QueryIdentityUsb(link, usb.LastListedSerial(), identity)) << i;
    }
    EXPECT_EQ(first.Received(), (std::vector<std::uint8_t>{0x1B, 0x00}));
    EXPECT_EQ(second.Received(), (std::vector<std::uint8_t>{0x1B, 0x00}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(UsbConverterListing, NoTreeMeansNoConverters)
{
    const testing::ScopedEnvironment root("ORVEL_SYSROOT", "/nonexistent/orvel-test-root");
    EXPECT_TRUE(ListUsbConverters().empty());
    RecordingMessages messages;
    UsbConverters converters;
    D2XXUnit usb(converters, messages);
    EXPECT_EQ(usb.GetFTDeviceCount(), kFtOk);
    EXPECT_EQ(usb.DeviceCount(), 0u);
}

TEST(DeviceStatusTexts, FollowTheConverterTable)
{
    EXPECT_EQ(DeviceStatusText(2), " - Device not found...");
    EXPECT_EQ(DeviceStatusText(7), " - Invalid baud rate...");
    EXPECT_EQ(DeviceStatusText(8), " Device not opened for erase...");
    EXPECT_EQ(DeviceStatusText(9), " Device not opened for write...");
    EXPECT_EQ(DeviceStatusText(17), " - Other error ...");
    EXPECT_EQ(DeviceStatusText(18), " - Unknown error (status 18)...");
}

class UsbLink : public SimulatedConverter {};

TEST_F(UsbLink, SerialNumbersAreCutTo49CharactersAndListedInto16Bytes)
{
    const std::string long_serial(60, 'A');
    EXPECT_NE(usb.OpenBySerialNumber(long_serial), kFtOk);
    EXPECT_EQ(usb.OpenSerialNumber(), std::string(49, 'A'));
    EXPECT_NE(usb.OpenBySerialNumber(""), kFtOk);
    EXPECT_EQ(usb.OpenSerialNumber(), "");

    tree->Add(1, std::string(20, 'B'), sim->SlavePath());
    ASSERT_EQ(usb.GetSerialNumberByIndex(1), kFtOk);
    EXPECT_EQ(usb.LastListedSerial(), std::string(15, 'B'));
    EXPECT_EQ(usb.LastListedSerialRaw()[15], '\0');
}

TEST_F(UsbLink, OpeningAnUnknownConverterFailsWithoutADialog)
{
    EXPECT_FALSE(OpenLink(link, 1, "NOBODY"));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(usb.IsOpen());
}

TEST_F(UsbLink, OpenSetsTheControllersLineAndClosesCleanly)
{
    ASSERT_TRUE(Open());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(link.transport->Send(kEscape));
    EXPECT_TRUE(link.transport->Send(kCommandCurrentPreset));
    std::uint8_t tens = 0xAA;
    EXPECT_TRUE(link.transport->Receive(tens));
    EXPECT_TRUE(CloseLink(link));
    // The same converter opens again at once, line settings and all: the close released it,
    // and a line that drops parity (a pseudo-terminal) is no failure.
    ASSERT_TRUE(Open());
    EXPECT_TRUE(messages.shown.empty());
    CloseLink(link);
}

TEST_F(UsbLink, ReceiveThatTimesOutLeavesTheByteUnchanged)
{
    ASSERT_TRUE(Open());
    usb.SetDeviceTimeouts(50, 50);
    std::uint8_t byte = 0x5A;
    EXPECT_FALSE(link.transport->Receive(byte));
    EXPECT_EQ(byte, 0x5A);
    CloseLink(link);
}

TEST_F(UsbLink, SecondOpenOfAnOpenConverterFails)
{
    ASSERT_TRUE(Open());
    RecordingMessages other_messages;
    UsbConverters other_library;
    D2XXUnit other(other_library, other_messages);
    EXPECT_NE(other.OpenBySerialNumber(kSerial), kFtOk);
    CloseLink(link);
    EXPECT_EQ(other.OpenBySerialNumber(kSerial), kFtOk);
    other.CloseDevice();
}

// The real converter layer with a record of every call the editor makes on it, for what a
// pseudo-terminal cannot show or do: the order and values of the set-up calls, a driver that
// refuses the line speed, a write that times out.
class RecordingConverters final : public ConverterLibrary {
public:
    FtStatus CountDevices(std::uint32_t& count) override { return real.CountDevices(count); }
    FtStatus SerialNumberByIndex(std::int32_t i, FtSerialBuffer& s) override { return real.SerialNumberByIndex(i, s); }
    FtStatus OpenBySerialNumber(const char* s, FtHandle& h) override
    {
        calls.push_back(std::string("open ") + s);
        return real.OpenBySerialNumber(s, h);
    }
    FtStatus Close(FtHandle h) override
    {
        calls.push_back("close");
        return real.Close(h);
    }
    FtStatus Read(FtHandle h, std::uint8_t* b, std::uint32_t n, std::uint32_t& c) override
    {
        return real.Read(h, b, n, c);
    }
    FtStatus Write(FtHandle h, const std::uint8_t* b, std::uint32_t n, std::uint32_t& c) override
    {
        if (write_times_out) {
            c = 0;
            return kFtOk;
        }
        return real.Write(h, b, n, c);
    }
    void AbandonWaits(bool abandon) override { real.AbandonWaits(abandon); }
    FtStatus SetBaudRate(FtHandle h, std::uint32_t baud) override
    {
        calls.push_back("baud " + std::to_string(baud));
        return refuse_baud_rate ? kFtInvalidBaudRate : real.SetBaudRate(h, baud);
    }
    FtStatus SetDataCharacteristics(FtHandle h, std::uint8_t w, std::uint8_t s, std::uint8_t p) override
    {
        calls.push_back("data " + std::to_string(w) + " " + std::to_string(s) + " " + std::to_string(p));
        return real.SetDataCharacteristics(h, w, s, p);
    }
    FtStatus SetFlowControl(FtHandle h, std::uint16_t f, std::uint8_t on, std::uint8_t off) override
    {
        calls.push_back("flow " + std::to_string(f) + " " + std::to_string(on) + " " + std::to_string(off));
        return real.SetFlowControl(h, f, on, off);
    }
    FtStatus SetTimeouts(FtHandle h, std::uint32_t r, std::uint32_t w) override
    {
        calls.push_back("timeouts " + std::to_string(r) + " " + std::to_string(w));
        return real.SetTimeouts(h, r, w);
    }
    bool HasComPortLookup() const override { return false; }
    FtStatus GetComPortNumber(FtHandle h, std::int32_t& port) override { return real.GetComPortNumber(h, port); }

    UsbConverters real;
    std::vector<std::string> calls;
    bool refuse_baud_rate = false;
    bool write_times_out = false;
};

class RecordedUsbLink : public UsbLink {
protected:
    RecordingConverters recording;
    D2XXUnit recorded_usb{recording, messages};
    DeviceLink recorded_link{recorded_usb, TransportKind::UsbConverter};
};

// Exchanges wait 2 s a byte, the identify 500 ms; both set 9600 bit/s, 8 data bits, one stop
// bit, even parity and no flow control (XON 0x11, XOFF 0x13), in this order, after the open.
TEST_F(RecordedUsbLink, OpenAndIdentifySetTheLineInOrder)
{
    ASSERT_TRUE(OpenLink(recorded_link, 1, kSerial));
    CloseLink(recorded_link);
    std::string identity;
    ASSERT_TRUE(QueryIdentityUsb(recorded_link, kSerial, identity));
    EXPECT_EQ(recording.calls,
              (std::vector<std::string>{"open KPX00001", "timeouts 2000 2000", "baud 9600", "data 8 0 2",
                                        "flow 0 17 19", "close", "open KPX00001", "timeouts 500 500", "baud 9600",
                                        "data 8 0 2", "flow 0 17 19", "close"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(RecordedUsbLink, RefusedBaudRateShowsItsBoxAndStillOpens)
{
    recording.refuse_baud_rate = true;
    EXPECT_TRUE(OpenLink(recorded_link, 1, kSerial));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "FT_SetBaudRate - Invalid baud rate...");
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
    EXPECT_TRUE(recorded_usb.IsOpen());
    EXPECT_EQ(recording.calls.back(), "flow 0 17 19");  // the rest of the set-up still ran

    // Without the COM port lookup the port number is 0.
    std::int32_t port = 99;
    EXPECT_EQ(recorded_usb.GetDeviceComPortNumber(port), kFtOk);
    EXPECT_EQ(port, 0);
    CloseLink(recorded_link);
}

TEST_F(RecordedUsbLink, SendThatTimesOutGives20)
{
    ASSERT_TRUE(OpenLink(recorded_link, 1, kSerial));
    recording.write_times_out = true;
    EXPECT_FALSE(recorded_link.transport->Send(kEscape));
    std::uint8_t code = 0;
    Block bytes{};
    EXPECT_FALSE(ReadBlock(recorded_link, 3, code, bytes));
    EXPECT_EQ(ReplyCodeText(code), "020: transmission error");
    EXPECT_EQ(sim->BytesReceived(), 0u);
    CloseLink(recorded_link);
}

TEST_F(UsbLink, ComPortNumberNamesTheSameDevice)
{
    ASSERT_TRUE(Open());
    std::int32_t port = -1;
    EXPECT_EQ(usb.GetDeviceComPortNumber(port), kFtOk);
    EXPECT_EQ(port, 0);  // no COM port names a pseudo-terminal
    {
        const testing::ScopedEnvironment named(testing::PortVariable(7), sim->SlavePath());
        EXPECT_EQ(usb.GetDeviceComPortNumber(port), kFtOk);
        EXPECT_EQ(port, 7);
    }
    CloseLink(link);
}

// Listing converters asks each one, also in a run over a numbered serial port (the
// companion's "list" with --com): the identify goes through the converter, not the port.
TEST_F(UsbLink, IdentifyAsksTheConverterWhicheverTransportTheRunUses)
{
    DeviceLink serial_link(usb, TransportKind::SerialPort);
    std::string identity;
    EXPECT_TRUE(QueryIdentityUsb(serial_link, kSerial, identity));
    EXPECT_EQ(serial_link.firmware_version, 30);
    EXPECT_EQ(sim->Received(), (std::vector<std::uint8_t>{0x1B, 0x00}));
    EXPECT_FALSE(usb.IsOpen());
}

TEST(SerialPortBranch, WithoutAPortNothingOpensAndNothingMoves)
{
    RecordingMessages messages;
    UsbConverters converters;
    D2XXUnit usb(converters, messages);
    DeviceLink link(usb, TransportKind::SerialPort);
    EXPECT_FALSE(OpenLink(link, 3, ""));
    EXPECT_FALSE(link.transport->Send(0x1B));
    std::uint8_t byte = 9;
    EXPECT_FALSE(link.transport->Receive(byte));
    EXPECT_EQ(byte, 9);
}

}  // namespace
}  // namespace orvel
