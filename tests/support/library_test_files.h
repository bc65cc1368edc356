// Preset files for the library's tests, written through the editor's own writer.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "files/preset_file.h"
#include "model/model_constants.h"
#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel::testing {

// A set-up whose presets carry these names (every other preset unnamed), saved at the path.
inline void WriteNamedSetup(const std::string& path, const std::vector<std::pair<int, std::string>>& names)
{
    PresetTable table;
    for (const auto& [number, name] : names)
        table.SetText(TableRowOfPreset(static_cast<std::uint8_t>(number)), kColumnName, name);
    SavePresetFile(path, table, SettingsData{});
}

}  // namespace orvel::testing
