// Line speeds through termios2: kept apart because <asm/termbits.h> cannot be included
// together with <termios.h>.
#include <asm/termbits.h>
#include <cstdint>
#include <sys/ioctl.h>

#include "serial/termios_line_time.h"

namespace zudedize {

bool SetLineSpeed(int fd, std::uint32_t bits_per_second)
{
    WaitLineTime(fd);
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return false;
    tio.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    tio.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    tio.c_ispeed = bits_per_second;
    tio.c_ospeed = bits_per_second;
    const bool set = ioctl(fd, TCSETS2, &tio) == 0;
    LineFormatChanged(fd);
    if (!set) return false;
    // Some drivers round to the nearest speed they can make; a speed far off is a refusal.
    struct termios2 check {};
    if (ioctl(fd, TCGETS2, &check) != 0) return false;
    const std::uint64_t got = check.c_ospeed;
    const std::uint64_t want = bits_per_second;
    return got * 100 >= want * 97 && got * 100 <= want * 103;
}

std::uint32_t LineSpeed(int fd)
{
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return 0;
    return tio.c_ospeed;
}

}  // namespace zudedize
