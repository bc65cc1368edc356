// What the serial tests share: putting both variants back in their first state, a clock.
#pragma once

#include <chrono>
#include <fstream>
#include <functional>
#include <string>
#include <sys/syscall.h>
#include <sys/types.h>
#include <thread>
#include <unistd.h>

#include "tests/support/wait_until.h"
#include "zudedize/blocking_api.h"
#include "zudedize/threaded_api.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize::test {

// Closes every slot of both variants, selects slot 1, empties the last-error slot and sets
// the loader's port delay to 0 (tests wait for nothing).
inline void ResetBothVariants()
{
    for (int slot = 0; slot < 256; ++slot) {
        threaded::SetComSelector(static_cast<std::uint8_t>(slot));
        threaded::UnInitializePort();
        blocking::SetComSelector(static_cast<std::uint8_t>(slot));
        blocking::UnInitializePort();
    }
    threaded::SetComSelector(1);
    blocking::SetComSelector(1);
    blocking::SetPortDelay(0);
    std::string text;
    std::int32_t code = 0;
    threaded::IsError(text, code);
}

// The last-error text and code of the threaded variant (emptying the slot).
struct LastErrorSeen {
    std::string text;
    std::int32_t code = 0;
};
inline LastErrorSeen TakeLastError()
{
    LastErrorSeen seen;
    threaded::IsError(seen.text, seen.code);
    return seen;
}

using orvel::testing::WaitUntil;

// Whether thread `tid` of this process is asleep in a wait of the library: poll under a
// transfer on the line, futex under a wait for events.
inline bool ThreadIsWaiting(pid_t tid)
{
    std::ifstream in("/proc/self/task/" + std::to_string(tid) + "/syscall");
    long number = -1;
    if (!(in >> number)) return false;
#ifdef SYS_poll
    if (number == SYS_poll) return true;
#endif
    return number == SYS_ppoll || number == SYS_futex;
}

class Stopwatch {
public:
    long long ElapsedMs() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace zudedize::test
