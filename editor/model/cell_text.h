// Cells as text on the system clipboard, the way spreadsheets exchange them: a cell's
// values separated by tabs, rows by line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orvel {

using CellBlock = std::vector<std::vector<std::string>>;  // rows of cell texts

// Rows joined by "\n", cells by "\t"; no line end after the last row.
std::string FormatCellText(const CellBlock& block);

// Reads such text back. Line ends may be "\n", "\r\n" or "\r"; one line end after the last
// row (as spreadsheets add) makes no empty row. Empty text gives no rows.
CellBlock ParseCellText(std::string_view text);

}  // namespace orvel
