#include "model/preset_clipboard.h"

#include <optional>

#include "model/bank_rows.h"
#include "model/preset_popup.h"
#include "model/preset_table.h"

namespace orvel {

namespace {

// The bank digit of a row as its digit columns give it (bank digit x 10 + preset digit).
int BankDigitOfCells(const PresetTable& table, int row)
{
    const std::optional<std::uint8_t> number = table.PresetNumberOfRow(row);
    return number ? *number / 10 : BankDigitOfTableRow(row);
}

PresetData CopyOfRow(const PresetTable& table, int row, bool bank_function)
{
    PresetData preset = table.GetRow(row);
    preset.bank_function = bank_function;
    return preset;
}

}  // namespace

void PresetClipboard::CopyPreset(const PresetTable& table, int row)
{
    row = CommandRow(row);
    preset_ = CopyOfRow(table, row, table.BankFunction(BankDigitOfCells(table, row)));
    paste_preset_ = {PasteStage::Copied, table.PresetNumberOfRow(row).value_or(0)};
}

bool PresetClipboard::PastePreset(PresetTable& table, int row)
{
    if (!paste_preset_.Enabled() || !preset_) return false;
    row = CommandRow(row);
    table.SetRow(row, *preset_);
    table.SetBankFunction(BankDigitOfCells(table, row), preset_->bank_function);
    paste_preset_.stage = PasteStage::Pasted;
    return true;
}

void PresetClipboard::CopyBank(const PresetTable& table, int row)
{
    const int first = FirstRowOfBank(row);
    const int bank = BankDigitOfCells(table, first);
    const bool function = table.BankFunction(bank);
    BankCopy copy;
    for (int k = 0; k < kPresetsPerBank; ++k) copy[k] = CopyOfRow(table, first + k, function);
    bank_ = copy;
    paste_bank_ = {PasteStage::Copied, static_cast<std::uint8_t>(bank)};
}

bool PresetClipboard::PasteBank(PresetTable& table, int row)
{
    if (!paste_bank_.Enabled() || !bank_) return false;
    const int first = FirstRowOfBank(row);
    for (int k = 0; k < kPresetsPerBank; ++k) table.SetRow(first + k, (*bank_)[k]);
    table.SetBankFunction(BankDigitOfCells(table, first), (*bank_)[0].bank_function);
    paste_bank_.stage = PasteStage::Pasted;
    return true;
}

}  // namespace orvel
