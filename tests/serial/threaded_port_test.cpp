// The threaded variant over real pseudo-terminals.
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "serial/error_texts.h"
#include "tests/support/pseudo_terminal.h"
#include "tests/support/serial_test_support.h"
#include "tests/support/thread_refusing_serial_system.h"
#include "zudedize/termios_line.h"

namespace zudedize::test {
namespace {

using namespace zudedize::threaded;

constexpr int kThreadedPort = 201;

class ThreadedPortTest : public ::testing::Test {
protected:
    void SetUp() override { ResetBothVariants(); }
    void TearDown() override { ResetBothVariants(); }
    PseudoTerminal line_{kThreadedPort};
};

TEST_F(ThreadedPortTest, MovesBytesBothWaysAndTellsThePort)
{
    ASSERT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), 0);
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

    EXPECT_EQ(GetCOMNumber(1), kThreadedPort);
    EXPECT_EQ(GetSpeed(1), 9600);
    EXPECT_GE(GetCOMHandle(1), 0);
    EXPECT_TRUE(CharSent());
    EXPECT_EQ(UnInitializePort(), 0);
    EXPECT_EQ(GetCOMHandle(1), kInvalidHandle);
}

TEST_F(ThreadedPortTest, ReadTimeOutSetsTheTimeoutFlagUntilTheNextGoodTransfer)
{
    ASSERT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), 0);
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

TEST_F(ThreadedPortTest, ReadTimeOutOfZeroReturnsAtOnce)
{
    ASSERT_EQ(InitializePort(kThreadedPort, 9600, 1, 0), 0);
    std::uint8_t byte = 0;
    const Stopwatch clock;
    EXPECT_EQ(ReadByte(byte), 0);
    EXPECT_LT(clock.ElapsedMs(), 500);
    EXPECT_TRUE(TimeOut());

    line_.Send({0x42});
    ASSERT_TRUE(WaitUntil([] { return InputQueueLength(static_cast<int>(GetCOMHandle(1))) == 1; }));
    EXPECT_EQ(ReadByte(byte), 1);
    EXPECT_EQ(byte, 0x42);
}

TEST_F(ThreadedPortTest, SecondInitializeIsRefusedAndThePortStaysUsable)
{
    ASSERT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), 0);
    EXPECT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), kResultAlreadyInitialised);
    const LastErrorSeen error = TakeLastError();
    EXPECT_EQ(error.text, "Ten port jest już zainicjowany");
    EXPECT_EQ(error.code, 5);
    EXPECT_EQ(WriteByte(0x33), 1);
    EXPECT_EQ(line_.Receive(), 0x33);
}

TEST_F(ThreadedPortTest, ClosingEndsATransferThatWaits)
{
    ASSERT_EQ(InitializePort(kThreadedPort, 9600, 5, 5), 0);
    std::int32_t result = -1;
    std::atomic<pid_t> reader_tid{0};
    const Stopwatch clock;
    std::thread reader([&] {
        reader_tid = gettid();
        std::uint8_t byte = 0;
        result = ReadByte(byte);
    });
    EXPECT_TRUE(WaitUntil([&] { return reader_tid != 0 && ThreadIsWaiting(reader_tid); }));
    EXPECT_EQ(UnInitializePort(), 0);
    reader.join();
    EXPECT_EQ(result, 0);
    EXPECT_LT(clock.ElapsedMs(), 3000) << "the read did not wait for its 5 s time-out";

    // A closed port ends every transfer at once.
    EXPECT_EQ(WriteByte(0x01), 0);
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 0);
}

TEST_F(ThreadedPortTest, OpenPortIsNotPresentAndIsOpenedByNoOneElse)
{
    EXPECT_TRUE(SerialPortPresent(kThreadedPort));
    ASSERT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), 0);
    EXPECT_FALSE(SerialPortPresent(kThreadedPort));

    // Another slot on the same device: the device is in use.
    SetComSelector(2);
    EXPECT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), kErrorAccessDenied);
    EXPECT_EQ(TakeLastError().text, texts::kAccessDenied);

    SetComSelector(1);
    EXPECT_EQ(UnInitializePort(), 0);
    EXPECT_TRUE(SerialPortPresent(kThreadedPort));
}

// A process that holds the slave side open with settings of its own, in exclusive mode or
// not, and reports afterwards whether they are still as it left them.
class OtherHolder {
public:
    OtherHolder(const std::string& path, bool exclusive)
    {
        int ready[2], go[2];
        if (pipe(ready) != 0 || pipe(go) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(go[1]);
            char report[2] = {'!', '!'};
            const int fd = open(path.c_str(), O_RDWR | O_NOCTTY);
            struct termios set {};
            tcgetattr(fd, &set);
            set.c_lflag |= ICANON | ECHO;
            set.c_cflag = (set.c_cflag & ~CSIZE) | CS7 | PARENB;
            cfsetispeed(&set, B1200);
            cfsetospeed(&set, B1200);
            tcsetattr(fd, TCSANOW, &set);
            ioctl(fd, exclusive ? TIOCEXCL : TIOCNXCL);
            tcgetattr(fd, &set);
            char byte = 0;
            if (write(ready[1], &byte, 1) != 1 || read(go[0], &byte, 1) != 1) _exit(1);
            struct termios now {};
            int excl = 0;
            tcgetattr(fd, &now);
            ioctl(fd, TIOCGEXCL, &excl);
            report[0] = now.c_lflag == set.c_lflag && now.c_cflag == set.c_cflag && now.c_iflag == set.c_iflag &&
                                now.c_oflag == set.c_oflag && cfgetospeed(&now) == B1200
                            ? 's'
                            : 'x';
            report[1] = (excl != 0) == exclusive ? 'e' : 'x';
            if (write(ready[1], report, 2) != 2) _exit(1);
            _exit(0);
        }
        close(ready[1]);
        close(go[0]);
        ready_ = ready[0];
        go_ = go[1];
        char byte = 0;
        started_ = pid_ > 0 && read(ready_, &byte, 1) == 1;
    }
    ~OtherHolder()
    {
        close(ready_);
        close(go_);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    bool Started() const { return started_; }
    // "se": settings and exclusivity as the holder left them.
    std::string Report()
    {
        char byte = 0, report[2] = {};
        if (write(go_, &byte, 1) != 1 || read(ready_, report, 2) != 2) return "no report";
        return std::string(report, 2);
    }

private:
    pid_t pid_ = -1;
    int ready_ = -1, go_ = -1;
    bool started_ = false;
};

TEST_F(ThreadedPortTest, PresenceCheckLeavesALineAnotherProgramHoldsAsItWas)
{
    for (const bool exclusive : {true, false}) {
        OtherHolder holder(line_.SlavePath(), exclusive);
        ASSERT_TRUE(holder.Started());
        if (exclusive) {
            EXPECT_FALSE(SerialPortPresent(kThreadedPort)) << "held in exclusive mode";
            EXPECT_FALSE(blocking::SerialPortPresent(kThreadedPort));
        } else {
            SerialPortPresent(kThreadedPort);
            blocking::SerialPortPresent(kThreadedPort);
        }
        EXPECT_EQ(holder.Report(), "se") << (exclusive ? "exclusive" : "shared");
    }
}

TEST_F(ThreadedPortTest, OpenFailuresAreToldApart)
{
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
    EXPECT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), kErrorAccessDenied);
    CloseLine(other);
    EXPECT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), 0) << "a failed open leaves the slot ready for the next";
}

TEST_F(ThreadedPortTest, AWorkerThreadThatCannotStartFailsTheOpenAndLeavesThePortClosed)
{
    for (const int refused : {1, 2}) {  // the event watcher, then the write/read thread
        {
            orvel::testing::ThreadRefusingSerialSystem system(refused);
            ScopedSerialSystem refusing(system);
            EXPECT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), EAGAIN) << refused;
            const LastErrorSeen seen = TakeLastError();
            EXPECT_EQ(seen.text, texts::kThreadNotStarted);
            EXPECT_EQ(seen.code, EAGAIN);
            EXPECT_EQ(GetCOMHandle(1), kInvalidHandle);
            EXPECT_TRUE(SerialPortPresent(kThreadedPort)) << "the device is not held";
        }
        ASSERT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), 0) << "the slot opens again";
        EXPECT_EQ(WriteByte(0x5A), 1);
        EXPECT_EQ(line_.Receive(), 0x5A);
        EXPECT_EQ(UnInitializePort(), 0);
    }
}

TEST_F(ThreadedPortTest, CallsOnSlotsWithoutAnOpenPortFailQuietly)
{
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
    ASSERT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), 0);
    ASSERT_EQ(UnInitializePort(), 0);
    EXPECT_EQ(ClearPort(), 0);
    const Stopwatch clock;
    EXPECT_FALSE(CharSent());
    EXPECT_LT(clock.ElapsedMs(), 100);
    EXPECT_FALSE(ChangeParity(kParityOdd));
    EXPECT_FALSE(MsSetTimeouts(100, 100));
    EXPECT_EQ(TakeLastError().text, texts::kTimeoutsNotRead);
    EXPECT_EQ(GetCOMNumber(1), kThreadedPort) << "the port object stays in its slot";
}

TEST_F(ThreadedPortTest, ClearPortDiscardsWaitingInput)
{
    ASSERT_EQ(InitializePort(kThreadedPort, 9600, 1, 0), 0);
    line_.Send({1, 2, 3});
    ASSERT_TRUE(WaitUntil([] { return InputQueueLength(static_cast<int>(GetCOMHandle(1))) == 3; }));
    EXPECT_EQ(ClearPort(), 0);
    std::uint8_t byte = 0;
    EXPECT_EQ(ReadByte(byte), 0);
}

TEST_F(ThreadedPortTest, LinesOfADeviceWithoutModemLinesFailWithoutHarm)
{
    ASSERT_EQ(InitializePort(kThreadedPort, 9600, 1, 1), 0);
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
