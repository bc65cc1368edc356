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
    return result;
}

bool SaveNeedsName(const EditorState& state)
{
    return state.current_file.empty();
}

FileResult SaveCurrentFile(const EditorState& state)
{
    if (SaveNeedsName(state)) return SaveFailure("", kDetailNoFileName);
    return SavePresetFile(WithIniExtension(state.current_file), state.table, state.settings);
}

FileResult SaveFileAs(EditorState& state, const std::string& chosen_path)
{
    const std::string path = WithIniExtension(chosen_path);
    FileResult result = SavePresetFile(path, state.table, state.settings);
    if (result.status != FileStatus::Done) return result;
    state.current_file = path;
    state.save_enabled = true;
    return result;
}

}  // namespace orvel
