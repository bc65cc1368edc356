#include "model/preset_table.h"

#include <utility>

#include "model/model_constants.h"
#include "model/modifier.h"
#include "model/preset_entry.h"
#include "model/preset_numbering.h"

namespace orvel {

namespace {

bool InTable(int row, int column)
{
    return row >= 0 && row < kTableRowCount && column >= 0 && column < kColumnCount;
}

}  // namespace

bool IsPresetTableRow(int row)
{
    return row >= kHeaderRowCount && row < kTableRowCount;
}

int TableRowOfPreset(std::uint8_t preset)
{
    return RowOfPreset(preset) + kHeaderRowCount;
}

PresetTable::PresetTable()
    : cells_(static_cast<std::size_t>(kTableRowCount * kColumnCount)), bank_functions_(DefaultBankFunctions())
{
    const PresetData default_preset;
    for (int preset_row = 0; preset_row < kPresetCount; ++preset_row) {
        const int row = preset_row + kHeaderRowCount;
        SetText(row, kColumnBank, std::to_string(BankDigitOfRow(preset_row)));
        SetText(row, kColumnPreset, std::to_string(PresetDigitOfRow(preset_row)));
        SetRow(row, default_preset);
    }
}

TableCell* PresetTable::MutableCell(int row, int column)
{
    if (!InTable(row, column)) return nullptr;
    return &cells_[static_cast<std::size_t>(row * kColumnCount + column)];
}

const TableCell& PresetTable::Cell(int row, int column) const
{
    static const TableCell kOutside;
    if (!InTable(row, column)) return kOutside;
    return cells_[static_cast<std::size_t>(row * kColumnCount + column)];
}

void PresetTable::SetText(int row, int column, std::string text)
{
    if (TableCell* cell = MutableCell(row, column)) cell->text = std::move(text);
}

void PresetTable::SetChecked(int row, int column, bool checked)
{
    if (TableCell* cell = MutableCell(row, column)) cell->checked = checked;
}

PresetData PresetTable::GetRow(int row) const
{
    PresetData preset;
    if (!IsPresetTableRow(row)) return preset;
    preset.modifier = Cell(row, kColumnModifier).text;
    preset.name = Cell(row, kColumnName).text;
    preset.buffer = Cell(row, kColumnBuffer).checked;
    for (int i = 0; i < kLoopCount; ++i) preset.loops[i] = Cell(row, kFirstLoopColumn + i).checked;
    for (int i = 0; i < kSwitchCount; ++i) preset.switches[i] = Cell(row, kFirstSwitchColumn + i).checked;
    preset.midi1 = Cell(row, kColumnMidi1).text;
    preset.midi2 = Cell(row, kColumnMidi2).text;
    preset.midi3_pc = Cell(row, kColumnMidi3Program).text;
    for (int i = 0; i < kControlCount; ++i) preset.ctrls[i] = Cell(row, kFirstControlColumn + i).text;
    for (int i = 0; i < kAuxCount; ++i) preset.aux[i] = Cell(row, kFirstAuxColumn + i).checked;
    return preset;
}

void PresetTable::SetRow(int row, const PresetData& preset)
{
    if (!IsPresetTableRow(row)) return;
    SetText(row, kColumnModifier, preset.modifier);
    SetText(row, kColumnName, preset.name);
    SetChecked(row, kColumnBuffer, preset.buffer);
    for (int i = 0; i < kLoopCount; ++i) SetChecked(row, kFirstLoopColumn + i, preset.loops[i]);
    for (int i = 0; i < kSwitchCount; ++i) SetChecked(row, kFirstSwitchColumn + i, preset.switches[i]);
    SetText(row, kColumnMidi1, preset.midi1);
    SetText(row, kColumnMidi2, preset.midi2);
    SetText(row, kColumnMidi3Program, preset.midi3_pc);
    for (int i = 0; i < kControlCount; ++i) SetText(row, kFirstControlColumn + i, preset.ctrls[i]);
    for (int i = 0; i < kAuxCount; ++i) SetChecked(row, kFirstAuxColumn + i, preset.aux[i]);
    ApplyModifier(row, preset.modifier);
}

void PresetTable::ApplyModifier(int row, std::string_view modifier)
{
    if (!IsPresetTableRow(row)) return;
    const std::optional<Modifier> parsed = ModifierOfText(modifier);
    if (!parsed) return;
    for (int column = kColumnBuffer; column < kColumnCount; ++column)
        MutableCell(row, column)->active = IsColumnActive(*parsed, column);
}

void PresetTable::SetModifier(int row, const std::string& modifier)
{
    if (!IsPresetTableRow(row)) return;
    SetText(row, kColumnModifier, modifier);
    ApplyModifier(row, modifier);
}

void PresetTable::SetActive(int row, int column, bool active)
{
    if (!IsPresetTableRow(row) || column < kColumnBuffer || column >= kColumnCount) return;
    MutableCell(row, column)->active = active;
}

void PresetTable::SetCurrentRow(int row)
{
    if (row >= 0 && row < kTableRowCount) current_row_ = row;
}

bool PresetTable::CanEdit(int row, int column) const
{
    if (row != current_row_ || !IsPresetTableRow(row)) return false;
    if (column < kFixedColumnCount || column >= kColumnCount) return false;
    return Cell(row, column).active;
}

std::optional<std::uint8_t> PresetTable::PresetNumberOfRow(int row) const
{
    if (!IsPresetTableRow(row)) return std::nullopt;
    const std::optional<int> bank = ReadWholeNumber(Cell(row, kColumnBank).text, 0, 9);
    const std::optional<int> preset = ReadWholeNumber(Cell(row, kColumnPreset).text, 0, 9);
    if (!bank || !preset) return std::nullopt;
    return static_cast<std::uint8_t>(*bank * 10 + *preset);
}

bool PresetTable::BankFunction(int bank_digit) const
{
    if (bank_digit < 0 || bank_digit >= kBankCount) return false;
    return bank_functions_[static_cast<std::size_t>(bank_digit)];
}

void PresetTable::SetBankFunction(int bank_digit, bool on)
{
    if (bank_digit < 0 || bank_digit >= kBankCount) return;
    bank_functions_[static_cast<std::size_t>(bank_digit)] = on;
}

}  // namespace orvel
