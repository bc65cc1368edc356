#include "cli/preset_csv.h"

#include <map>
#include <optional>

#include "cli/setup_fields.h"
#include "model/model_constants.h"
#include "model/preset_entry.h"
#include "model/preset_numbering.h"
#include "ui/rules/field_names.h"

namespace orvel {

namespace {

std::string FieldNameList()
{
    std::string names;
    for (int column = 0; column < kColumnCount; ++column) names += (column == 0 ? "" : ", ") + PresetFieldName(column);
    return names;
}

// The table column of each CSV column, from the header row; false with the problem.
bool ReadHeader(const CsvRecord& header, std::vector<int>& columns, std::string& problem)
{
    std::map<int, bool> seen;
    for (const std::string& name : header) {
        const std::optional<int> column = PresetColumnNamed(name);
        if (!column) {
            problem = "row 1: \"" + name + "\" is not a preset field; the fields are " + FieldNameList();
            return false;
        }
        if (seen[*column]) {
            problem = "row 1: " + PresetFieldName(*column) + " appears twice";
            return false;
        }
        seen[*column] = true;
        columns.push_back(*column);
    }
    if (!seen[kColumnBank] || !seen[kColumnPreset]) {
        problem = "row 1: the columns " + PresetFieldName(kColumnBank) + " and " + PresetFieldName(kColumnPreset) +
                  " are needed to find each row's preset";
        return false;
    }
    return true;
}

bool IsBlank(const CsvRecord& record)
{
    return record.size() == 1 && record.front().empty();
}

}  // namespace

std::vector<CsvRecord> PresetCsvRecords(const PresetTable& table)
{
    std::vector<CsvRecord> records;
    CsvRecord header;
    for (int column = 0; column < kColumnCount; ++column) header.push_back(PresetFieldName(column));
    records.push_back(header);
    for (int r = 0; r < kPresetCount; ++r) {
        const int row = kHeaderRowCount + r;
        CsvRecord record{std::to_string(BankDigitOfRow(r)), std::to_string(PresetDigitOfRow(r))};
        for (int column = kFixedColumnCount; column < kColumnCount; ++column)
            record.push_back(PresetFieldText(table, row, column));
        records.push_back(record);
    }
    return records;
}

bool TakePresetCsv(const std::vector<CsvRecord>& records, PresetTable& table, std::string& problem)
{
    if (records.empty()) {
        problem = "it holds no header row";
        return false;
    }
    std::vector<int> columns;
    if (!ReadHeader(records.front(), columns, problem)) return false;

    PresetTable result = table;
    std::map<int, std::size_t> row_of_preset;  // the CSV row that set each preset
    for (std::size_t i = 1; i < records.size(); ++i) {
        const CsvRecord& record = records[i];
        const std::string where = "row " + std::to_string(i + 1);
        if (IsBlank(record)) continue;
        if (record.size() != columns.size()) {
            problem = where + " has " + std::to_string(record.size()) + " values where the header row has " +
                      std::to_string(columns.size());
            return false;
        }
        std::optional<int> bank_digit;
        std::optional<int> preset_digit;
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (columns[k] != kColumnBank && columns[k] != kColumnPreset) continue;
            std::optional<int>& digit = columns[k] == kColumnBank ? bank_digit : preset_digit;
            digit = ReadWholeNumber(record[k], 0, 9);
            if (!digit) {
                problem =
                    where + ", " + PresetFieldName(columns[k]) + ": \"" + record[k] + "\" is not a digit (0 to 9)";
                return false;
            }
        }
        const int preset = bank_digit.value_or(0) * 10 + preset_digit.value_or(0);
        if (const auto [first, added] = row_of_preset.emplace(preset, i + 1); !added) {
            problem = where + ": preset " + std::to_string(preset) + " has a row already (row " +
                      std::to_string(first->second) + ")";
            return false;
        }
        const int row = TableRowOfPreset(static_cast<std::uint8_t>(preset));
        for (std::size_t k = 0; k < columns.size(); ++k) {
            if (columns[k] < kFixedColumnCount) continue;
            if (const auto refusal = SetPresetField(result, row, columns[k], record[k])) {
                problem = where + " (preset " + std::to_string(preset) + "), " + PresetFieldName(columns[k]) + ": " +
                          *refusal;
                return false;
            }
        }
    }
    table = result;
    return true;
}

}  // namespace orvel
