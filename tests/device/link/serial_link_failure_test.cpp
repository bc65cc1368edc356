// Opening the link and identifying the controller on a numbered serial port whose device
// refuses its settings (the serial services' stand-in): nothing stays open afterwards.
#include <gtest/gtest.h>

#include "device/converter/usb_converters.h"
#include "device/protocol/serial_port_identity.h"
#include "tests/support/fake_serial.h"
#include "tests/support/recording_messages.h"
#include "tests/support/scoped_environment.h"

namespace orvel {
namespace {

TEST(SerialLinkFailure, FailedOpenAndIdentificationLeaveThePortClosed)
{
    zudedize::test::FakeSerialSystem system;
    zudedize::ScopedSerialSystem installed(system);
    const auto line = system.Add("fake:7");
    testing::ScopedEnvironment mapped(testing::PortVariable(7), "fake:7");
    testing::RecordingMessages messages;
    UsbConverters converters;
    D2XXUnit usb{converters, messages};
    DeviceLink link{usb, TransportKind::SerialPort};

    line->refuse_line_settings = 22;
    EXPECT_FALSE(OpenLink(link, 7, ""));
    EXPECT_FALSE(line->open);
    std::string shown = "KPX2-3";
    EXPECT_FALSE(QueryIdentitySerial(link, 7, shown));
    EXPECT_EQ(shown, "") << "no identity from an earlier call";
    EXPECT_FALSE(line->open);

    // A line that opens but where nothing answers.
    line->refuse_line_settings = 0;
    shown = "KPX2-3";
    EXPECT_FALSE(QueryIdentitySerial(link, 7, shown));
    EXPECT_EQ(shown, "");
    EXPECT_FALSE(line->open);

    ASSERT_TRUE(OpenLink(link, 7, "")) << "the slot opens afresh";
    EXPECT_TRUE(CloseLink(link));
    EXPECT_FALSE(line->open);
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace orvel
