#include "ui/print/print_settings.h"

#include <algorithm>

#include "files/file_constants.h"
#include "files/file_io.h"
#include "files/file_names.h"
#include "files/ini_document.h"

namespace orvel {

namespace {

const std::string kSection = "print";

// Font sizes the dialog offers, in points.
constexpr double kMinFontPoints = 4.0;
constexpr double kMaxFontPoints = 36.0;

// Every setting has one key; the readers and the writer go through the same table of
// names so that the two cannot drift apart.

void ReadFont(const IniDocument& ini, const std::string& prefix, PrintFont& font)
{
    font.family = ini.Text(kSection, prefix + "Font", font.family);
    if (font.family.empty()) font.family = std::string(kPrintFontFamily);
    // Tenths of a point keep the value an integer in the file.
    const long long tenths = ini.Integer(kSection, prefix + "Size", static_cast<long long>(font.points * 10 + 0.5));
    font.points = std::clamp(static_cast<double>(tenths) / 10.0, kMinFontPoints, kMaxFontPoints);
    font.bold = ini.Bool(kSection, prefix + "Bold", font.bold);
    font.italic = ini.Bool(kSection, prefix + "Italic", font.italic);
}

bool WriteFont(IniDocument& ini, const std::string& prefix, const PrintFont& font)
{
    return ini.SetText(kSection, prefix + "Font", font.family) &&
           ini.SetInteger(kSection, prefix + "Size", static_cast<long long>(font.points * 10 + 0.5)) &&
           ini.SetBool(kSection, prefix + "Bold", font.bold) && ini.SetBool(kSection, prefix + "Italic", font.italic);
}

int ReadMeasure(const IniDocument& ini, const std::string& key, int fallback, int maximum)
{
    const long long value = ini.Integer(kSection, key, fallback);
    return value < 0 || value > maximum ? fallback : static_cast<int>(value);
}

TextPlace ReadPlace(const IniDocument& ini, const std::string& key, TextPlace fallback)
{
    const long long value = ini.Integer(kSection, key, static_cast<long long>(fallback));
    return value < 0 || value > 2 ? fallback : static_cast<TextPlace>(value);
}

}  // namespace

PrintSettings ParsePrintSettings(std::string_view text)
{
    PrintSettings s;
    IniDocument ini;
    if (!ini.Parse(text)) return s;
    s.grid_lines = ini.Bool(kSection, "GridLines", s.grid_lines);
    s.outer_frame = ini.Bool(kSection, "OuterFrame", s.outer_frame);
    s.cell_graphics = ini.Bool(kSection, "CellGraphics", s.cell_graphics);
    s.column_colours = ini.Bool(kSection, "ColumnColours", s.column_colours);
    ReadFont(ini, "Cell", s.cell_font);
    ReadFont(ini, "Fixed", s.fixed_font);
    ReadFont(ini, "Header", s.header_font);
    ReadFont(ini, "Footer", s.footer_font);
    s.show_date = ini.Bool(kSection, "ShowDate", s.show_date);
    s.date_format = ini.Text(kSection, "DateFormat", s.date_format);
    s.show_time = ini.Bool(kSection, "ShowTime", s.show_time);
    s.time_format = ini.Text(kSection, "TimeFormat", s.time_format);
    s.date_place = ReadPlace(ini, "DatePlace", s.date_place);
    s.show_title = ini.Bool(kSection, "ShowTitle", s.show_title);
    s.title = ini.Text(kSection, "Title", s.title);
    s.title_place = ReadPlace(ini, "TitlePlace", s.title_place);
    s.page_numbers = ini.Bool(kSection, "PageNumbers", s.page_numbers);
    s.page_number_place = ReadPlace(ini, "PageNumberPlace", s.page_number_place);
    s.paper = ini.Text(kSection, "Paper", s.paper);
    s.margin_top = ReadMeasure(ini, "MarginTop", s.margin_top, kMaxPrintMargin);
    s.margin_bottom = ReadMeasure(ini, "MarginBottom", s.margin_bottom, kMaxPrintMargin);
    s.margin_left = ReadMeasure(ini, "MarginLeft", s.margin_left, kMaxPrintMargin);
    s.margin_right = ReadMeasure(ini, "MarginRight", s.margin_right, kMaxPrintMargin);
    s.column_spacing = ReadMeasure(ini, "ColumnSpacing", s.column_spacing, kMaxPrintSpacing);
    s.row_spacing = ReadMeasure(ini, "RowSpacing", s.row_spacing, kMaxPrintSpacing);
    s.title_spacing = ReadMeasure(ini, "TitleSpacing", s.title_spacing, kMaxPrintSpacing);
    s.landscape = ini.Bool(kSection, "Landscape", s.landscape);
    return s;
}

bool PrintSettingsText(std::string_view existing, const PrintSettings& s, std::string& text)
{
    IniDocument ini;
    if (!ini.Parse(existing)) return false;
    const bool written =
        ini.SetBool(kSection, "GridLines", s.grid_lines) && ini.SetBool(kSection, "OuterFrame", s.outer_frame) &&
        ini.SetBool(kSection, "CellGraphics", s.cell_graphics) &&
        ini.SetBool(kSection, "ColumnColours", s.column_colours) && WriteFont(ini, "Cell", s.cell_font) &&
        WriteFont(ini, "Fixed", s.fixed_font) && WriteFont(ini, "Header", s.header_font) &&
        WriteFont(ini, "Footer", s.footer_font) && ini.SetBool(kSection, "ShowDate", s.show_date) &&
        ini.SetText(kSection, "DateFormat", s.date_format) && ini.SetBool(kSection, "ShowTime", s.show_time) &&
        ini.SetText(kSection, "TimeFormat", s.time_format) &&
        ini.SetInteger(kSection, "DatePlace", static_cast<int>(s.date_place)) &&
        ini.SetBool(kSection, "ShowTitle", s.show_title) && ini.SetText(kSection, "Title", s.title) &&
        ini.SetInteger(kSection, "TitlePlace", static_cast<int>(s.title_place)) &&
        ini.SetBool(kSection, "PageNumbers", s.page_numbers) &&
        ini.SetInteger(kSection, "PageNumberPlace", static_cast<int>(s.page_number_place)) &&
        ini.SetText(kSection, "Paper", s.paper) && ini.SetInteger(kSection, "MarginTop", s.margin_top) &&
        ini.SetInteger(kSection, "MarginBottom", s.margin_bottom) &&
        ini.SetInteger(kSection, "MarginLeft", s.margin_left) &&
        ini.SetInteger(kSection, "MarginRight", s.margin_right) &&
        ini.SetInteger(kSection, "ColumnSpacing", s.column_spacing) &&
        ini.SetInteger(kSection, "RowSpacing", s.row_spacing) &&
        ini.SetInteger(kSection, "TitleSpacing", s.title_spacing) && ini.SetBool(kSection, "Landscape", s.landscape);
    return written && ini.Render(text);
}

std::string PrintSettingsPath(const std::string& folder)
{
    return folder.empty() ? std::string() : JoinPath(folder, kPrintSettingsFileName);
}

PrintSettings LoadPrintSettings(const std::string& folder)
{
    std::string text;
    if (ReadWholeFile(PrintSettingsPath(folder), text).status != FileStatus::Done) return {};
    return ParsePrintSettings(text);
}

FileResult SavePrintSettings(const std::string& folder, const PrintSettings& settings)
{
    if (folder.empty()) return SaveFailure(kPrintSettingsFileName, kDetailNoConfigFolder);
    const std::string path = PrintSettingsPath(folder);
    if (const FileResult made = MakeFolderFor(folder, path); made.status != FileStatus::Done) return made;
    std::string existing;
    const FileResult read = ReadWholeFile(path, existing);
    if (read.status == FileStatus::Failed) return read;
    std::string text;
    if (!PrintSettingsText(existing, settings, text)) return SaveFailure(path, kDetailNotIni);
    return ReplaceFileContents(path, text);
}

}  // namespace orvel
