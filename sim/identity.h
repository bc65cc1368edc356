// The six characters a controller answers to the identify command.
#pragma once

#include <string>

#include "sim/simulator.h"

namespace kpxsim {

// Long form "KPX<model>-<version / 10>" (e.g. "KPX2-3"), short form "KP<model>-<version, two
// digits>" (e.g. "KP3-12"), or options.identity as given. Throws std::invalid_argument for a
// model, version or identity the controller cannot have.
std::string IdentityText(const Options& options);

}  // namespace kpxsim
