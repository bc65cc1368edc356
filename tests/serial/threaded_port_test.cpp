// The threaded variant over real pseudo-terminals.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include <gtest/gtest.h>

#include "error_texts.h"
#include "pseudo_terminal.h"
#include "serial_test_support.h"
#include "termios_line.h"

namespace zudedize::test {
namespace {

using namespace zudedize::threaded;

constexpr int kPort = 201;

class ThreadedPortTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBothVariants(); }
    void TearDown() override { ResetBothVariants(); }
    PseudoTerminal line_{kPort};
};

TEST_F(ThreadedPortTest, MovesBytesBothWaysAndTellsThePort) {
    ASSERT_EQ(InitializePort(kPort, 9600, 1, 1), 0);
    EXPECT_EQ(WriteByte(0x1B), 1);
    EXPECT_EQ(WriteByte(0x00), 1);
    EXPECT_EQ(line_.Receive(), 0x1B);
    EXPECT_EQ(line_.Receive(), 0x00);

    line_.Send({0xA5, 0x5A});
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 1);
    EXPECT_EQ(byte, 0xA5);
    EXPECT_EQ(ReadByte(byte), 1);
    EXPECT_EQ(byte, 0x5A);
    EXPECT_FALSE(TimeOut());

    EXPECT_EQ(GetCOMNumber(1), kPort);
    EXPECT_EQ(GetSpeed(1), 9600);
    EXPECT_GE(GetCOMHandle(1), 0);
    EXPECT_TRUE(CharSent());
    EXPECT_EQ(UnInitializePort(), 0);
    EXPECT_EQ(GetCOMHandle(1), kInvalidHandle);
}

TEST_F(ThreadedPortTest, ReadTimeOutSetsTheTimeoutFlagUntilTheNextGoodTransfer) {
    ASSERT_EQ(InitializePort(kPort, 9600, 1, 1), 0);
    ASSERT_TRUE(MsSetTimeouts(1000, 150));
    std::uint8_t byte = 0x77;
    const Stopwatch clock;
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_GE(clock.ElapsedMs(), 140);
    EXPECT_EQ(byte, 0x77) << "nothing is stored on a time-out";
    EXPECT_TRUE(TimeOut());
    EXPECT_EQ(TakeLastError().text, texts::kReadTimeout);

    EXPECT_EQ(WriteByte(0x01), 1);
    EXPECT_FALSE(TimeOut());
}

TEST_F(ThreadedPortTest, ReadTimeOutOfZeroReturnsAtOnce) {
    ASSERT_EQ(InitializePort(kPort, 9600, 1, 0), 0);
    std::uint8_t byte = 0;
    const Stopwatch clock;
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_LT(clock.ElapsedMs(), 500);
    EXPECT_TRUE(TimeOut());

    line_.Send({0x42});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ReadByte(byte), 1);
    EXPECT_EQ(byte, 0x42);
}

TEST_F(ThreadedPortTest, SecondInitializeIsRefusedAndThePortStaysUsable) {
    ASSERT_EQ(InitializePort(kPort, 9600, 1, 1), 0);
    EXPECT_EQ(InitializePort(kPort, 9600, 1, 1), kResultAlreadyInitialised);
    const LastErrorSeen error = TakeLastError();
    EXPECT_EQ(error.text, "Ten port jest już zainicjowany");
    EXPECT_EQ(error.code, 5);
    EXPECT_EQ(WriteByte(0x33), 1);
    EXPECT_EQ(line_.Receive(), 0x33);
}

TEST_F(ThreadedPortTest, ClosingEndsATransferThatWaits) {
    ASSERT_EQ(InitializePort(kPort, 9600, 5, 5), 0);
    std::int32_t result = -1;
    const Stopwatch clock;
    std::thread reader([&] {
        std::uint8_t byte = 0;
        result = ReadByte(byte);
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(UnInitializePort(), 0);
    reader.join();
    EXPECT_EQ(result, 0);
    EXPECT_LT(clock.ElapsedMs(), 3000) << "the read did not wait for its 5 s time-out";

    // A closed port ends every transfer at once.
    EXPECT_EQ(WriteByte(0x01), 0);
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 0);
}

TEST_F(ThreadedPortTest, OpenPortIsNotPresentAndIsOpenedByNoOneElse) {
    EXPECT_TRUE(SerialPortPresent(kPort));
    ASSERT_EQ(InitializePort(kPort, 9600, 1, 1), 0);
    EXPECT_FALSE(SerialPortPresent(kPort));

    // Another slot on the same device: the device is in use.
    SetComSelector(2);
    EXPECT_EQ(InitializePort(kPort, 9600, 1, 1), kErrorAccessDenied);
    EXPECT_EQ(TakeLastError().text, texts::kAccessDenied);

    SetComSelector(1);
    EXPECT_EQ(UnInitializePort(), 0);
    EXPECT_TRUE(SerialPortPresent(kPort));
}

TEST_F(ThreadedPortTest, OpenFailuresAreToldApart) {
    ScopedEnvironment missing(PortVariable(202), "/nonexistent/tty");
    EXPECT_EQ(InitializePort(202, 9600, 1, 1), kErrorFileNotFound);
    EXPECT_EQ(TakeLastError().text, texts::kDeviceNotFound);
    EXPECT_FALSE(SerialPortPresent(202));

    char file[] = "/tmp/zudedize-not-a-tty-XXXXXX";
    const int fd = mkstemp(file);
    ASSERT_GE(fd, 0);
    ScopedEnvironment regular(PortVariable(203), file);
    EXPECT_EQ(InitializePort(203, 9600, 1, 1), kErrorInvalidHandle);
    EXPECT_EQ(TakeLastError().text, texts::kInvalidHandle);
    close(fd);
    unlink(file);

    // In use by another program (here: another descriptor holding it exclusively).
    OpenError error{};
    const int other = OpenLine(line_.SlavePath(), error);
    ASSERT_GE(other, 0);
    EXPECT_EQ(InitializePort(kPort, 9600, 1, 1), kErrorAccessDenied);
    CloseLine(other);
    EXPECT_EQ(InitializePort(kPort, 9600, 1, 1), 0) << "a failed open leaves the slot ready for the next";
}

TEST_F(ThreadedPortTest, CallsOnSlotsWithoutAnOpenPortFailQuietly) {
    // A slot that never held a port.
    SetComSelector(77);
    EXPECT_EQ(GetCOMHandle(77), kNullHandle);
    EXPECT_EQ(ClearPort(), 0);
    EXPECT_EQ(UnInitializePort(), 0);
    EXPECT_FALSE(CharSent());
    EXPECT_EQ(WriteByte(1), 0);
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_EQ(ModemStatus(), 0);
    EXPECT_FALSE(SetDTRLine());
    EXPECT_FALSE(ChangeSpeedZudedize(19200));
    EXPECT_EQ(GetCOMNumber(77), 0);
    EXPECT_EQ(GetSpeed(77), 0);

    // A port that was opened and closed.
    SetComSelector(1);
    ASSERT_EQ(InitializePort(kPort, 9600, 1, 1), 0);
    ASSERT_EQ(UnInitializePort(), 0);
    EXPECT_EQ(ClearPort(), 0);
    const Stopwatch clock;
    EXPECT_FALSE(CharSent());
    EXPECT_LT(clock.ElapsedMs(), 100);
    EXPECT_FALSE(ChangeParity(kParityOdd));
    EXPECT_FALSE(MsSetTimeouts(100, 100));
    EXPECT_EQ(TakeLastError().text, texts::kTimeoutsNotRead);
    EXPECT_EQ(GetCOMNumber(1), kPort) << "the port object stays in its slot";
}

TEST_F(ThreadedPortTest, ClearPortDiscardsWaitingInput) {
    ASSERT_EQ(InitializePort(kPort, 9600, 1, 0), 0);
    line_.Send({1, 2, 3});
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(ClearPort(), 0);
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 0);
}

TEST_F(ThreadedPortTest, LinesOfADeviceWithoutModemLinesFailWithoutHarm) {
    ASSERT_EQ(InitializePort(kPort, 9600, 1, 1), 0);
    EXPECT_FALSE(UstawKanalZudedize(1));
    EXPECT_FALSE(UstawKanalZudedize(5));
    EXPECT_EQ(ModemStatus(), 0);
    EXPECT_TRUE(ChangeSpeedZudedize(38400));
    EXPECT_EQ(GetSpeed(1), 38400);
    EXPECT_TRUE(ChangeParity(kParitySpace));
    EXPECT_EQ(WriteByte(0x44), 1);
    EXPECT_EQ(line_.Receive(), 0x44);
}

}  // namespace
}  // namespace zudedize::test
