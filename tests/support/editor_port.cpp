#include "tests/support/editor_port.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace kpxsim::testing {

EditorPort::EditorPort(const std::string& path, speed_t speed)
    : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC))
{
    if (!fd_.Valid()) throw std::runtime_error("cannot open " + path);
    SetSpeed(speed);
}

void EditorPort::SetSpeed(speed_t speed)
{
    struct termios settings {};
    if (::tcgetattr(fd_.Get(), &settings) != 0) throw std::runtime_error("tcgetattr");
    ::cfmakeraw(&settings);
    // No parity bit: a pseudo-terminal clears it, and glibc then reports EINVAL whenever
    // nothing else changed.
    settings.c_cflag |= CLOCAL | CREAD;
    ::cfsetspeed(&settings, speed);
    if (::tcsetattr(fd_.Get(), TCSANOW, &settings) != 0)
        throw std::runtime_error(std::string("tcsetattr: ") + std::strerror(errno));
}

bool EditorPort::Write(const Bytes& bytes)
{
    return ::write(fd_.Get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
}

ReadResult EditorPort::Read(std::size_t count, std::chrono::milliseconds timeout)
{
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    ReadResult result;
    while (result.bytes.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() < 0) break;
        struct pollfd entry {
            fd_.Get(), POLLIN, 0
        };
        const int ready = ::poll(&entry, 1, static_cast<int>(left.count()) + 1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) break;
        std::uint8_t byte = 0;
        const ssize_t got = ::read(fd_.Get(), &byte, 1);
        if (got == 1) {
            result.bytes.push_back(byte);
        } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
            result.hung_up = true;
            break;
        }
    }
    return result;
}

}  // namespace kpxsim::testing
