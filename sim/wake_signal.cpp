#include "sim/wake_signal.h"

#include <cerrno>
#include <cstdint>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>

namespace kpxsim {

WakeSignal::WakeSignal() : fd_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    if (!fd_.Valid()) throw std::system_error(errno, std::generic_category(), "kpx-sim: eventfd");
}

void WakeSignal::Raise()
{
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd_.Get(), &one, sizeof one);
}

void WakeSignal::Clear()
{
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t got = ::read(fd_.Get(), &count, sizeof count);
}

}  // namespace kpxsim
