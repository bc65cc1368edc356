// Queue, modem-line and line-condition calls on a tty.
#include <cerrno>
#include <chrono>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "serial/termios_line_time.h"
#include "zudedize/termios_line.h"

namespace zudedize {

namespace {

// The slave side of a pseudo-terminal (majors 136 to 143).
bool IsPseudoTerminalSlave(int fd)
{
    struct stat st {};
    return fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 && major(st.st_rdev) < 144;
}

}  // namespace

bool PurgeLine(int fd, LineQueue queue)
{
    // A pseudo-terminal has no transmitter: what was written is on the line already, and
    // flushing its output would take bytes back from the far end before it has read them
    // (those the kernel has not yet handed over). Its output queue is left alone.
    if (queue != LineQueue::Input && IsPseudoTerminalSlave(fd))
        return queue == LineQueue::Output || tcflush(fd, TCIFLUSH) == 0;
    switch (queue) {
    case LineQueue::Input: return tcflush(fd, TCIFLUSH) == 0;
    case LineQueue::Output: return tcflush(fd, TCOFLUSH) == 0;
    case LineQueue::Both: return tcflush(fd, TCIOFLUSH) == 0;
    }
    return false;
}

int OutputQueueLength(int fd)
{
    int count = 0;
    return ioctl(fd, TIOCOUTQ, &count) == 0 ? count : -1;
}

int InputQueueLength(int fd)
{
    int count = 0;
    return ioctl(fd, FIONREAD, &count) == 0 ? count : -1;
}

bool DrainLine(int fd, int timeout_ms)
{
    // tcdrain has no time limit (a line held by flow control would keep it forever), so the
    // queue is watched until it is empty and tcdrain only waits for the last characters.
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    for (;;) {
        const int queued = OutputQueueLength(fd);
        if (queued < 0) return false;
        if (queued == 0) break;
        if (Clock::now() >= deadline) {
            errno = ETIMEDOUT;
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (tcdrain(fd) != 0) return false;
    // A line that drains at once (a pseudo-terminal) still takes the bytes' line time.
    WaitLineTime(fd);
    return true;
}

bool SetModemControl(int fd, int lines, bool on)
{
    return ioctl(fd, on ? TIOCMBIS : TIOCMBIC, &lines) == 0;
}

bool ReadModemLines(int fd, int& lines)
{
    lines = 0;
    return ioctl(fd, TIOCMGET, &lines) == 0;
}

bool ReadLineCounters(int fd, LineCounters& counters)
{
    struct serial_icounter_struct count {};
    if (ioctl(fd, TIOCGICOUNT, &count) != 0) return false;
    auto u = [](int v) { return static_cast<std::uint32_t>(v); };
    counters.frame = u(count.frame);
    counters.parity = u(count.parity);
    counters.overrun = u(count.overrun);
    counters.buffer_overrun = u(count.buf_overrun);
    counters.brk = u(count.brk);
    counters.cts = u(count.cts);
    counters.dsr = u(count.dsr);
    counters.ring = u(count.rng);
    counters.carrier = u(count.dcd);
    return true;
}

bool SetLineChecks(int fd, bool cts_flow)
{
    struct termios tio {};
    if (tcgetattr(fd, &tio) != 0) return false;
    tio.c_iflag &= ~(IGNPAR | PARMRK | IXON | IXOFF | IXANY);
    tio.c_iflag |= INPCK;
    if (cts_flow)
        tio.c_cflag |= CRTSCTS;
    else
        tio.c_cflag &= ~CRTSCTS;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

}  // namespace zudedize
