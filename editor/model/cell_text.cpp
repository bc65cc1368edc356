#include "model/cell_text.h"

namespace orvel {

std::string FormatCellText(const CellBlock& block)
{
    std::string text;
    for (std::size_t row = 0; row < block.size(); ++row) {
        if (row > 0) text += '\n';
        for (std::size_t column = 0; column < block[row].size(); ++column) {
            if (column > 0) text += '\t';
            text += block[row][column];
        }
    }
    return text;
}

CellBlock ParseCellText(std::string_view text)
{
    CellBlock block;
    std::vector<std::string> row(1);
    bool row_open = false;  // the current row has a character or a tab
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            block.push_back(std::move(row));
            row.assign(1, {});
            row_open = false;
        } else if (c == '\t') {
            row.emplace_back();
            row_open = true;
        } else {
            row.back() += c;
            row_open = true;
        }
    }
    if (row_open) block.push_back(std::move(row));
    return block;
}

}  // namespace orvel
