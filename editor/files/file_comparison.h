// "Compare with file": the differences between the set-up in the window and a preset file,
// by the rules of the comparison with the controller. A file holds every code, so it is
// compared as a controller that knows every code would store it.
#pragma once

#include <string>
#include <vector>

#include "files/file_result.h"
#include "model/preset_table.h"
#include "model/settings_data.h"
#include "model/setup_compare.h"

namespace orvel {

// Reads the file at the path (as "Open" would, without touching the set-up) and fills
// `differences`: the set-up's values as the editor's side, the file's as the other. NotFound
// or Failed (with the reason) leave `differences` empty.
FileResult CompareWithPresetFile(const PresetTable& table, const SettingsData& settings, const std::string& path,
                                 std::vector<SetupDifference>& differences);

}  // namespace orvel
