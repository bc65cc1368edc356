// The threaded variant's line settings, time-outs, lines and line errors, against the fake
// serial services.
#include <thread>

#include <gtest/gtest.h>

#include "serial/error_texts.h"
#include "tests/support/fake_serial.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/serial_test_support.h"

namespace zudedize::test {
namespace {

using namespace zudedize::threaded;

constexpr int kSettingsPort = 211;

class ThreadedSettingsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBothVariants(); }
    void TearDown() override { ResetBothVariants(); }

    FakeSerialSystem system_;
    ScopedSerialSystem installed_{system_};
    std::shared_ptr<FakeLine> line_ = system_.Add("fake:211");
    ScopedEnvironment mapped_{PortVariable(kSettingsPort), "fake:211"};
};

TEST_F(ThreadedSettingsTest, OpenParityFollowsTheLastPInitializePortAndChangeParityAppliesAnyCode)
{
    ASSERT_EQ(pInitializePort(kSettingsPort, 9600, 1, 1, kParityNone), 0);
    EXPECT_EQ(line_->LastApplied().parity, kParityNone);
    UnInitializePort();
    ASSERT_EQ(InitializePort(kSettingsPort, 9600, 1, 1), 0);
    EXPECT_EQ(line_->LastApplied().parity, kParityNone) << "InitializePort keeps the parity setting";
    UnInitializePort();

    ASSERT_EQ(pInitializePort(kSettingsPort, 9600, 1, 1, kParitySpace), 0);
    EXPECT_EQ(line_->LastApplied().parity, kParityEven) << "mark and space open with even parity";
    EXPECT_TRUE(ChangeParity(kParitySpace));
    EXPECT_EQ(line_->LastApplied().parity, kParitySpace);
    EXPECT_TRUE(ChangeParity(kParityMark));
    EXPECT_EQ(line_->LastApplied().parity, kParityMark);
    UnInitializePort();

    ASSERT_EQ(pInitializePort(kSettingsPort, 9600, 1, 1, kParityEven), 0);  // back to the first setting
}

TEST_F(ThreadedSettingsTest, LineSettingsAtOpenAndAfterASpeedChange)
{
    UstawCTS(1);
    ASSERT_EQ(pInitializePort(kSettingsPort, 4800, 1, 1, kParityEven), 0);
    const LineSettings opened = line_->LastApplied();
    EXPECT_EQ(opened.baud_rate, 4800);
    EXPECT_EQ(opened.data_bits, 8);
    EXPECT_EQ(opened.stop_bits_code, 0);
    EXPECT_FALSE(opened.cts_output_flow) << "this variant never uses CTS flow control";
    EXPECT_FALSE(line_->dtr);
    EXPECT_FALSE(line_->rts);

    line_->input.push_back(0x10);
    EXPECT_TRUE(ChangeSpeedZudedize(115200));
    EXPECT_EQ(line_->LastApplied().baud_rate, 115200);
    EXPECT_EQ(line_->input.size(), 1u) << "a speed change keeps the queues";
    EXPECT_TRUE(ChangeParity(kParityOdd));
    EXPECT_TRUE(line_->input.empty()) << "a parity change discards them";
}

TEST_F(ThreadedSettingsTest, TimeoutsFromSecondsAndMillisecondsAndPutBackAtClose)
{
    line_->timeouts = {1, 2, 3, 4, 5};
    ASSERT_EQ(InitializePort(kSettingsPort, 9600, 2, 2), 0);
    EXPECT_EQ(line_->timeouts, (CommTimeouts{2000, 0, 2000, 0, 2000}));

    EXPECT_TRUE(MsSetTimeouts(300, 0));
    EXPECT_EQ(line_->timeouts, (CommTimeouts{kReadIntervalNone, 0, 0, 0, 300}));
    EXPECT_FALSE(MsSetTimeouts(-1, 10));

    UnInitializePort();
    EXPECT_EQ(line_->timeouts, (CommTimeouts{2000, 0, 2000, 0, 2000})) << "the values found before the last change";
}

TEST_F(ThreadedSettingsTest, LinePatternsSetDtrThenRts)
{
    ASSERT_EQ(InitializePort(kSettingsPort, 9600, 1, 1), 0);
    struct Case {
        std::uint8_t pattern;
        bool dtr, rts;
    };
    for (const Case c : {Case{1, false, true}, Case{2, true, true}, Case{3, false, false}, Case{4, true, false}}) {
        EXPECT_TRUE(UstawKanalZudedize(c.pattern));
        EXPECT_EQ(line_->dtr, c.dtr) << int{c.pattern};
        EXPECT_EQ(line_->rts, c.rts) << int{c.pattern};
    }
    EXPECT_FALSE(UstawKanalZudedize(5));
    EXPECT_TRUE(line_->dtr);
    EXPECT_FALSE(line_->rts);

    EXPECT_TRUE(ClearDTRLine());
    EXPECT_TRUE(SetRTSLine());
    EXPECT_FALSE(line_->dtr);
    EXPECT_TRUE(line_->rts);

    line_->modem_status = 0xFF;
    EXPECT_EQ(ModemStatus(), 0xF0);
    line_->has_modem_lines = false;
    EXPECT_EQ(ModemStatus(), 0);
    EXPECT_FALSE(SetDTRLine());
}

TEST_F(ThreadedSettingsTest, LineErrorEventCollectsTheErrorsSoTransfersWorkAgain)
{
    ASSERT_EQ(InitializePort(kSettingsPort, 9600, 1, 1), 0);
    {
        std::lock_guard lock(line_->mutex);
        line_->pending_errors = kLineErrorFrame;
        line_->input.push_back(0x61);
    }
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 0) << "a pending line error fails the transfer";
    EXPECT_EQ(TakeLastError().text, texts::kReadFailed);

    line_->PostEvents(kEventLineError | kEventRxChar);
    LastErrorSeen seen;
    EXPECT_TRUE(WaitUntil([&] { return (seen = TakeLastError()).code != 0; }));
    EXPECT_EQ(seen.text, texts::kLineFrame);
    EXPECT_EQ(seen.code, static_cast<std::int32_t>(kLineErrorFrame));
    EXPECT_EQ(ReadByte(byte), 1);
    EXPECT_EQ(byte, 0x61);
}

TEST_F(ThreadedSettingsTest, RefusedSettingsStopTheOpenWithTheirText)
{
    line_->refuse_queue_sizes = 22;
    EXPECT_EQ(InitializePort(kSettingsPort, 9600, 1, 1), 22);
    EXPECT_EQ(TakeLastError().text, texts::kQueueSizes);
    UnInitializePort();

    line_->refuse_queue_sizes = 0;
    line_->refuse_line_settings = 22;
    EXPECT_EQ(InitializePort(kSettingsPort, 9600, 1, 1), 22);
    const LastErrorSeen seen = TakeLastError();
    EXPECT_EQ(seen.text, texts::kLineSettings);
    EXPECT_EQ(seen.code, 22);
}

}  // namespace
}  // namespace zudedize::test
