// A whole set-up as one JSON object, for scripts: the presets with their fields, the wah-pad
// bank functions, the settings and the option tiles. Values are the texts the grids and the
// preset file hold ("unu", "tog", "12"), check boxes true or false. docs/cli-json.md
// describes every member.
#pragma once

#include <string>

#include "files/json_text.h"
#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel {

// Writes the set-up as one object into `json`.
void WriteSetupJson(JsonWriter& json, const PresetTable& table, const SettingsData& settings);

}  // namespace orvel
