#include "zudedize/termios_line.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include "serial/termios_line_time.h"

namespace zudedize {

namespace {

using Clock = std::chrono::steady_clock;

// A point in time to stop waiting, or none (a negative time-out waits without limit).
class Deadline {
public:
    explicit Deadline(int timeout_ms)
        : unlimited_(timeout_ms < 0), at_(Clock::now() + std::chrono::milliseconds(timeout_ms < 0 ? 0 : timeout_ms))
    {
    }

    // Milliseconds left for poll: -1 without limit, 0 once passed.
    int PollTimeout() const
    {
        if (unlimited_) return -1;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(at_ - Clock::now()).count();
        return left > 0 ? static_cast<int>(left) : 0;
    }

private:
    bool unlimited_;
    Clock::time_point at_;
};

OpenError ErrorOfErrno(int error)
{
    switch (error) {
    case ENOENT:
    case ENXIO:
    case ENODEV: return OpenError::NotFound;
    case EACCES:
    case EPERM: return OpenError::AccessDenied;
    case EBUSY: return OpenError::Busy;
    default: return OpenError::Other;
    }
}

// Waits until fd is ready for `events`, the deadline passes or abort_fd (when not -1) is
// readable. False when the transfer is to stop: on time-out, with `aborted` on abort and
// `line_lost` when the device hung up or failed.
bool WaitReady(int fd, short events, const Deadline& deadline, int abort_fd, TransferResult& result)
{
    for (;;) {
        struct pollfd p[2] = {{fd, events, 0}, {abort_fd, POLLIN, 0}};
        const int ready = poll(p, abort_fd >= 0 ? 2 : 1, deadline.PollTimeout());
        if (ready < 0) {
            if (errno == EINTR) continue;
            result.line_lost = true;
            return false;
        }
        if (ready == 0) return false;
        if (abort_fd >= 0 && (p[1].revents & POLLIN) != 0) {
            result.aborted = true;
            return false;
        }
        if ((p[0].revents & events) != 0) return true;
        if ((p[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            result.line_lost = true;
            return false;
        }
    }
}

}  // namespace

int OpenLine(const std::string& path, OpenError& error)
{
    error = OpenError::None;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) {
        error = ErrorOfErrno(errno);
        return -1;
    }
    if (!S_ISCHR(st.st_mode)) {
        error = OpenError::NotCharacterDevice;
        return -1;
    }
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = ErrorOfErrno(errno);
        return -1;
    }
    // One user at a time, as the converter's driver and the COM ports allow. The advisory
    // lock holds against every process; TIOCEXCL also keeps out programs that do not lock.
    if (flock(fd, LOCK_EX | LOCK_NB) != 0 || ioctl(fd, TIOCEXCL) != 0) {
        error = OpenError::Busy;
        close(fd);
        return -1;
    }
    ForgetLineTime(fd);
    struct termios tio {};
    if (tcgetattr(fd, &tio) == 0) {
        cfmakeraw(&tio);
        tio.c_cflag |= CLOCAL | CREAD;
        tio.c_cc[VMIN] = 0;
        tio.c_cc[VTIME] = 0;
        tcsetattr(fd, TCSANOW, &tio);
    }
    return fd;
}

bool LineIsFree(const std::string& path)
{
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || !S_ISCHR(st.st_mode)) return false;
    const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    // The lock is ours only if nobody holds it, and goes with the descriptor. A holder in
    // exclusive mode keeps out everyone but a privileged process, so ask rather than rely
    // on the open failing.
    int exclusive = 0;
    const bool free = flock(fd, LOCK_EX | LOCK_NB) == 0 && (ioctl(fd, TIOCGEXCL, &exclusive) != 0 || exclusive == 0);
    close(fd);
    return free;
}

void CloseLine(int fd)
{
    if (fd < 0) return;
    WaitLineTime(fd);
    ForgetLineTime(fd);
    ioctl(fd, TIOCNXCL);
    close(fd);
}

bool SetLineFormat(int fd, int data_bits, int stop_bits, Parity parity)
{
    WaitLineTime(fd);
    struct termios tio {};
    if (tcgetattr(fd, &tio) != 0) return false;
    tio.c_cflag &= ~(CSIZE | CSTOPB | PARENB | PARODD | CMSPAR);
    switch (data_bits) {
    case 5: tio.c_cflag |= CS5; break;
    case 6: tio.c_cflag |= CS6; break;
    case 7: tio.c_cflag |= CS7; break;
    case 8: tio.c_cflag |= CS8; break;
    default: return false;
    }
    if (stop_bits == 2)
        tio.c_cflag |= CSTOPB;
    else if (stop_bits != 1)
        return false;
    switch (parity) {
    case Parity::None: break;
    case Parity::Odd: tio.c_cflag |= PARENB | PARODD; break;
    case Parity::Even: tio.c_cflag |= PARENB; break;
    case Parity::Mark: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case Parity::Space: tio.c_cflag |= PARENB | CMSPAR; break;
    }
    // Keep bytes with parity errors as they come; the protocol's checksums judge the data.
    tio.c_iflag &= ~(INPCK | PARMRK | IGNPAR);
    const bool set = tcsetattr(fd, TCSANOW, &tio) == 0;
    LineFormatChanged(fd);
    if (set) return true;
    // A line without parity hardware (a pseudo-terminal) drops the parity bits and may then
    // refuse the call; what it kept of the rest decides.
    struct termios kept {};
    if (tcgetattr(fd, &kept) != 0) return false;
    constexpr tcflag_t kParityBits = PARENB | PARODD | CMSPAR;
    return (kept.c_cflag & ~kParityBits) == (tio.c_cflag & ~kParityBits);
}

bool SetLineFlowControl(int fd, bool rts_cts, bool xon_xoff, std::uint8_t xon, std::uint8_t xoff)
{
    struct termios tio {};
    if (tcgetattr(fd, &tio) != 0) return false;
    tio.c_cflag &= ~CRTSCTS;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    if (rts_cts) tio.c_cflag |= CRTSCTS;
    if (xon_xoff) tio.c_iflag |= IXON | IXOFF;
    tio.c_cc[VSTART] = xon;
    tio.c_cc[VSTOP] = xoff;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

void RequestLowLatency(int fd)
{
    struct serial_struct serial {};
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return;
    serial.flags |= ASYNC_LOW_LATENCY;
    ioctl(fd, TIOCSSERIAL, &serial);
}

TransferResult ReadLine(int fd, std::uint8_t* buffer, std::size_t n, int timeout_ms)
{
    return ReadLineUntil(fd, buffer, n, timeout_ms > 0 ? timeout_ms : 0, -1);
}

TransferResult WriteLine(int fd, const std::uint8_t* buffer, std::size_t n, int timeout_ms)
{
    return WriteLineUntil(fd, buffer, n, timeout_ms > 0 ? timeout_ms : 0, -1);
}

TransferResult ReadLineUntil(int fd, std::uint8_t* buffer, std::size_t n, int timeout_ms, int abort_fd)
{
    TransferResult result;
    const Deadline deadline(timeout_ms);
    bool said_ready = false;
    while (result.count < n) {
        const ssize_t got = read(fd, buffer + result.count, n - result.count);
        if (got > 0) {
            result.count += static_cast<std::size_t>(got);
            said_ready = false;
            continue;
        }
        if (got < 0 && errno == EINTR) continue;
        // A raw tty answers "nothing yet" with 0 or EAGAIN; 0 right after poll reported data
        // is end of file, and EIO is a device that has gone.
        if ((got < 0 && errno != EAGAIN) || (got == 0 && said_ready)) {
            result.line_lost = true;
            break;
        }
        if (!WaitReady(fd, POLLIN, deadline, abort_fd, result)) break;
        said_ready = true;
    }
    return result;
}

TransferResult WriteLineUntil(int fd, const std::uint8_t* buffer, std::size_t n, int timeout_ms, int abort_fd)
{
    TransferResult result;
    const Deadline deadline(timeout_ms);
    while (result.count < n) {
        const ssize_t put = write(fd, buffer + result.count, n - result.count);
        if (put > 0) {
            NoteBytesWritten(fd, static_cast<std::size_t>(put));
            result.count += static_cast<std::size_t>(put);
            continue;
        }
        if (put < 0 && errno == EINTR) continue;
        if (put < 0 && errno != EAGAIN) {
            result.line_lost = true;
            break;
        }
        if (!WaitReady(fd, POLLOUT, deadline, abort_fd, result)) break;
    }
    return result;
}

}  // namespace zudedize
