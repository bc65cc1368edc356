// The row the preset grid's popup menu and the "Data transfer" menu act on. Their captions
// are the window's (ui/rules/popup_captions.h).
#pragma once

namespace orvel {

class PresetTable;

// The row the bank and preset commands act on: a header row (or no row) counts as the
// first preset row, 2.
int CommandRow(int table_row);

// What opening a menu does to the current row first: a current row above the first preset
// row becomes row 2. Returns the current row afterwards.
int MoveCurrentRowToPresets(PresetTable& table);

}  // namespace orvel
