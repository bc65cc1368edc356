// The preset grid's tooltips: for each header caption, what its columns hold and the values
// they take (the same words the refusal of an entry uses), and what a bank's button does.
// One table, beside the captions (grid_header_captions.h).
#pragma once

#include <string_view>

namespace orvel {

inline constexpr std::string_view kBankButtonTooltip =
    "The wah-pad function of this bank: Add or Pr9. A click switches it; Write bank and Write all "
    "presets send it to the controller.";

// A header block and its tooltip: header rows first_row..last_row, columns
// first_column..last_column.
struct HeaderTooltip {
    int first_row;
    int last_row;
    int first_column;
    int last_column;
    std::string_view text;
};

// The tooltip over a header cell (rows 0 and 1); empty for every other cell.
std::string_view HeaderTooltipAt(int row, int column);

}  // namespace orvel
