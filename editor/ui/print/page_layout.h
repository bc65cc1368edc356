// Where everything of the printed preset table goes on a page: the column widths fitted to
// the page width, the heights of the title, the two header rows, the preset rows and the
// footer, how many preset rows fit on a page and how many pages the table takes. Plain
// arithmetic in millimetres; the painter measures the fonts and passes their heights in.
//
// Every page carries the title, the two header rows (with the two digit columns) and its
// footer; the preset rows follow each other down the pages.
#pragma once

#include <array>

#include "model/model_constants.h"
#include "ui/print/print_settings.h"

namespace orvel {

// Heights and lengths of the chosen fonts on the output device, in millimetres.
struct TextMetrics {
    double cell_line = 0;       // one line of the cell font
    double fixed_line = 0;      // one line of the fixed-cell font
    double header_line = 0;     // the title font
    double footer_line = 0;     // the footer font
    double turned_caption = 0;  // "BUFFER" in the fixed-cell font, which stands on its side
};

// The page as it is printed on, its orientation applied.
struct PageSizeMm {
    double width = 0;
    double height = 0;
};

struct TableLayout {
    PageSizeMm page;
    double title_top = 0;  // top of the title line (0 height without a title)
    double title_height = 0;
    double table_left = 0;
    double table_top = 0;    // top of header row 0
    double table_width = 0;  // the page width between the margins
    std::array<double, kColumnCount> column_left{};
    std::array<double, kColumnCount> column_width{};
    std::array<double, kHeaderRowCount> header_height{};
    double row_height = 0;  // every preset row
    double footer_top = 0;  // top of the footer line (0 height without a footer)
    double footer_height = 0;
    int rows_per_page = 0;  // 0: the margins leave no room for one preset row
    int page_count = 0;     // 0 with rows_per_page 0
};

TableLayout LayOutTable(const PrintSettings& settings, PageSizeMm page, const TextMetrics& metrics);

// The first and one past the last table row (2 to 102) printed on a page (1 to page_count).
int FirstRowOfPage(const TableLayout& layout, int page);
int EndRowOfPage(const TableLayout& layout, int page);

// The page (1 to page_count) a preset row (2 to 101) is printed on; 0 for other rows or
// without room.
int PageOfRow(const TableLayout& layout, int table_row);

// The top of a row on its page: header rows 0 and 1 on every page, preset rows on theirs.
double RowTop(const TableLayout& layout, int table_row);
double RowHeight(const TableLayout& layout, int table_row);

}  // namespace orvel
