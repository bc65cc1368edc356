// The threaded variant's single-byte hand-over and its write/read thread, against the fake
// serial services: texts where they arise, bytes received in error, failed opens, requests
// that cannot be handed over.
#include <dirent.h>
#include <future>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "serial/comm_port.h"
#include "serial/error_texts.h"
#include "serial/termios_device.h"
#include "serial/threaded_state.h"
#include "tests/support/fake_serial.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/serial_test_support.h"

namespace zudedize::test {
namespace {

using namespace zudedize::threaded;

constexpr int kTransferPort = 212;

int ThreadCount()
{
    int count = 0;
    if (DIR* tasks = opendir("/proc/self/task")) {
        while (const dirent* entry = readdir(tasks)) count += entry->d_name[0] != '.';
        closedir(tasks);
    }
    return count;
}

class ThreadedTransferTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBothVariants(); }
    void TearDown() override { ResetBothVariants(); }

    FakeSerialSystem system_;
    ScopedSerialSystem installed_{system_};
    std::shared_ptr<FakeLine> line_ = system_.Add("fake:212");
    ScopedEnvironment mapped_{PortVariable(kTransferPort), "fake:212"};
};

// The write/read thread on its own, driven as WriteByte and ReadByte drive it, so that the
// text each transfer records is seen before any caller's step can overwrite it.
class TransferThreadTest : public ThreadedTransferTest {
protected:
    void SetUp() override
    {
        ThreadedTransferTest::SetUp();
        std::int32_t error = 0;
        device_ = system_.Open("fake:212", error);
        ASSERT_NE(device_, nullptr);
        close_ = ManualResetEvent::Create(false);
        worker_ = std::make_unique<TZapisOdczytThread>(*device_, handover_, close_.get());
        line_->timeouts.read_constant = 2000;
    }
    void TearDown() override
    {
        worker_.reset();
        device_.reset();
        ThreadedTransferTest::TearDown();
    }

    // Hands one request over and waits for the token: the text recorded and the flag.
    LastErrorSeen Run(bool write, bool close_meanwhile = false)
    {
        handover_.ready->Reset();
        (write ? handover_.write_request : handover_.read_request)->Set();
        if (close_meanwhile) {
            EXPECT_TRUE(
                WaitUntil([&] { return !handover_.write_request->IsSet() && !handover_.read_request->IsSet(); }));
            close_->Set();
        }
        EXPECT_EQ(WaitForAny({handover_.ready.get()}, 10000), 0);
        return TakeLastError();
    }

    std::unique_ptr<SerialDevice> device_;
    std::unique_ptr<ManualResetEvent> close_;
    Handover handover_;
    std::unique_ptr<TZapisOdczytThread> worker_;
};

TEST_F(TransferThreadTest, EachWriteOutcomeRecordsItsText)
{
    handover_.write_byte = 0x42;
    EXPECT_EQ(Run(true).code, 0);
    EXPECT_FALSE(TimeOut());
    EXPECT_EQ(line_->output, std::vector<std::uint8_t>{0x42});

    line_->write_mode = FakeLine::WriteMode::TimeOut;
    EXPECT_EQ(Run(true).text, texts::kWriteTimeout);
    EXPECT_TRUE(TimeOut());

    line_->write_mode = FakeLine::WriteMode::Fail;
    EXPECT_EQ(Run(true).text, texts::kWriteToPortFailed);
    EXPECT_TRUE(TimeOut());

    line_->write_mode = FakeLine::WriteMode::Hold;
    EXPECT_EQ(Run(true, true).text, texts::kWriteAborted);
    EXPECT_TRUE(TimeOut());
}

TEST_F(TransferThreadTest, EachReadOutcomeRecordsItsText)
{
    line_->input.push_back(0x5A);
    EXPECT_EQ(Run(false).code, 0);
    EXPECT_EQ(handover_.read_byte, 0x5A);
    EXPECT_FALSE(TimeOut());

    line_->timeouts.read_constant = 20;
    EXPECT_EQ(Run(false).text, texts::kReadTimeout);
    EXPECT_TRUE(TimeOut());

    line_->timeouts.read_constant = 60000;
    EXPECT_EQ(Run(false, true).text, texts::kReadAborted);
    EXPECT_TRUE(TimeOut());
    close_->Reset();

    line_->pending_errors = kLineErrorOverrun;
    EXPECT_EQ(Run(false).text, texts::kReadFailed);
    EXPECT_TRUE(TimeOut());
}

// A pseudo-terminal has no parity or framing errors: the stand-in of the serial services
// plays the driver that counts the error and queues a zero byte for the character.
TEST_F(ThreadedTransferTest, ByteReceivedInErrorFailsTheReadWhoeverCollectedTheError)
{
    ASSERT_EQ(InitializePort(kTransferPort, 9600, 1, 1), 0);
    std::uint8_t byte = 0x77;

    // The read comes first: the pending error fails it and the byte stays queued.
    line_->ReceiveInError(kLineErrorParity);
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_EQ(TakeLastError().text, texts::kReadFailed);

    // The event-watching thread collects the error; the zero byte standing for the
    // character still fails the read that takes it.
    line_->PostEvents(kEventLineError);
    ASSERT_TRUE(WaitUntil([&] { return line_->PendingErrors() == 0; }));
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_EQ(byte, 0x77) << "nothing stored";
    EXPECT_TRUE(TimeOut());
    EXPECT_EQ(TakeLastError().text, texts::kReadFailed);

    // Collected before any read: a framing error the same way.
    line_->ReceiveInError(kLineErrorFrame);
    line_->PostEvents(kEventLineError);
    ASSERT_TRUE(WaitUntil([&] { return line_->PendingErrors() == 0; }));
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_EQ(byte, 0x77);

    line_->input.push_back(0x31);
    EXPECT_EQ(ReadByte(byte), 1) << "a good byte after it reads as ever";
    EXPECT_EQ(byte, 0x31);
}

TEST_F(ThreadedTransferTest, BlockingVariantFailsAByteReceivedInErrorToo)
{
    blocking::SetComSelector(9);
    ASSERT_EQ(blocking::InitializePort(kTransferPort, 9600, 1, 0), 0);
    std::uint8_t byte = 0x77;
    line_->ReceiveInError(kLineErrorFrame);
    EXPECT_EQ(blocking::ReadByte(byte), 0);
    EXPECT_TRUE(blocking::LineErrors().framing);
    EXPECT_EQ(blocking::ReadByte(byte), 0) << "collected by the failed read, the byte itself still fails";
    EXPECT_EQ(byte, 0x77);
    line_->input.push_back(0x32);
    EXPECT_EQ(blocking::ReadByte(byte), 1);
    EXPECT_EQ(byte, 0x32);
}

TEST_F(ThreadedTransferTest, FailedOpenLeavesAClosedSlotAndNoThread)
{
    // ThreadSanitizer starts a helper thread of its own with the process's first thread.
    std::thread([] {}).join();
    const int threads_before = ThreadCount();
    line_->refuse_line_settings = 22;
    EXPECT_EQ(InitializePort(kTransferPort, 9600, 2, 2), 22);
    EXPECT_EQ(TakeLastError().text, texts::kLineSettings);
    EXPECT_FALSE(line_->open) << "the device was given back";
    EXPECT_EQ(GetCOMHandle(1), kInvalidHandle) << "a closed port object stays in the slot";
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() == threads_before; })) << "no thread left running";
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 0);

    line_->refuse_line_settings = 0;
    line_->refuse_queue_sizes = 87;
    EXPECT_EQ(InitializePort(kTransferPort, 9600, 2, 2), 87);
    EXPECT_FALSE(line_->open);

    // The same slot opens a good line next.
    TermiosSystem termios;
    ScopedSerialSystem real(termios);
    PseudoTerminal good(213);
    EXPECT_EQ(InitializePort(213, 9600, 2, 2), 0);
    EXPECT_EQ(WriteByte(0x44), 1);
    EXPECT_EQ(good.Receive(), 0x44);
    EXPECT_EQ(UnInitializePort(), 0);
}

TEST_F(ThreadedTransferTest, RequestThatCannotBeHandedOverEndsTheCallWithItsText)
{
    ASSERT_EQ(InitializePort(kTransferPort, 9600, 1, 1), 0);
    Handover* handover = CurrentPort()->Transfers();
    ASSERT_NE(handover, nullptr);
    const auto settle = [&] { return WaitForAny({handover->ready.get()}, 5000) == 0; };

    // The write request's descriptor is full: signalling it fails.
    const std::uint64_t full = 0xFFFFFFFFFFFFFFFEull;
    ASSERT_EQ(write(handover->write_request->WakeFd(), &full, sizeof full), static_cast<ssize_t>(sizeof full));
    auto writing = std::async(std::launch::async, [] { return WriteByte(0x10); });
    const bool ended = writing.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    std::uint64_t drained = 0;
    ASSERT_EQ(read(handover->write_request->WakeFd(), &drained, sizeof drained), static_cast<ssize_t>(sizeof drained));
    if (!ended) UnInitializePort();  // lets a hanging call end before the test fails
    ASSERT_TRUE(ended) << "the call waited for a request that was never made";
    EXPECT_EQ(writing.get(), 0);
    EXPECT_EQ(TakeLastError().text, texts::kEventNotSignalled);
    EXPECT_TRUE(settle()) << "the token was given back";

    // The ready event cannot be reset: its descriptor was emptied behind its back.
    ASSERT_EQ(read(handover->ready->WakeFd(), &drained, sizeof drained), static_cast<ssize_t>(sizeof drained));
    std::uint8_t byte = 0;
    auto reading = std::async(std::launch::async, [&] { return ReadByte(byte); });
    const bool read_ended = reading.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
    const std::uint64_t one = 1;
    ASSERT_EQ(write(handover->ready->WakeFd(), &one, sizeof one), static_cast<ssize_t>(sizeof one));
    if (!read_ended) UnInitializePort();
    ASSERT_TRUE(read_ended);
    EXPECT_EQ(reading.get(), 0);
    EXPECT_EQ(TakeLastError().text, texts::kEventNotReset);

    line_->input.push_back(0x21);
    EXPECT_EQ(ReadByte(byte), 1) << "the port still works";
    EXPECT_EQ(byte, 0x21);
}

TEST_F(ThreadedTransferTest, TimeoutFlagIsClearedByEveryTransferEvenWithoutAPort)
{
    ASSERT_EQ(InitializePort(kTransferPort, 9600, 1, 0), 0);
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_TRUE(TimeOut());
    SetComSelector(77);  // never held a port
    EXPECT_EQ(WriteByte(1), 0);
    EXPECT_FALSE(TimeOut());
    SetComSelector(1);
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_TRUE(TimeOut());
    SetComSelector(77);
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_FALSE(TimeOut());
}

TEST_F(ThreadedTransferTest, CharSentWaitsOneCharacterTimeOfTheSpeed)
{
    ASSERT_EQ(InitializePort(kTransferPort, 300, 1, 1), 0);
    // Lower bounds only: a loaded machine waits longer, never shorter.
    for (const auto& [baud, wait_ms] :
         {std::pair{300, 64}, {600, 32}, {1200, 16}, {2400, 8}, {4800, 4}, {9600, 2}, {14400, 2}, {115200, 1}}) {
        ASSERT_TRUE(ChangeSpeedZudedize(baud));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(CharSent());
        const auto waited = std::chrono::steady_clock::now() - start;
        EXPECT_GE(waited, std::chrono::milliseconds(wait_ms)) << baud << " bit/s";
    }
}

}  // namespace
}  // namespace zudedize::test
