#include "ui/print/page_layout.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "ui/rules/preset_grid_sizes.h"

namespace orvel {

namespace {

double Mm(int units)
{
    return static_cast<double>(units) / kPrintUnitsPerMm;
}

}  // namespace

TableLayout LayOutTable(const PrintSettings& settings, PageSizeMm page, const TextMetrics& metrics)
{
    TableLayout layout;
    layout.page = page;
    const double row_spacing = Mm(settings.row_spacing);
    const double title_spacing = Mm(settings.title_spacing);

    // Columns: the design widths scaled so that the table fills the page between the margins.
    layout.table_left = Mm(settings.margin_left);
    layout.table_width = std::max(0.0, page.width - Mm(settings.margin_left) - Mm(settings.margin_right));
    const int units = std::accumulate(kColumnWidthUnits.begin(), kColumnWidthUnits.end(), 0);
    double left = layout.table_left;
    for (int column = 0; column < kColumnCount; ++column) {
        const auto c = static_cast<std::size_t>(column);
        layout.column_left[c] = left;
        layout.column_width[c] = layout.table_width * kColumnWidthUnits[c] / units;
        left += layout.column_width[c];
    }

    // Down the page: title, header rows, preset rows, footer.
    layout.title_top = Mm(settings.margin_top);
    layout.title_height = settings.show_title ? metrics.header_line : 0.0;
    layout.table_top = layout.title_top + (settings.show_title ? layout.title_height + title_spacing : 0.0);

    // Header row 0 holds one line of caption, row 1 two ("Prog", "Chang"); together they
    // hold "BUFFER" on its side.
    layout.header_height[0] = metrics.fixed_line + row_spacing;
    layout.header_height[1] = 2 * metrics.fixed_line + row_spacing;
    const double turned = metrics.turned_caption + 2 * row_spacing + metrics.fixed_line / 2;
    if (layout.header_height[0] + layout.header_height[1] < turned)
        layout.header_height[1] = turned - layout.header_height[0];
    layout.row_height = std::max(metrics.cell_line, metrics.fixed_line) + row_spacing;

    const bool footer = settings.page_numbers || settings.show_date || settings.show_time;
    layout.footer_height = footer ? metrics.footer_line : 0.0;
    layout.footer_top = page.height - Mm(settings.margin_bottom) - layout.footer_height;

    const double body_top = layout.table_top + layout.header_height[0] + layout.header_height[1];
    const double body_bottom = layout.footer_top - (footer ? title_spacing : 0.0);
    if (layout.row_height <= 0 || body_bottom <= body_top) return layout;
    // A small allowance keeps rounding in the font heights from costing a whole row.
    const int rows = static_cast<int>(std::floor((body_bottom - body_top) / layout.row_height + 1e-9));
    if (rows < 1 || layout.table_width <= 0) return layout;
    layout.rows_per_page = std::min(rows, kPresetCount);
    layout.page_count = (kPresetCount + layout.rows_per_page - 1) / layout.rows_per_page;
    return layout;
}

int FirstRowOfPage(const TableLayout& layout, int page)
{
    return kHeaderRowCount + std::clamp(page - 1, 0, layout.page_count) * layout.rows_per_page;
}

int EndRowOfPage(const TableLayout& layout, int page)
{
    return std::min(FirstRowOfPage(layout, page) + layout.rows_per_page, kTableRowCount);
}

int PageOfRow(const TableLayout& layout, int table_row)
{
    if (layout.rows_per_page == 0 || table_row < kHeaderRowCount || table_row >= kTableRowCount) return 0;
    return (table_row - kHeaderRowCount) / layout.rows_per_page + 1;
}

double RowTop(const TableLayout& layout, int table_row)
{
    if (table_row == 0) return layout.table_top;
    const double body_top = layout.table_top + layout.header_height[0] + layout.header_height[1];
    if (table_row == 1) return layout.table_top + layout.header_height[0];
    if (layout.rows_per_page == 0) return body_top;
    return body_top + ((table_row - kHeaderRowCount) % layout.rows_per_page) * layout.row_height;
}

double RowHeight(const TableLayout& layout, int table_row)
{
    if (table_row == 0 || table_row == 1) return layout.header_height[static_cast<std::size_t>(table_row)];
    return layout.row_height;
}

}  // namespace orvel
