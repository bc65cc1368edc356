// What the file commands and the configuration work on: the set-up being edited, the
// serial port number of the port box, the current preset file name and whether "Save" is
// enabled. The window owns one and shows it.
#pragma once

#include <string>

#include "files/file_constants.h"
#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel {

struct EditorState {
    PresetTable table;
    SettingsData settings;
    int port_number = kPortBoxStartValue;
    std::string current_file;     // empty at start; shown in the status bar
    bool save_enabled = false;    // once enabled, stays enabled
};

}  // namespace orvel
