// What a refused value says, field by field, in the grids' one wording (RefusedEntryText): the
// value, the field and what the field accepts ("\"0\" is not a MIDI1 value: enter 1 to 128 or
// unu."); tiles and bank functions, which the grids set by clicks, in the same form.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

// A value refused in a preset grid column (2 to 26).
std::string PresetEntryRefusal(int column, std::string_view entry);

// A value refused in a settings grid value column (0 to 9).
std::string SettingsEntryRefusal(int column, std::string_view entry);

// A code refused for an option tile (1 to 8): the tile's codes are what it accepts.
std::string TileEntryRefusal(int tile, std::string_view entry);

// A value refused for a bank's wah-pad function: "Add" or "Pr9".
std::string BankFunctionRefusal(std::string_view entry);

}  // namespace orvel
