#include "model/bank_rows.h"

#include <optional>

#include "model/model_constants.h"
#include "model/preset_entry.h"
#include "model/preset_table.h"

namespace orvel {

namespace {

int PresetRowOrFirst(int table_row)
{
    return IsPresetTableRow(table_row) ? table_row : kHeaderRowCount;
}

}  // namespace

int FirstRowOfBank(int table_row)
{
    const int row = PresetRowOrFirst(table_row);
    return row - (row - kHeaderRowCount) % kPresetsPerBank;
}

int BankDigitOfTableRow(int table_row)
{
    const int row = PresetRowOrFirst(table_row);
    return ((row - kHeaderRowCount) / kPresetsPerBank + 1) % kBankCount;
}

int BankButtonRow(int bank_digit)
{
    if (bank_digit < 0 || bank_digit >= kBankCount) return -1;
    if (bank_digit == 0) return kHeaderRowCount + (kBankCount - 1) * kPresetsPerBank;
    return bank_digit * kPresetsPerBank - 8;
}

int ToggleBankFunctionOfRow(PresetTable& table, int table_row)
{
    const int first_row = FirstRowOfBank(table_row);
    const std::optional<int> digit = ReadWholeNumber(table.Cell(first_row, kColumnBank).text, 0, 9);
    const int bank = digit ? *digit : BankDigitOfTableRow(first_row);
    table.SetBankFunction(bank, !table.BankFunction(bank));
    return bank;
}

}  // namespace orvel
