// Setting a set-up's fields one value at a time, from the command line or a CSV file, each
// value through the rule the grid checks an entry with (a pasted one: check boxes take 1, 0,
// true or false; TYPE its four names). A value equal to what the field holds is kept as it
// is without a check, so that a file's own values (a number the controller reported, an
// empty text from an older file) come back unchanged. Grey cells are set like the others:
// their values are kept, saved and sent whatever the preset's type.
#pragma once

#include <optional>
#include <string>

#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel {

// The text of a preset field as written out: a check box as "1" or "0", any other cell's
// text as it is. `row` is a table row, `column` 2 to 26.
std::string PresetFieldText(const PresetTable& table, int row, int column);

// Each returns nullopt when the value is stored, else the refusal (and nothing changes).
std::optional<std::string> SetPresetField(PresetTable& table, int row, int column, const std::string& value);
std::optional<std::string> SetSettingsField(SettingsData& settings, int column, const std::string& value);
// A tile takes one of its codes, in any case, stored as the tile writes it.
std::optional<std::string> SetTileField(SettingsData& settings, int tile, const std::string& value);
// "Add" or "Pr9", in any case.
std::optional<std::string> SetBankFunctionField(PresetTable& table, int bank_digit, const std::string& value);

}  // namespace orvel
