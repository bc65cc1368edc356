// The blocking variant's three line-error flags, with line errors the fake device reports.
#include <gtest/gtest.h>

#include "tests/support/fake_serial.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/serial_test_support.h"

namespace zudedize::test {
namespace {

using namespace zudedize::blocking;

class BlockingLineErrorsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetBothVariants();
        ASSERT_EQ(InitializePort(231, 9600, 1, 0), 0);
    }
    void TearDown() override { ResetBothVariants(); }

    void Pend(std::uint32_t errors)
    {
        std::lock_guard lock(line_->mutex);
        line_->pending_errors = errors;
    }

    FakeSerialSystem system_;
    ScopedSerialSystem installed_{system_};
    std::shared_ptr<FakeLine> line_ = system_.Add("fake:231");
    ScopedEnvironment mapped_{PortVariable(231), "fake:231"};
};

TEST_F(BlockingLineErrorsTest, FailedReadReportsOnlyTheErrorsItCollected)
{
    Pend(kLineErrorFrame);
    std::uint8_t byte = 0x11;
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_EQ(byte, 0x11);
    LineErrorFlags flags = LineErrors();
    EXPECT_TRUE(flags.framing);
    EXPECT_FALSE(flags.parity);
    EXPECT_FALSE(flags.overrun);

    // Collected: the next read works again, and a read that only times out sets no flag.
    EXPECT_EQ(ReadByte(byte), 0);
    flags = LineErrors();
    EXPECT_FALSE(flags.framing || flags.parity || flags.overrun);
    line_->input.push_back(0x22);
    EXPECT_EQ(ReadByte(byte), 1);
    EXPECT_EQ(byte, 0x22);
}

TEST_F(BlockingLineErrorsTest, FailedWriteReportsOverrunAndParityAndTheNextWriteClearsThem)
{
    Pend(kLineErrorOverrun | kLineErrorParity | kLineErrorBreak);
    const std::uint8_t frame[] = {1, 2};
    EXPECT_EQ(WriteBytes(frame, 2), 0);
    LineErrorFlags flags = LineErrors();
    EXPECT_TRUE(flags.overrun);
    EXPECT_TRUE(flags.parity);
    EXPECT_FALSE(flags.framing);

    EXPECT_EQ(WriteBytes(frame, 2), 1);
    flags = LineErrors();
    EXPECT_FALSE(flags.framing || flags.parity || flags.overrun);
    EXPECT_EQ(line_->output, (std::vector<std::uint8_t>{1, 2}));
}

TEST_F(BlockingLineErrorsTest, SettingTheParametersCollectsPendingErrors)
{
    Pend(kLineErrorFrame);
    EXPECT_EQ(SetSerialParameters(), 0);
    EXPECT_EQ(WriteByte(7), 1);
}

}  // namespace
}  // namespace zudedize::test
