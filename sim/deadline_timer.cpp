#include "sim/deadline_timer.h"

#include <cerrno>
#include <cstdint>
#include <sys/timerfd.h>
#include <system_error>
#include <unistd.h>

namespace kpxsim {

DeadlineTimer::DeadlineTimer() : fd_(::timerfd_create(CLOCK_MONOTONIC, TFD_CLOEXEC | TFD_NONBLOCK))
{
    if (!fd_.Valid()) throw std::system_error(errno, std::generic_category(), "kpx-sim: timerfd");
}

void DeadlineTimer::Arm(std::optional<Clock::time_point> deadline)
{
    struct itimerspec setting {};
    if (deadline) {
        const auto since_boot = deadline->time_since_epoch();
        const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(since_boot);
        setting.it_value.tv_sec = seconds.count();
        setting.it_value.tv_nsec = std::chrono::nanoseconds(since_boot - seconds).count();
        if (setting.it_value.tv_sec == 0 && setting.it_value.tv_nsec == 0) setting.it_value.tv_nsec = 1;
    }
    ::timerfd_settime(fd_.Get(), TFD_TIMER_ABSTIME, &setting, nullptr);
}

void DeadlineTimer::Clear()
{
    std::uint64_t expirations = 0;
    [[maybe_unused]] const ssize_t got = ::read(fd_.Get(), &expirations, sizeof expirations);
}

}  // namespace kpxsim
