// The print layout of the preset table: what the print settings dialog offers, its
// defaults, and its form in the user's print.ini. Plain data; the painter and the dialog
// read it.
//
// Margins and spacings are in the printing unit: tenths of a millimetre (50 = 5 mm).
#pragma once

#include <string>
#include <string_view>

#include "files/file_result.h"

namespace orvel {

inline constexpr int kPrintUnitsPerMm = 10;

// The printed stand-in for the grid's font: a common sans-serif that Debian always has.
inline constexpr std::string_view kPrintFontFamily = "DejaVu Sans";
inline constexpr double kPrintFontPoints = 8.0;

inline constexpr std::string_view kPrintTitle = "KPX-2 PRESETS";
inline constexpr std::string_view kPrintDateFormat = "dd/mm/yyyy";
inline constexpr std::string_view kPrintTimeFormat = "hh:mm";
inline constexpr std::string_view kPrintPaper = "A4";

// Where the print settings are kept, inside the user's configuration folder.
inline constexpr std::string_view kPrintSettingsFileName = "print.ini";

enum class TextPlace { Left = 0, Centre = 1, Right = 2 };

struct PrintFont {
    std::string family{kPrintFontFamily};
    double points = kPrintFontPoints;
    bool bold = false;
    bool italic = false;

    bool operator==(const PrintFont&) const = default;
};

struct PrintSettings {
    // Borders
    bool grid_lines = true;   // a thin line round every cell
    bool outer_frame = true;  // a heavier line round the whole table
    // General
    bool cell_graphics = true;   // check boxes and the bank buttons of column 0
    bool column_colours = true;  // the grid's column colours (inactive cells stay silver)
    // Fonts
    PrintFont cell_font;    // preset cells
    PrintFont fixed_font;   // header rows and digit columns
    PrintFont header_font;  // the title
    PrintFont footer_font;  // page number, date and time
    // Date and time, at the bottom of every page
    bool show_date = false;
    std::string date_format{kPrintDateFormat};
    bool show_time = false;
    std::string time_format{kPrintTimeFormat};
    TextPlace date_place = TextPlace::Left;
    // Title
    bool show_title = true;
    std::string title{kPrintTitle};
    TextPlace title_place = TextPlace::Centre;
    // Pages
    bool page_numbers = true;  // "page/count", at the bottom
    TextPlace page_number_place = TextPlace::Centre;
    std::string paper{kPrintPaper};
    // Margins (header, footer, left, right) and spacing, in tenths of a millimetre
    int margin_top = 50;
    int margin_bottom = 50;
    int margin_left = 50;
    int margin_right = 50;
    int column_spacing = 3;
    int row_spacing = 3;
    int title_spacing = 3;
    // Orientation
    bool landscape = true;

    bool operator==(const PrintSettings&) const = default;
};

// Largest margin and spacing the dialog accepts, in tenths of a millimetre.
inline constexpr int kMaxPrintMargin = 1000;
inline constexpr int kMaxPrintSpacing = 100;

// The settings in an INI text; what is missing or out of range keeps its default.
PrintSettings ParsePrintSettings(std::string_view text);

// `existing` with every setting written into it; false when it cannot be produced.
bool PrintSettingsText(std::string_view existing, const PrintSettings& settings, std::string& text);

// The path of print.ini in a folder; empty for an empty folder.
std::string PrintSettingsPath(const std::string& folder);

// Reads print.ini from the folder; the defaults when it is not there or cannot be read.
PrintSettings LoadPrintSettings(const std::string& folder);

// Writes print.ini into the folder, creating the folder when needed.
FileResult SavePrintSettings(const std::string& folder, const PrintSettings& settings);

}  // namespace orvel
