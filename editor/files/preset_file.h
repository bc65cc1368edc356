// The preset file: a whole set-up (the 100 presets, the wah-pad bank functions and the
// global settings) as an INI text, with one section per preset in grid order ("preset"
// followed by the preset number), then "settings" and "bank". Cell texts are stored as
// they are; bools as "1" and "0".
#pragma once

#include <string>
#include <string_view>

#include "files/file_result.h"
#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel {

// Reads the file at the path into the table (preset rows and bank functions) and the
// settings. Values are taken as they are, without validation; keys that are missing get
// their defaults, and each row gets its new modifier applied. NotFound: nothing is at the
// path and nothing changes. Failed: the file is there but cannot be read, or it is not a
// preset file (it has none of the sections "preset0" to "preset99", "settings" and "bank",
// in any case: an empty file, for one); nothing changes.
FileResult LoadPresetFile(const std::string& path, PresetTable& table, SettingsData& settings);

// Writes the table and the settings to the path. An existing file is updated in place (its
// other sections, keys and comments stay, and our keys keep their positions) and replaced
// safely (see ReplaceFileContents); a new file gets our order. A file that is there but
// cannot be read is not overwritten.
FileResult SavePresetFile(const std::string& path, const PresetTable& table, const SettingsData& settings);

// The same for a text already in memory. LoadPresetText changes nothing and returns false
// when the text cannot be taken in or is not a preset file.
bool LoadPresetText(std::string_view text, PresetTable& table, SettingsData& settings);

// The text of `existing` updated with the table and the settings; false when it cannot be
// produced (out of memory).
bool PresetFileText(std::string_view existing, const PresetTable& table, const SettingsData& settings,
                    std::string& text);

}  // namespace orvel
