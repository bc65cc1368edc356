#include "serial/termios_line_time.h"

#include <chrono>
#include <cstdint>
#include <map>
#include <mutex>
#include <termios.h>
#include <thread>

#include "zudedize/termios_line.h"

namespace zudedize {

namespace {

using Clock = std::chrono::steady_clock;

// Per descriptor: when the last byte written has left the line, and how long one character
// takes at the line's speed and format, kept from one write to the next (reading them back
// costs two system calls a byte) until the speed or format changes.
struct LineTime {
    Clock::time_point free_at;
    Clock::duration character_time{0};  // 0: not known yet
};

std::mutex line_mutex;
std::map<int, LineTime> line_times;

// Start bit, data bits, parity bit and stop bits of one character; 0 when unknown.
unsigned BitsPerCharacter(int fd)
{
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

// One character's time at the line's present speed and format; 0 when unknown.
Clock::duration CharacterTime(int fd)
{
    const std::uint32_t speed = LineSpeed(fd);
    const unsigned bits = BitsPerCharacter(fd);
    if (speed == 0 || bits == 0) return Clock::duration{0};
    return std::chrono::duration_cast<Clock::duration>(
        std::chrono::nanoseconds(std::int64_t{bits} * std::int64_t{1'000'000'000} / speed));
}

}  // namespace

void NoteBytesWritten(int fd, std::size_t count)
{
    if (count == 0) return;
    const Clock::time_point now = Clock::now();
    std::lock_guard lock(line_mutex);
    LineTime& line = line_times[fd];
    if (line.character_time == Clock::duration{0}) line.character_time = CharacterTime(fd);
    // A byte leaves once the one before it has.
    line.free_at = (line.free_at > now ? line.free_at : now) + static_cast<std::int64_t>(count) * line.character_time;
}

void LineFormatChanged(int fd)
{
    std::lock_guard lock(line_mutex);
    const auto found = line_times.find(fd);
    if (found != line_times.end()) found->second.character_time = Clock::duration{0};
}

void WaitLineTime(int fd)
{
    Clock::time_point free_at;
    {
        std::lock_guard lock(line_mutex);
        const auto found = line_times.find(fd);
        if (found == line_times.end()) return;
        free_at = found->second.free_at;
    }
    std::this_thread::sleep_until(free_at);
}

void ForgetLineTime(int fd)
{
    std::lock_guard lock(line_mutex);
    line_times.erase(fd);
}

}  // namespace zudedize
