// "Check default", the service command of test mode: reads the whole controller and reports
// the first value that differs from the factory defaults, or that all are at their defaults.
#pragma once

#include "device/commands/transfer_commands.h"

namespace orvel {

// Done when both reads succeeded and every value is at its default; NotDefault when the first
// value that differs was shown. Otherwise the outcome of the read that failed: that read has shown its own failure, and
// nothing is compared, since a controller that did not answer holds no values to judge.
TransferOutcome CheckDefaults(TransferSession& session);

}  // namespace orvel
