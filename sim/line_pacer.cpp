#include "line_pacer.h"

#include <algorithm>

namespace kpxsim {

Clock::time_point LinePacer::Arrival(Clock::time_point sent) {
    last_arrival_ = std::max(sent, last_arrival_) + character_time_;
    return last_arrival_;
}

}  // namespace kpxsim
