// A transfer session over the simulated converter: the editor's preset table, settings,
// transfer buffer and last-read images, and a view that records what the commands show.
#pragma once

#include "device/commands/transfer_commands.h"
#include "model/preset_table.h"
#include "model/settings_data.h"
#include "tests/support/recording_view.h"
#include "tests/support/sim_fixture.h"

namespace orvel::testing {

class SimulatedSession : public SimulatedConverter {
protected:
    PresetTable table;
    SettingsData settings;
    TransferBuffer buffer{};
    LastReadImages last_read{};
    RecordingView view;
    TransferSession session{link, table, settings, buffer, last_read, view};
};

}  // namespace orvel::testing
