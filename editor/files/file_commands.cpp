#include "files/file_commands.h"

#include "files/file_constants.h"
#include "files/file_names.h"
#include "files/preset_file.h"

namespace orvel {

FileResult OpenChosenFile(EditorState& state, const std::string& chosen_path)
{
    FileResult result = LoadPresetFile(WithIniExtension(chosen_path), state.table, state.settings);
    if (result.status == FileStatus::Failed) return result;
    state.current_file = chosen_path;
    state.save_enabled = true;
    MarkSaved(state);
    return result;
}

bool SaveNeedsName(const EditorState& state)
{
    return state.current_file.empty();
}

FileResult SaveCurrentFile(EditorState& state)
{
    if (SaveNeedsName(state)) return SaveFailure("", kDetailNoFileName);
    FileResult result = SavePresetFile(WithIniExtension(state.current_file), state.table, state.settings);
    if (result.status == FileStatus::Done) MarkSaved(state);
    return result;
}

FileResult SaveFileAs(EditorState& state, const std::string& chosen_path)
{
    const std::string path = WithIniExtension(chosen_path);
    FileResult result = SavePresetFile(path, state.table, state.settings);
    if (result.status != FileStatus::Done) return result;
    state.current_file = path;
    state.save_enabled = true;
    MarkSaved(state);
    return result;
}

}  // namespace orvel
