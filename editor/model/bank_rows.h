// The banks of the preset table by table row: which rows a bank spans, which digit it has
// and where its wah-pad button sits. Table rows 0 and 1 are the header rows; a header row
// asked for a bank counts as the first preset row (2).
#pragma once

namespace orvel {

class PresetTable;

// The first table row of the bank that holds a table row: row - ((row - 2) mod 10).
int FirstRowOfBank(int table_row);

// The bank digit of a table row: ((row - 2) div 10 + 1) mod 10.
int BankDigitOfTableRow(int table_row);

// The table row of a bank's wah-pad button, the bank's first row: 10 x d - 8 for bank
// digits 1 to 9, row 92 for bank digit 0. -1 for a digit outside 0 to 9.
int BankButtonRow(int bank_digit);

// A pressed bank button: inverts the flag of the bank whose first row holds the pressed
// row, the digit read from column 0 of that first row. Returns that bank digit.
int ToggleBankFunctionOfRow(PresetTable& table, int table_row);

}  // namespace orvel
