// The fixed layout of the preset grid: the captions of its two header rows and the cells
// merged into one (header captions, and each bank's digit over its ten rows). Column
// widths are window rules (ui/rules/preset_grid_sizes.h).
#pragma once

#include <string>
#include <vector>

namespace orvel {

// A block of cells drawn as one; the text sits in the top-left cell.
struct CellSpan {
    int row = 0;
    int column = 0;
    int rows = 1;
    int columns = 1;

    bool operator==(const CellSpan&) const = default;
};

struct HeaderCaption {
    CellSpan span;
    std::string text;     // "\r" (0x0D) breaks the caption into two lines
    bool turned = false;  // drawn turned by 90 degrees ("BUFFER")
};

// Every caption of header rows 0 and 1, row 0 first, left to right.
std::vector<HeaderCaption> HeaderCaptions();

// Every merged block of the grid: the header captions wider or taller than one cell,
// then the bank digit cell of each bank in column 0 (ten rows each, top to bottom).
std::vector<CellSpan> MergedCells();

}  // namespace orvel
