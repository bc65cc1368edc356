// The preset table as CSV, for spreadsheets: a header row of field names ("B", "P", "TYPE",
// "NAME", ..., "AUX2"), then one row per preset in the grid's order, check boxes as 1 and 0
// and texts as they are.
#pragma once

#include <string>
#include <vector>

#include "files/csv_table.h"
#include "model/preset_table.h"

namespace orvel {

std::vector<CsvRecord> PresetCsvRecords(const PresetTable& table);

// Takes CSV records into the table. The header row names the columns, in any order and
// case; B and P are needed, since their digits find each row's preset, and a column left out
// leaves its field as it is, as does a preset without a row. Each value goes through its
// column's entry rule (setup_fields.h). On any refusal nothing changes and `problem` names
// the row and column: "row 5 (preset 14), MIDI1: ..."; rows count from 1, the header's.
bool TakePresetCsv(const std::vector<CsvRecord>& records, PresetTable& table, std::string& problem);

}  // namespace orvel
