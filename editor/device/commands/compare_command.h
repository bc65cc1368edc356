// "Compare with controller": reads every preset, the bank functions and the settings from
// the controller into a set-up of its own, which the editor's set-up is then compared with.
// The set-up being edited is not touched.
#pragma once

#include <vector>

#include "device/commands/transfer_commands.h"
#include "model/setup_compare.h"

namespace orvel {

// What the controller holds, as the editor would show it.
struct ControllerSetup {
    PresetTable table;
    SettingsData settings;
};

// Reads the whole controller into `read` with "Read all presets" and "Read settings" as one
// command: the controls are off and the hourglass shows from the first exchange to the
// last, progress runs once from 0 to 100, and the view hears of no change to the set-up.
// `read.settings` should start as the editor's settings: a field the controller cannot report
// (the AUX mode below firmware version 2, a wah-pad loop byte out of range) then stays as
// the editor has it and does not count as a difference. `session.table` and
// `session.settings` are not used.
TransferOutcome ReadWholeController(TransferSession& session, ControllerSetup& read);

// Reads the controller as above and compares the session's set-up with it. The differences
// are valid only when the outcome is Done.
TransferOutcome CompareWithController(TransferSession& session, std::vector<SetupDifference>& differences);

}  // namespace orvel
