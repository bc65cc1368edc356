#include "termios_line_time.h"

#include <termios.h>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

#include "termios_line.h"

namespace zudedize {

namespace {

using Clock = std::chrono::steady_clock;

// When the last byte written on each descriptor has left the line.
std::mutex line_mutex;
std::map<int, Clock::time_point> line_free_at;

// Start bit, data bits, parity bit and stop bits of one character; 0 when unknown.
unsigned BitsPerCharacter(int fd) {
    struct termios tio {};
    if (tcgetattr(fd, &tio) != 0) return 0;
    unsigned bits = 1;
    switch (tio.c_cflag & CSIZE) {
        case CS5: bits += 5; break;
        case CS6: bits += 6; break;
        case CS7: bits += 7; break;
        default: bits += 8; break;
    }
    if ((tio.c_cflag & PARENB) != 0) bits += 1;
    bits += (tio.c_cflag & CSTOPB) != 0 ? 2 : 1;
    return bits;
}

}  // namespace

void NoteBytesWritten(int fd, std::size_t count) {
    if (count == 0) return;
    const std::uint32_t speed = LineSpeed(fd);
    const unsigned bits = BitsPerCharacter(fd);
    if (speed == 0 || bits == 0) return;
    const auto line_time = std::chrono::nanoseconds(
        static_cast<std::int64_t>(count) * bits * std::int64_t{1'000'000'000} / speed);
    const Clock::time_point now = Clock::now();
    std::lock_guard lock(line_mutex);
    Clock::time_point& free_at = line_free_at[fd];
    // A byte leaves once the one before it has.
    free_at = (free_at > now ? free_at : now) + line_time;
}

void WaitLineTime(int fd) {
    Clock::time_point free_at;
    {
        std::lock_guard lock(line_mutex);
        const auto found = line_free_at.find(fd);
        if (found == line_free_at.end()) return;
        free_at = found->second;
    }
    std::this_thread::sleep_until(free_at);
}

void ForgetLineTime(int fd) {
    std::lock_guard lock(line_mutex);
    line_free_at.erase(fd);
}

}  // namespace zudedize
