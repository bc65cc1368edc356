// The preset table: the live model behind the preset grid. 102 rows (header rows 0 and 1,
// then preset rows: preset row r is table row r + 2) by 27 columns of cell texts, check
// states and active flags, with the ten wah-pad bank functions and the current row. The
// header rows' cells hold no texts; their captions are the window's (ui/rules).
//
// Every row and column argument here is a table row (0 to 101) and a column (0 to 26).
// Reads outside the table give an empty cell; writes outside it change nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/bank_functions.h"
#include "model/preset_data.h"

namespace orvel {

struct TableCell {
    std::string text;
    bool checked = false;  // state of a check box (columns 4-14, 25-26)
    bool active = true;    // inactive cells are read-only and shown silver; they keep their values
};

// Whether a table row holds a preset (2 to 101).
bool IsPresetTableRow(int row);

// Table row of a preset number (0 to 99).
int TableRowOfPreset(std::uint8_t preset);

class PresetTable {
public:
    // The start state: header captions, digit columns, every preset row the default preset
    // with its modifier applied, every bank function true, current row 0.
    PresetTable();

    const TableCell& Cell(int row, int column) const;
    void SetText(int row, int column, std::string text);
    void SetChecked(int row, int column, bool checked);

    // A preset row as a record; bank_function is left false (rows do not hold it).
    // A row outside the preset rows gives the default record.
    PresetData GetRow(int row) const;

    // Writes every field but bank_function into columns 2 to 26 of a preset row, then
    // applies its modifier.
    void SetRow(int row, const PresetData& preset);

    // Sets the active flags of columns 4 to 26 of a preset row for the modifier text.
    // A text other than "PRESET", "LOOP", "SWITCH" and "MIDI" changes nothing. Cell
    // values are never touched.
    void ApplyModifier(int row, std::string_view modifier);

    // Stores a new modifier text in column 2 and applies it.
    void SetModifier(int row, const std::string& modifier);

    // Sets one cell's active flag as it stands (a set-up put back by undo); ignored outside
    // the preset rows' columns 4 to 26.
    void SetActive(int row, int column, bool active);

    // The row the bank and preset commands act on (starts at 0, a header row).
    int CurrentRow() const { return current_row_; }
    void SetCurrentRow(int row);

    // True only for an active, non-fixed cell of the current row, when that is a preset row.
    bool CanEdit(int row, int column) const;

    // The preset number read from the digit texts of columns 0 and 1 (bank digit x 10 +
    // preset digit); nullopt for a header row.
    std::optional<std::uint8_t> PresetNumberOfRow(int row) const;

    bool BankFunction(int bank_digit) const;        // false outside 0 to 9
    void SetBankFunction(int bank_digit, bool on);  // ignored outside 0 to 9
    const BankFunctions& AllBankFunctions() const { return bank_functions_; }
    void SetAllBankFunctions(const BankFunctions& functions) { bank_functions_ = functions; }

private:
    TableCell* MutableCell(int row, int column);

    std::vector<TableCell> cells_;
    BankFunctions bank_functions_{};
    int current_row_ = 0;
};

}  // namespace orvel
