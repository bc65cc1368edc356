// What the serial tests share: putting both variants back in their first state, a clock.
#pragma once

#include <chrono>
#include <string>

#include "blocking_api.h"
#include "threaded_api.h"
#include "zudedize_constants.h"

namespace zudedize::test {

// Closes every slot of both variants, selects slot 1, empties the last-error slot and sets
// the loader's port delay to 0 (tests wait for nothing).
inline void ResetBothVariants() {
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
inline LastErrorSeen TakeLastError() {
    LastErrorSeen seen;
    threaded::IsError(seen.text, seen.code);
    return seen;
}

class Stopwatch {
public:
    long long ElapsedMs() const {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace zudedize::test
