// The printed table's page arithmetic: columns fitted to the page width, rows per page and
// page count, which page holds which row, and settings that leave no room.
#include "ui/print/page_layout.h"

#include <numeric>

#include <gtest/gtest.h>

#include "ui/rules/preset_grid_sizes.h"

namespace orvel {
namespace {

// Font heights of an 8-point sans-serif, in millimetres.
TextMetrics EightPoint()
{
    return TextMetrics{3.3, 3.3, 3.3, 3.3, 11.0};
}

// An A4 sheet with the longer side across (landscape) or down.
PageSizeMm A4(bool landscape)
{
    return landscape ? PageSizeMm{297, 210} : PageSizeMm{210, 297};
}

TEST(PageLayout, ColumnsFillThePageBetweenTheMarginsInTheGridsProportions)
{
    for (bool landscape : {true, false}) {
        PrintSettings settings;
        settings.landscape = landscape;
        settings.margin_left = 120;
        settings.margin_right = 30;
        const PageSizeMm page = A4(landscape);
        const TableLayout layout = LayOutTable(settings, page, EightPoint());
        EXPECT_DOUBLE_EQ(layout.column_left[0], 12.0);
        const double right = layout.column_left[kColumnCount - 1] + layout.column_width[kColumnCount - 1];
        EXPECT_NEAR(right, page.width - 3.0, 1e-9);
        for (int c = 1; c < kColumnCount; ++c) {
            const auto i = static_cast<std::size_t>(c);
            EXPECT_NEAR(layout.column_left[i], layout.column_left[i - 1] + layout.column_width[i - 1], 1e-9);
            // The NAME column stays 77/23 of a check box column, as on screen.
            EXPECT_NEAR(layout.column_width[i] / layout.column_width[kColumnBuffer],
                        kColumnWidthUnits[i] / double(kColumnWidthUnits[kColumnBuffer]), 1e-9);
        }
    }
}

TEST(PageLayout, RowsFillThePagesAndEveryPresetRowHasExactlyOnePage)
{
    for (bool landscape : {true, false}) {
        PrintSettings settings;
        settings.landscape = landscape;
        const TableLayout layout = LayOutTable(settings, A4(landscape), EightPoint());
        ASSERT_GT(layout.rows_per_page, 0);
        EXPECT_GE(layout.page_count * layout.rows_per_page, kPresetCount);
        EXPECT_LT((layout.page_count - 1) * layout.rows_per_page, kPresetCount);

        // The last row of a page ends above the footer and its spacing; one more would not.
        const double last_bottom = RowTop(layout, kHeaderRowCount + layout.rows_per_page - 1) + layout.row_height;
        EXPECT_LE(last_bottom, layout.footer_top - settings.title_spacing / 10.0 + 1e-9);
        EXPECT_GT(last_bottom + layout.row_height, layout.footer_top - settings.title_spacing / 10.0);

        int expected_page = 1;
        int rows_on_page = 0;
        for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
            if (rows_on_page == layout.rows_per_page) {
                ++expected_page;
                rows_on_page = 0;
            }
            EXPECT_EQ(PageOfRow(layout, row), expected_page) << "row " << row;
            EXPECT_GE(row, FirstRowOfPage(layout, expected_page));
            EXPECT_LT(row, EndRowOfPage(layout, expected_page));
            ++rows_on_page;
        }
        EXPECT_EQ(expected_page, layout.page_count);
        EXPECT_EQ(EndRowOfPage(layout, layout.page_count), kTableRowCount);
        EXPECT_EQ(PageOfRow(layout, 1), 0);
    }
    // The same 8-point rows take more pages across a landscape sheet than down a portrait one.
    const TableLayout across = LayOutTable(PrintSettings{}, A4(true), EightPoint());
    PrintSettings portrait;
    portrait.landscape = false;
    EXPECT_LE(LayOutTable(portrait, A4(false), EightPoint()).page_count, across.page_count);
}

TEST(PageLayout, TitleHeaderRowsAndFooterTakeTheirRoomAndTheTurnedCaptionFits)
{
    PrintSettings settings;
    TableLayout with = LayOutTable(settings, A4(true), EightPoint());
    EXPECT_DOUBLE_EQ(with.title_top, 5.0);
    EXPECT_NEAR(with.table_top, 5.0 + 3.3 + 0.3, 1e-9);
    EXPECT_GE(with.header_height[0] + with.header_height[1], 11.0 + 0.6);
    EXPECT_NEAR(with.footer_top, 210 - 5.0 - 3.3, 1e-9);

    settings.show_title = false;
    settings.page_numbers = false;
    const TableLayout bare = LayOutTable(settings, A4(true), EightPoint());
    EXPECT_DOUBLE_EQ(bare.table_top, 5.0);
    EXPECT_DOUBLE_EQ(bare.footer_height, 0.0);
    EXPECT_GE(bare.rows_per_page, with.rows_per_page);

    // A short turned caption leaves the header rows at their caption lines.
    TextMetrics small = EightPoint();
    small.turned_caption = 1.0;
    const TableLayout lines = LayOutTable(PrintSettings{}, A4(true), small);
    EXPECT_NEAR(lines.header_height[0] + lines.header_height[1], 3 * 3.3 + 0.6, 1e-9);
}

TEST(PageLayout, MarginsThatLeaveNoRoomGiveNoPages)
{
    PrintSettings settings;
    settings.margin_top = kMaxPrintMargin;
    EXPECT_GT(LayOutTable(settings, A4(true), EightPoint()).page_count, 0);
    settings.margin_bottom = kMaxPrintMargin;
    EXPECT_EQ(LayOutTable(settings, A4(true), EightPoint()).page_count, 0);

    settings = PrintSettings{};
    settings.margin_left = kMaxPrintMargin;
    settings.margin_right = kMaxPrintMargin;
    settings.landscape = false;
    const TableLayout narrow = LayOutTable(settings, PageSizeMm{148, 210}, EightPoint());
    EXPECT_EQ(narrow.page_count, 0);
    EXPECT_EQ(narrow.rows_per_page, 0);
    EXPECT_EQ(PageOfRow(narrow, 2), 0);
}

}  // namespace
}  // namespace orvel
