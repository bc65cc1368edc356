// The blocking variant over real pseudo-terminals, and its settings against the fake.
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/fake_serial.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/serial_test_support.h"

namespace zudedize::test {
namespace {

using namespace zudedize::blocking;

constexpr int kBlockingPort = 221;

class BlockingPortTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBothVariants(); }
    void TearDown() override { ResetBothVariants(); }
    PseudoTerminal line_{kBlockingPort};
};

TEST_F(BlockingPortTest, MovesBytesBothWays)
{
    ASSERT_EQ(InitializePort(kBlockingPort, 9600, 1, 1), 0);
    const std::uint8_t frame[] = {0x1B, 0x4D, 0x00};
    EXPECT_EQ(WriteBytes(frame, 3), 1);
    EXPECT_EQ(WriteBytes(nullptr, 0), 1) << "nothing to send is sent";
    EXPECT_EQ(WriteByte(0x99), 1);
    for (const std::uint8_t expected : {0x1B, 0x4D, 0x00, 0x99}) EXPECT_EQ(line_.Receive(), expected);
    EXPECT_TRUE(CharSent());

    line_.Send({0x9F});
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 1);
    EXPECT_EQ(byte, 0x9F);
    EXPECT_EQ(GetCOMNumber(1), kBlockingPort);
    EXPECT_EQ(GetSpeed(1), 9600);
    EXPECT_FALSE(SerialPortPresent(kBlockingPort)) << "the port is held open here";
}

TEST_F(BlockingPortTest, ClearPortOnAPseudoTerminalKeepsWhatWasWritten)
{
    // More than the far end's read buffer holds: the rest waits in the kernel on its way
    // there, where flushing our output queue would destroy it.
    ASSERT_EQ(InitializePort(kBlockingPort, 38400, 1, 1), 0);
    std::vector<std::uint8_t> chunk(255);
    constexpr int kChunks = 24;
    for (int c = 0; c < kChunks; ++c) {
        for (std::size_t i = 0; i < chunk.size(); ++i) chunk[i] = static_cast<std::uint8_t>(c + i);
        ASSERT_EQ(WriteBytes(chunk.data(), static_cast<std::uint8_t>(chunk.size())), 1);
    }
    EXPECT_EQ(ClearPort(), 0);
    for (int c = 0; c < kChunks; ++c) {
        for (std::size_t i = 0; i < chunk.size(); ++i) {
            const auto byte = line_.Receive();
            ASSERT_TRUE(byte.has_value()) << "lost from byte " << c * chunk.size() + i;
            ASSERT_EQ(*byte, static_cast<std::uint8_t>(c + i));
        }
    }
}

TEST_F(BlockingPortTest, ReadTimeOutsZeroAndShort)
{
    ASSERT_EQ(InitializePort(kBlockingPort, 9600, 1, 0), 0);
    std::uint8_t byte = 0;
    Stopwatch at_once;
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_LT(at_once.ElapsedMs(), 500);

    ASSERT_TRUE(MsSetTimeouts(1000, 120));
    const Stopwatch waited;
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_GE(waited.ElapsedMs(), 110);
    const LineErrorFlags flags = LineErrors();
    EXPECT_FALSE(flags.overrun || flags.parity || flags.framing) << "a time-out is no line error";
}

TEST_F(BlockingPortTest, ReopensAtAnySpeedIncludingTheBreakSpeed)
{
    ASSERT_EQ(InitializePort(kBlockingPort, 500, 1, 1), 0);
    EXPECT_EQ(GetSpeed(1), 500);
    EXPECT_TRUE(ChangeSpeedZudedize(38400));
    EXPECT_TRUE(ChangeParity(kParitySpace));
    EXPECT_EQ(UnInitializePort(), 0);
    EXPECT_EQ(PortDelay(), kDefaultPortDelayMs) << "every close puts the port delay back";
    SetPortDelay(0);
    ASSERT_EQ(InitializePort(kBlockingPort, 9600, 1, 1), 0);
    EXPECT_EQ(WriteByte(0x55), 1);
    EXPECT_EQ(line_.Receive(), 0x55);
}

TEST_F(BlockingPortTest, CallsOnASlotThatIsNotOpen)
{
    SetComSelector(90);
    EXPECT_EQ(ClearPort(), kResultSlotNotOpen);
    EXPECT_EQ(SetSerialParameters(), kResultSlotNotOpen);
    EXPECT_EQ(GetCOMHandle(90), kInvalidHandle);
    const Stopwatch clock;
    EXPECT_FALSE(CharSent());
    EXPECT_LT(clock.ElapsedMs(), 100);
    EXPECT_EQ(WriteByte(1), 0);
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_FALSE(ChangeSpeedZudedize(9600));
    EXPECT_FALSE(MsSetTimeouts(10, 10));
    EXPECT_EQ(ModemStatus(), 0);
    EXPECT_EQ(GetCOMNumber(90), 0);
    EXPECT_EQ(UnInitializePort(), 0);

    EXPECT_EQ(InitializePort(250, 9600, 1, 1), kResultCannotOpen) << "port 250 names no device";
    EXPECT_EQ(GetCOMHandle(90), kInvalidHandle);
}

TEST_F(BlockingPortTest, OpeningAnOpenSlotAgainReleasesTheEarlierDevice)
{
    ASSERT_EQ(InitializePort(kBlockingPort, 9600, 1, 1), 0);
    EXPECT_EQ(InitializePort(kBlockingPort, 9600, 1, 1), 0);
    EXPECT_EQ(UnInitializePort(), 0);
    EXPECT_TRUE(SerialPortPresent(kBlockingPort)) << "no descriptor was left holding the device";
}

class BlockingSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBothVariants(); }
    void TearDown() override { ResetBothVariants(); }

    FakeSerialSystem system_;
    ScopedSerialSystem installed_{system_};
    std::shared_ptr<FakeLine> line_ = system_.Add("fake:222");
    ScopedEnvironment mapped_{PortVariable(222), "fake:222"};
};

TEST_F(BlockingSettingsTest, SpeedChangePutsBackTheOpenTimeoutsAndKeepsTheMultipliers)
{
    line_->timeouts = {0, 7, 0, 9, 0};
    ASSERT_EQ(InitializePort(222, 9600, 31, 1), 0);
    EXPECT_EQ(line_->timeouts, (CommTimeouts{1000, 7, 1000, 9, 31000}));
    ASSERT_TRUE(MsSetTimeouts(50, 0));
    EXPECT_EQ(line_->timeouts, (CommTimeouts{kReadIntervalNone, 7, 0, 9, 50}));
    ASSERT_TRUE(ChangeSpeedZudedize(38400));
    EXPECT_EQ(line_->timeouts, (CommTimeouts{1000, 7, 1000, 9, 31000}));
    EXPECT_EQ(line_->LastApplied().baud_rate, 38400);
}

TEST_F(BlockingSettingsTest, CtsFlowFollowsTheCtsSetting)
{
    UstawCTS(1);
    ASSERT_EQ(InitializePort(222, 9600, 1, 1), 0);
    EXPECT_TRUE(line_->LastApplied().cts_output_flow);
    EXPECT_EQ(line_->LastApplied().parity, kParityEven);
    UstawCTS(0);
    EXPECT_EQ(SetSerialParameters(), 0);
    EXPECT_FALSE(line_->LastApplied().cts_output_flow);
    UnInitializePort();
    SetPortDelay(0);
    ASSERT_EQ(InitializePort(222, 9600, 1, 1), 0);
    EXPECT_FALSE(line_->LastApplied().cts_output_flow) << "the setting holds for the next open";
}

TEST_F(BlockingSettingsTest, LinePatternOutsideOneToFourChangesNothingAndStillWaits)
{
    ASSERT_EQ(InitializePort(222, 9600, 1, 1), 0);
    EXPECT_TRUE(UstawKanalZudedize(4));
    const Stopwatch clock;
    EXPECT_FALSE(UstawKanalZudedize(5));
    EXPECT_GE(clock.ElapsedMs(), 45);
    EXPECT_TRUE(line_->dtr);
    EXPECT_FALSE(line_->rts);
}

}  // namespace
}  // namespace zudedize::test
