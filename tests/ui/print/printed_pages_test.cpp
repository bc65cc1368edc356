// The printed table as a PDF reader sees it: every page with its title, number, header
// captions and digit columns, each preset on the page that holds its row, inactive cells
// silver, and nothing written when printing fails.
#include <sstream>
#include <vector>

#include <QDateTime>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/preset_table.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/temp_folder.h"
#include "ui/print/pdf_output.h"
#include "ui/rules/cell_colours.h"

namespace orvel::testing {
namespace {

const QDateTime kNow(QDate(2026, 3, 7), QTime(9, 5));

// Every preset named after its number, with all four kinds of preset and some switches on.
PresetTable FilledSetUp()
{
    PresetTable table;
    const char* const kinds[] = {"PRESET", "LOOP", "SWITCH", "MIDI"};
    for (int preset = 0; preset < kPresetCount; ++preset) {
        const int row = TableRowOfPreset(static_cast<std::uint8_t>(preset));
        table.SetText(row, kColumnName, "Song" + std::string(preset < 10 ? "0" : "") + std::to_string(preset));
        table.SetModifier(row, kinds[preset % 4]);
        table.SetChecked(row, kFirstLoopColumn + preset % kLoopCount, true);
        table.SetText(row, kColumnMidi1, std::to_string(preset + 1));
    }
    table.SetBankFunction(3, false);
    return table;
}

// The preset digits of the rows pdftotext finds on a page, top to bottom.
std::vector<std::string> PresetDigitsOnPage(const std::string& text)
{
    static const QRegularExpression row(QStringLiteral(R"(^\s*(?:Add|Pr9|\d)?\s*(\d)\s+(PRESET|LOOP|SWITCH|MIDI)\b)"));
    std::vector<std::string> digits;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const QRegularExpressionMatch match = row.match(QString::fromStdString(line));
        if (match.hasMatch()) digits.push_back(match.captured(1).toStdString());
    }
    return digits;
}

bool HasLine(const std::string& text, const std::string& wanted)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto first = line.find_first_not_of(' ');
        if (first != std::string::npos && line.substr(first, line.find_last_not_of(' ') - first + 1) == wanted)
            return true;
    }
    return false;
}

TEST(PrintedPages, EveryPageCarriesTitleNumberHeadersAndDigitsAndEachPresetItsOwnPage)
{
    ASSERT_TRUE(HavePoppler()) << "pdftotext, pdftoppm and pdfinfo (poppler-utils) are needed";
    TempFolder folder;
    const PrintSettings settings;
    const TableLayout layout = PdfTableLayout(settings);
    ASSERT_GT(layout.page_count, 1) << "100 rows of 8 points need more than one landscape page";

    for (const bool filled : {false, true}) {
        SCOPED_TRACE(filled ? "filled set-up" : "start state");
        const PresetTable table = filled ? FilledSetUp() : PresetTable{};
        const std::string path = folder / (filled ? "filled.pdf" : "start.pdf");
        int announced = 0;
        std::vector<int> pages;
        const PdfResult result = WritePresetTablePdf(
            path, table, settings, PlatformColours{}, kNow,
            PrintHooks{[&](int count) { announced = count; }, [&](int page) { pages.push_back(page); }});
        ASSERT_EQ(result.error, "");
        EXPECT_EQ(result.pages, layout.page_count);
        EXPECT_EQ(announced, layout.page_count);
        EXPECT_EQ(PdfPageCount(path), layout.page_count);
        ASSERT_EQ(pages.size(), static_cast<std::size_t>(layout.page_count));

        for (int page = 1; page <= layout.page_count; ++page) {
            SCOPED_TRACE("page " + std::to_string(page));
            EXPECT_EQ(pages[static_cast<std::size_t>(page - 1)], page);
            const std::string text = PdfPageText(path, page);
            EXPECT_NE(text.find("KPX-2 PRESETS"), std::string::npos);
            EXPECT_TRUE(HasLine(text, std::to_string(page) + "/" + std::to_string(layout.page_count)));
            for (const char* caption : {"TYPE", "NAME", "BUFFER", "LOOP", "SWITCH", "MIDI1", "MIDI2", "MIDI3", "AUX",
                                        "Prog", "Chang", "Ctrl or Prog Chang"})
                EXPECT_NE(text.find(caption), std::string::npos) << caption;

            std::vector<std::string> expected_digits;
            for (int row = FirstRowOfPage(layout, page); row < EndRowOfPage(layout, page); ++row)
                expected_digits.push_back(table.Cell(row, kColumnPreset).text);
            EXPECT_EQ(PresetDigitsOnPage(text), expected_digits);
            if (!filled) continue;
            for (int preset = 0; preset < kPresetCount; ++preset) {
                const std::string name = "Song" + std::string(preset < 10 ? "0" : "") + std::to_string(preset);
                const bool here = PageOfRow(layout, TableRowOfPreset(static_cast<std::uint8_t>(preset))) == page;
                EXPECT_EQ(text.find(name) != std::string::npos, here) << name;
            }
            // Bank 3 lost its wah-pad function: its button says so on the page of its first row.
            const bool bank3_here = PageOfRow(layout, TableRowOfPreset(31)) == page;
            EXPECT_EQ(text.find("Pr9") != std::string::npos, bank3_here);
        }
    }
}

TEST(PrintedPages, InactiveCellsPrintSilverAndActiveCellsKeepTheirColumnColour)
{
    ASSERT_TRUE(HavePoppler());
    TempFolder folder;
    PresetTable table;
    const int row = TableRowOfPreset(37);
    table.SetModifier(row, "LOOP");
    table.SetCurrentRow(row);  // yellow on screen marks the cursor; the page shows the columns
    int inactive = -1;
    for (int column = kFixedColumnCount; column < kColumnCount && inactive < 0; ++column) {
        if (!table.Cell(row, column).active) inactive = column;
    }
    ASSERT_GE(inactive, 0) << "a LOOP preset has inactive cells";
    ASSERT_TRUE(table.Cell(row, kFirstLoopColumn).active);

    const PrintSettings settings;
    const std::string path = folder / "loop.pdf";
    ASSERT_EQ(WritePresetTablePdf(path, table, settings, PlatformColours{}, kNow).error, "");
    const TableLayout layout = PdfTableLayout(settings);
    constexpr int kDpi = 100;
    const QImage image = RenderPdfPage(path, PageOfRow(layout, row), kDpi, folder / "page");
    ASSERT_FALSE(image.isNull());
    // A point inside a cell, clear of its check box and text: a fifth of the way across.
    const auto pixel = [&](int table_row, int column) {
        const auto c = static_cast<std::size_t>(column);
        const double x = layout.column_left[c] + layout.column_width[c] / 5;
        const double y = RowTop(layout, table_row) + layout.row_height / 2;
        return image.pixelColor(static_cast<int>(x / 25.4 * kDpi), static_cast<int>(y / 25.4 * kDpi));
    };
    EXPECT_TRUE(CloseTo(pixel(row, inactive), QColor::fromRgb(kInactiveRgb)))
        << pixel(row, inactive).name().toStdString();
    EXPECT_TRUE(CloseTo(pixel(row, kFirstLoopColumn), QColor::fromRgb(kLoopsRgb)))
        << pixel(row, kFirstLoopColumn).name().toStdString();
    ASSERT_EQ(PageOfRow(layout, row - 1), PageOfRow(layout, row));
    // The same column of a full preset just above is active and keeps its column's colour.
    EXPECT_TRUE(CloseTo(pixel(row - 1, inactive),
                        QColor::fromRgb(inactive <= kLastSwitchColumn ? kSwitchesRgb : PlatformColours{}.info)))
        << pixel(row - 1, inactive).name().toStdString();
}

TEST(PrintedPages, AFailedPrintLeavesNoFileAndAnOldFileAsItWas)
{
    TempFolder folder;
    const PresetTable table;
    // No room for a row: nothing is written over the old file.
    const std::string old_pdf = folder / "old.pdf";
    WriteText(old_pdf, "old contents");
    PrintSettings no_room;
    no_room.margin_top = kMaxPrintMargin;
    no_room.margin_bottom = kMaxPrintMargin;
    EXPECT_NE(WritePresetTablePdf(old_pdf, table, no_room, PlatformColours{}, kNow).error, "");
    EXPECT_EQ(ReadText(old_pdf), "old contents");
    // A folder that is not there.
    const std::string nowhere = folder / "missing/table.pdf";
    EXPECT_NE(WritePresetTablePdf(nowhere, table, PrintSettings{}, PlatformColours{}, kNow).error, "");
    EXPECT_FALSE(std::filesystem::exists(nowhere));
}

}  // namespace
}  // namespace orvel::testing
