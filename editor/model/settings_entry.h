// The value row of the settings grid: its cells as fields of SettingsData, the editor each
// cell opens and the check of what is typed into it. Columns 0-2 hold the MIDI channels,
// columns 3-9 the CTRL numbers.
#pragma once

#include <optional>
#include <string>

#include "model/cell_editor.h"
#include "model/settings_data.h"

namespace orvel {

// The text of a value cell; empty outside columns 0-9.
std::string SettingsCellText(const SettingsData& settings, int column);

// The name of a value cell's field in messages: "MIDI channel 1" to "MIDI channel 3", "CTRL
// number 1" to "CTRL number 7"; empty outside columns 0-9.
std::string SettingsFieldName(int column);

// Stores a text in a value cell unchecked (file loads); ignored outside columns 0-9.
void SetSettingsCellText(SettingsData& settings, int column, std::string text);

// The drop-down of a value cell: "1" to "16" (16 shown) for channels, "0" to "127"
// (10 shown) for CTRL numbers; no editor outside columns 0-9.
CellEditor SettingsEditorOfColumn(int column);

// Checks an entry typed into a value cell by the preset grid's rule for numbers: spaces
// around it dropped, then a whole number 1 to 16 in columns 0-2, 0 to 127 in columns 3-9,
// stored as its plain decimal text ("007" stores "7"). Returns the text to store, or
// nullopt when the entry is refused (and every entry is refused outside columns 0-9).
std::optional<std::string> ValidateSettingsEntry(int column, const std::string& entry);

}  // namespace orvel
