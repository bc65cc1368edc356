// A pseudo-terminal drains at once; the line layer still gives written bytes their line time
// before the line's speed or format changes or the line closes, so the far end takes each
// byte at the speed it was written at (the loader's break: one zero byte at 500 bit/s).
#include <chrono>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/pseudo_terminal.h"
#include "zudedize/termios_line.h"

namespace zudedize {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// A pseudo-terminal keeps no parity bit: 8 data bits and 1 stop bit are 10 bits, and at
// 500 bit/s one byte holds the line 20 ms.
constexpr std::uint32_t kBreakSpeed = 500;
constexpr auto kBreakByteTime = milliseconds(20);

int OpenAt(const test::PseudoTerminal& pty, std::uint32_t speed, int stop_bits, Parity parity)
{
    OpenError error = OpenError::None;
    const int fd = OpenLine(pty.SlavePath(), error);
    EXPECT_GE(fd, 0);
    EXPECT_TRUE(SetLineSpeed(fd, speed));
    EXPECT_TRUE(SetLineFormat(fd, 8, stop_bits, parity));
    return fd;
}

// How long after the write `then` returned.
Clock::duration WriteThen(int fd, std::size_t n, const std::function<void()>& then)
{
    const std::string bytes(n, '\0');
    const auto start = Clock::now();
    EXPECT_EQ(WriteLine(fd, reinterpret_cast<const std::uint8_t*>(bytes.data()), n, 1000).count, n);
    then();
    return Clock::now() - start;
}

TEST(LineTime, DrainSpeedFormatAndCloseWaitUntilTheBreakByteHasLeft)
{
    test::PseudoTerminal pty(57);
    {
        const int fd = OpenAt(pty, kBreakSpeed, 1, Parity::None);
        EXPECT_GE(WriteThen(fd, 1, [&] { EXPECT_TRUE(DrainLine(fd, 1000)); }), kBreakByteTime);
        EXPECT_GE(WriteThen(fd, 1, [&] { EXPECT_TRUE(SetLineSpeed(fd, kBreakSpeed)); }), kBreakByteTime);
        EXPECT_GE(WriteThen(fd, 1, [&] { EXPECT_TRUE(SetLineFormat(fd, 8, 1, Parity::None)); }), kBreakByteTime);
        EXPECT_GE(WriteThen(fd, 1, [&] { CloseLine(fd); }), kBreakByteTime);
    }
    // Bytes written back to back queue behind each other, at the format's own length:
    // 8 data bits, no parity, 2 stop bits are 11 bits, 4 bytes at 1000 bit/s 44 ms.
    const int fd = OpenAt(pty, 1000, 2, Parity::None);
    EXPECT_GE(WriteThen(fd, 2, [&] { WriteThen(fd, 2, [&] { EXPECT_TRUE(DrainLine(fd, 1000)); }); }), milliseconds(44));
    CloseLine(fd);
}

TEST(LineTime, BytesWrittenAfterASpeedOrFormatChangeTakeTheNewCharacterTime)
{
    test::PseudoTerminal pty(58);
    const int fd = OpenAt(pty, 9600, 1, Parity::None);
    WriteThen(fd, 1, [&] { EXPECT_TRUE(SetLineSpeed(fd, kBreakSpeed)); });
    EXPECT_GE(WriteThen(fd, 1, [&] { EXPECT_TRUE(DrainLine(fd, 1000)); }), kBreakByteTime)
        << "a byte at 500 bit/s after bytes at 9600 bit/s";
    // 2 stop bits: 11 bits, 22 ms a byte at 500 bit/s.
    EXPECT_TRUE(SetLineFormat(fd, 8, 2, Parity::None));
    EXPECT_GE(WriteThen(fd, 1, [&] { EXPECT_TRUE(DrainLine(fd, 1000)); }), milliseconds(22));
    CloseLine(fd);
}

}  // namespace
}  // namespace zudedize
