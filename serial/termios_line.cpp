#include "termios_line.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace zudedize {

namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

OpenError ErrorOfErrno(int error) {
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

// Waits until fd is ready for `events` or the deadline passes. False on time-out; sets
// line_lost when the device hung up or failed.
bool WaitReady(int fd, short events, Clock::time_point deadline, bool& line_lost) {
    for (;;) {
        struct pollfd p {fd, events, 0};
        const int ready = poll(&p, 1, MillisecondsLeft(deadline));
        if (ready < 0) {
            if (errno == EINTR) continue;
            line_lost = true;
            return false;
        }
        if (ready == 0) return false;
        if ((p.revents & events) != 0) return true;
        if ((p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
            line_lost = true;
            return false;
        }
    }
}

}  // namespace

int OpenLine(const std::string& path, OpenError& error) {
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

void CloseLine(int fd) {
    if (fd < 0) return;
    ioctl(fd, TIOCNXCL);
    close(fd);
}

bool SetLineFormat(int fd, int data_bits, int stop_bits, Parity parity) {
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
    if (stop_bits == 2) tio.c_cflag |= CSTOPB;
    else if (stop_bits != 1) return false;
    switch (parity) {
        case Parity::None: break;
        case Parity::Odd: tio.c_cflag |= PARENB | PARODD; break;
        case Parity::Even: tio.c_cflag |= PARENB; break;
        case Parity::Mark: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
        case Parity::Space: tio.c_cflag |= PARENB | CMSPAR; break;
    }
    // Keep bytes with parity errors as they come; the protocol's checksums judge the data.
    tio.c_iflag &= ~(INPCK | PARMRK);
    tio.c_iflag |= IGNPAR;
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

bool SetLineFlowControl(int fd, bool rts_cts, bool xon_xoff, std::uint8_t xon, std::uint8_t xoff) {
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

void RequestLowLatency(int fd) {
    struct serial_struct serial {};
    if (ioctl(fd, TIOCGSERIAL, &serial) != 0) return;
    serial.flags |= ASYNC_LOW_LATENCY;
    ioctl(fd, TIOCSSERIAL, &serial);
}

TransferResult ReadLine(int fd, std::uint8_t* buffer, std::size_t n, int timeout_ms) {
    TransferResult result;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms > 0 ? timeout_ms : 0);
    while (result.count < n) {
        const ssize_t got = read(fd, buffer + result.count, n - result.count);
        if (got > 0) {
            result.count += static_cast<std::size_t>(got);
            continue;
        }
        if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
            result.line_lost = true;  // end of file or EIO: the device is gone
            break;
        }
        if (errno == EINTR) continue;
        if (!WaitReady(fd, POLLIN, deadline, result.line_lost)) break;
    }
    return result;
}

TransferResult WriteLine(int fd, const std::uint8_t* buffer, std::size_t n, int timeout_ms) {
    TransferResult result;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms > 0 ? timeout_ms : 0);
    while (result.count < n) {
        const ssize_t put = write(fd, buffer + result.count, n - result.count);
        if (put > 0) {
            result.count += static_cast<std::size_t>(put);
            continue;
        }
        if (put < 0 && errno == EINTR) continue;
        if (put < 0 && errno != EAGAIN) {
            result.line_lost = true;
            break;
        }
        if (!WaitReady(fd, POLLOUT, deadline, result.line_lost)) break;
    }
    return result;
}

}  // namespace zudedize
