// A set-up as a text table for the terminal: one line per preset in the grid's order under
// the grid's field names, then the bank functions, the settings and the option tiles.
#pragma once

#include <string>

#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel {

// Check boxes of one kind share a column, each shown by its number when on and "-" when off
// (LOOP "1-3---" has loops 1 and 3 on); BUFFER is "x" or "-". Columns are padded to their
// widest value, counted in characters of UTF-8 text.
std::string SetupTableText(const PresetTable& table, const SettingsData& settings);

}  // namespace orvel
