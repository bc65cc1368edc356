// print.ini: every setting comes back as written, unusable values keep their defaults,
// and the file keeps what else it holds.
#include "ui/print/print_settings.h"

#include <gtest/gtest.h>

#include "tests/support/temp_folder.h"

namespace orvel {
namespace {

PrintSettings Changed()
{
    PrintSettings s;
    s.grid_lines = false;
    s.outer_frame = false;
    s.cell_graphics = false;
    s.column_colours = false;
    s.cell_font = PrintFont{"Liberation Serif", 9.5, true, false};
    s.fixed_font = PrintFont{"DejaVu Sans Mono", 7, false, true};
    s.header_font = PrintFont{"DejaVu Sans", 14, true, true};
    s.footer_font = PrintFont{"DejaVu Serif", 6, false, false};
    s.show_date = true;
    s.date_format = "yyyy-mm-dd";
    s.show_time = true;
    s.time_format = "hh:mm:ss";
    s.date_place = TextPlace::Right;
    s.show_title = false;
    s.title = "Gig set-up, Łódź";
    s.title_place = TextPlace::Left;
    s.page_numbers = false;
    s.page_number_place = TextPlace::Right;
    s.paper = "Letter";
    s.margin_top = 100;
    s.margin_bottom = 0;
    s.margin_left = 125;
    s.margin_right = 1000;
    s.column_spacing = 10;
    s.row_spacing = 0;
    s.title_spacing = 100;
    s.landscape = false;
    return s;
}

TEST(PrintSettings, EverySettingComesBackFromItsFileAndOtherLinesStay)
{
    TempFolder folder;
    const std::string user = folder / "orvel";
    EXPECT_EQ(LoadPrintSettings(user), PrintSettings{});  // no file: the defaults

    ASSERT_EQ(SavePrintSettings(user, Changed()).status, FileStatus::Done);  // makes the folder
    EXPECT_EQ(LoadPrintSettings(user), Changed());

    WriteText(PrintSettingsPath(user), "; kept\n[other]\nkey=1\n" + ReadText(PrintSettingsPath(user)));
    ASSERT_EQ(SavePrintSettings(user, PrintSettings{}).status, FileStatus::Done);
    const std::string text = ReadText(PrintSettingsPath(user));
    EXPECT_NE(text.find("; kept"), std::string::npos);
    EXPECT_NE(text.find("[other]"), std::string::npos);
    EXPECT_EQ(LoadPrintSettings(user), PrintSettings{});
}

TEST(PrintSettings, UnusableValuesKeepTheirDefaults)
{
    const PrintSettings read = ParsePrintSettings(
        "[print]\nMarginTop=-5\nMarginLeft=1001\nMarginRight=abc\nRowSpacing=101\nTitlePlace=3\n"
        "CellSize=1000\nFixedSize=-20\nCellFont=\nLandscape=0\n");
    PrintSettings expected;
    expected.cell_font.points = 36;  // held to the largest size offered
    expected.fixed_font.points = 4;  // and the smallest
    expected.landscape = false;
    EXPECT_EQ(read, expected);
    EXPECT_EQ(ParsePrintSettings("\x01\x02 not an ini file ]]"), PrintSettings{});
}

TEST(PrintSettings, NoFolderMeansNothingIsSaved)
{
    EXPECT_EQ(PrintSettingsPath(""), "");
    EXPECT_EQ(SavePrintSettings("", PrintSettings{}).status, FileStatus::Failed);
}

}  // namespace
}  // namespace orvel
