// Ctrl+C and Ctrl+V of the grids: cells copied as text, and text pasted into cells from the
// current cell on, each value through its column's entry rule. Check boxes are copied as
// "1" and "0" and take "1", "0", "true" or "false" (any case). A preset row's TYPE takes the
// four type names only and NAME at most its editor's length; the other columns keep the
// rule of typed entries (ValidatePresetEntry, ValidateSettingsEntry).
#pragma once

#include <optional>
#include <string>

#include "model/cell_text.h"
#include "model/settings_data.h"

namespace orvel {

class PresetTable;

// What a paste did: values stored, values refused (their cells kept as they were), values
// that fell on cells the preset's type does not use (never written) or beyond the grid.
struct PasteCount {
    int stored = 0;
    int refused = 0;
    int skipped = 0;

    bool operator==(const PasteCount&) const = default;
};

// The check for one value pasted into a preset grid column; nullopt when refused.
std::optional<std::string> PastedPresetValue(int column, const std::string& value);

// The texts of table rows first..last, columns first..last (table coordinates); digit
// columns and header rows are never part of a copy and are clipped away.
CellBlock CopyTableCells(const PresetTable& table, int first_row, int last_row, int first_column, int last_column);

// Pastes the block with its first value at (row, column). Rows run down the preset rows;
// a row's TYPE, when pasted, decides which of the row's later cells are active. Inactive
// cells, the digit columns, header rows and what lies beyond the table are never written.
PasteCount PasteTableCells(PresetTable& table, int row, int column, const CellBlock& block);

// Delete and Backspace: every active cell of rows first..last, columns first..last takes
// its column's empty value (EmptyPresetEntry) through the rule of a typed entry. TYPE,
// inactive cells, the digit columns and header rows keep what they hold. Returns the number
// of cells written.
int ClearTableCells(PresetTable& table, int first_row, int last_row, int first_column, int last_column);

// The settings grid's value row: columns first..last.
CellBlock CopySettingsCells(const SettingsData& settings, int first_column, int last_column);

// Pastes the first row of the block into the value row from `column` on; further rows and
// values beyond the last column are skipped.
PasteCount PasteSettingsCells(SettingsData& settings, int column, const CellBlock& block);

}  // namespace orvel
