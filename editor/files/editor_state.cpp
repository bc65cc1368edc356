#include "files/editor_state.h"

namespace orvel {

void MarkSaved(EditorState& state)
{
    state.saved = std::make_shared<const SetupSnapshot>(TakeSetupSnapshot(state.table, state.settings));
    state.read_from_controller = false;
}

bool HasUnsavedChanges(const EditorState& state)
{
    if (state.read_from_controller && state.current_file.empty()) return true;
    return !state.saved || *state.saved != TakeSetupSnapshot(state.table, state.settings);
}

}  // namespace orvel
