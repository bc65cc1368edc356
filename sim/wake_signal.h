// A descriptor that another thread can make readable to wake a poll() (an eventfd).
#pragma once

#include "sim/unique_fd.h"

namespace kpxsim {

class WakeSignal {
public:
    WakeSignal();  // throws std::system_error

    int Fd() const { return fd_.Get(); }
    void Raise();  // from any thread
    void Clear();  // after poll() reported it readable

private:
    UniqueFd fd_;
};

}  // namespace kpxsim
