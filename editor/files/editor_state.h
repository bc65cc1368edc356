// What the file commands and the configuration work on: the set-up being edited, the
// serial port number of the port box, the current preset file name and whether "Save" is
// enabled, with what the set-up was when last opened or saved. The window owns one and
// shows it.
#pragma once

#include <memory>
#include <string>

#include "files/file_constants.h"
#include "model/preset_table.h"
#include "model/settings_data.h"
#include "model/setup_snapshot.h"

namespace orvel {

struct EditorState {
    PresetTable table;
    SettingsData settings;
    int port_number = kPortBoxStartValue;
    std::string current_file;   // empty at start; shown in the status bar; bytes as given
    bool save_enabled = false;  // once enabled, stays enabled
    // The set-up as it was last opened or saved (or as the editor started); null before.
    std::shared_ptr<const SetupSnapshot> saved;
    // Something was read from the controller since: with no file name to compare against,
    // such a set-up is held nowhere but in the controller.
    bool read_from_controller = false;
};

// The set-up as it stands is the one last opened or saved from now on.
void MarkSaved(EditorState& state);

// Whether closing or opening another file would lose something: the set-up differs from
// the one last opened or saved (an edit undone back counts as no change), or it was read
// from the controller and never saved under a name.
bool HasUnsavedChanges(const EditorState& state);

}  // namespace orvel
