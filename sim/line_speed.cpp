// Kept apart: <asm/termbits.h> (exact bit rates through TCGETS2) cannot share a file with
// <termios.h>.
#include "sim/line_speed.h"

#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace kpxsim {

std::optional<unsigned> LineOutputSpeed(int fd)
{
    struct termios2 settings {};
    if (::ioctl(fd, TCGETS2, &settings) != 0) return std::nullopt;
    return settings.c_ospeed;
}

}  // namespace kpxsim
