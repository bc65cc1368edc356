// "Check default", the service command of test mode: reads the whole controller and reports
// the first value that differs from the factory defaults, or that all are at their defaults.
#pragma once

#include "transfer_commands.h"

namespace orvel {

void CheckDefaults(TransferSession& session);

}  // namespace orvel
