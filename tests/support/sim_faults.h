// One fault of the virtual controller switched on: With([](kpxsim::Faults& f) { f.silent = true; }).
#pragma once

#include "sim/simulator.h"

namespace orvel::testing {

template <typename Set>
kpxsim::Faults With(Set set)
{
    kpxsim::Faults faults;
    set(faults);
    return faults;
}

}  // namespace orvel::testing
