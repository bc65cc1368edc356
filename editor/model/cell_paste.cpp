#include "model/cell_paste.h"

#include <algorithm>

#include "model/cell_editor.h"
#include "model/entry_rules.h"
#include "model/model_constants.h"
#include "model/modifier.h"
#include "model/preset_entry.h"
#include "model/preset_table.h"
#include "model/settings_constants.h"
#include "model/settings_entry.h"

namespace orvel {

namespace {

std::optional<bool> CheckValue(const std::string& value)
{
    const std::string word = UpperCase(TrimmedEntry(value));
    if (word == "1" || word == "TRUE") return true;
    if (word == "0" || word == "FALSE") return false;
    return std::nullopt;
}

// Characters of UTF-8 text (the name editor counts characters, not bytes).
int CharacterCount(std::string_view text)
{
    return static_cast<int>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// Writes a value its column's rule has accepted.
void StoreCell(PresetTable& table, int row, int column, const std::string& value)
{
    if (IsCheckBoxColumn(column))
        table.SetChecked(row, column, value == "1");
    else if (column == kColumnModifier)
        table.SetModifier(row, value);
    else
        table.SetText(row, column, value);
}

}  // namespace

std::optional<std::string> PastedPresetValue(int column, const std::string& value)
{
    if (column < kFixedColumnCount || column >= kColumnCount) return std::nullopt;
    if (IsCheckBoxColumn(column)) {
        const std::optional<bool> on = CheckValue(value);
        if (!on) return std::nullopt;
        return std::string(*on ? "1" : "0");
    }
    if (column == kColumnModifier) {
        const std::optional<Modifier> modifier = ModifierOfText(TrimmedEntry(value));
        if (!modifier) return std::nullopt;
        return std::string(ModifierText(*modifier));
    }
    if (column == kColumnName) {
        const int limit = EditorOfColumn(kColumnName).max_length;
        if (limit > 0 && CharacterCount(value) > limit) return std::nullopt;
    }
    return ValidatePresetEntry(column, value);
}

CellBlock CopyTableCells(const PresetTable& table, int first_row, int last_row, int first_column, int last_column)
{
    first_row = std::max(first_row, kHeaderRowCount);
    last_row = std::min(last_row, kTableRowCount - 1);
    first_column = std::max(first_column, kFixedColumnCount);
    last_column = std::min(last_column, kColumnCount - 1);
    CellBlock block;
    for (int row = first_row; row <= last_row; ++row) {
        std::vector<std::string> values;
        for (int column = first_column; column <= last_column; ++column) {
            const TableCell& cell = table.Cell(row, column);
            values.push_back(IsCheckBoxColumn(column) ? std::string(cell.checked ? "1" : "0") : cell.text);
        }
        if (!values.empty()) block.push_back(std::move(values));
    }
    return block;
}

PasteCount PasteTableCells(PresetTable& table, int row, int column, const CellBlock& block)
{
    PasteCount count;
    for (std::size_t r = 0; r < block.size(); ++r) {
        const int target_row = row + static_cast<int>(r);
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const int target_column = column + static_cast<int>(c);
            if (!IsPresetTableRow(target_row) || target_column < kFixedColumnCount || target_column >= kColumnCount ||
                !table.Cell(target_row, target_column).active) {
                ++count.skipped;
                continue;
            }
            const std::optional<std::string> value = PastedPresetValue(target_column, block[r][c]);
            if (!value) {
                ++count.refused;
                continue;
            }
            StoreCell(table, target_row, target_column, *value);
            ++count.stored;
        }
    }
    return count;
}

int ClearTableCells(PresetTable& table, int first_row, int last_row, int first_column, int last_column)
{
    int cleared = 0;
    for (int row = std::max(first_row, kHeaderRowCount); row <= std::min(last_row, kTableRowCount - 1); ++row)
        for (int column = std::max(first_column, kFixedColumnCount); column <= std::min(last_column, kColumnCount - 1);
             ++column) {
            const std::optional<std::string> empty = EmptyPresetEntry(column);
            if (!empty || !table.Cell(row, column).active) continue;
            const std::optional<std::string> value = PastedPresetValue(column, *empty);
            if (!value) continue;
            StoreCell(table, row, column, *value);
            ++cleared;
        }
    return cleared;
}

CellBlock CopySettingsCells(const SettingsData& settings, int first_column, int last_column)
{
    first_column = std::max(first_column, 0);
    last_column = std::min(last_column, kSetupColumnCount - 1);
    std::vector<std::string> values;
    for (int column = first_column; column <= last_column; ++column)
        values.push_back(SettingsCellText(settings, column));
    if (values.empty()) return {};
    return {values};
}

PasteCount PasteSettingsCells(SettingsData& settings, int column, const CellBlock& block)
{
    PasteCount count;
    for (std::size_t r = 0; r < block.size(); ++r)
        for (std::size_t c = 0; c < block[r].size(); ++c) {
            const int target = column + static_cast<int>(c);
            if (r > 0 || target < 0 || target >= kSetupColumnCount) {
                ++count.skipped;
                continue;
            }
            const std::optional<std::string> value = ValidateSettingsEntry(target, block[r][c]);
            if (!value) {
                ++count.refused;
                continue;
            }
            SetSettingsCellText(settings, target, *value);
            ++count.stored;
        }
    return count;
}

}  // namespace orvel
