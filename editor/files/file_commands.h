// The file commands of the window without their dialogs: what "Open", "Save" and
// "Save As" do with the current file name, the set-up and the "Save" switch once the user
// has chosen a path. The window shows the returned reason when a command fails.
#pragma once

#include <string>

#include "files/editor_state.h"
#include "files/file_result.h"

namespace orvel {

// "Open" with a chosen existing file: loads the chosen path with ".ini" as its extension
// (nothing is loaded when no such file is there), makes the chosen path as chosen the
// current file name, enables "Save" and marks the set-up as saved. A file there that cannot
// be read changes nothing and comes back as Failed.
FileResult OpenChosenFile(EditorState& state, const std::string& chosen_path);

// Whether "Save" must ask for a name first, as "Save As" does: no current file name yet.
bool SaveNeedsName(const EditorState& state);

// "Save" with a current file name: saves to that name with ".ini" as its extension and
// marks the set-up as saved.
FileResult SaveCurrentFile(EditorState& state);

// "Save As" with a chosen path: saves to it with ".ini" as its extension, which becomes the
// current file name, enables "Save" and marks the set-up as saved. A failed save leaves the
// name, "Save" and the mark as they were.
FileResult SaveFileAs(EditorState& state, const std::string& chosen_path);

}  // namespace orvel
