#include "ui/rules/field_names.h"

#include <cctype>
#include <vector>

#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "model/settings_entry.h"
#include "model/settings_tiles.h"
#include "ui/rules/grid_header_captions.h"

namespace orvel {

namespace {

// The words of a text, split at spaces.
std::vector<std::string> Words(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

bool IsNumber(std::string_view text)
{
    if (text.empty()) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

// The caption of a header row over a column, when one covers it.
const HeaderCaption* CaptionOver(const std::vector<HeaderCaption>& captions, int row, int column)
{
    for (const HeaderCaption& caption : captions) {
        const CellSpan& span = caption.span;
        if (row >= span.row && row < span.row + span.rows && column >= span.column &&
            column < span.column + span.columns)
            return &caption;
    }
    return nullptr;
}

std::string NameFromCaptions(const std::vector<HeaderCaption>& captions, int column)
{
    const HeaderCaption* top = CaptionOver(captions, 0, column);
    if (top == nullptr) return std::string();
    const HeaderCaption* below = CaptionOver(captions, 1, column);
    if (below == nullptr || below == top) return top->text;
    // The second header row names the column by a number, alone ("1" under "LOOP") or on
    // the second line of its own caption ("Ctrl\r1", and the numbers 4 to 7 over four columns).
    const std::size_t line_break = below->text.find('\r');
    const std::string first_line = below->text.substr(0, line_break);
    const std::vector<std::string> numbers =
        line_break == std::string::npos ? Words(below->text) : Words(below->text.substr(line_break + 1));
    const std::size_t at = static_cast<std::size_t>(column - below->span.column);
    if (at >= numbers.size() || !IsNumber(numbers[at])) return top->text;  // "Prog\rChang": the caption above names it
    const std::vector<std::string> words = Words(line_break == std::string::npos ? top->text : first_line);
    return (words.empty() ? std::string() : words.front()) + numbers[at];
}

std::string FirstWord(std::string_view caption)
{
    const std::vector<std::string> words = Words(caption);
    return words.empty() ? std::string() : words.front();
}

}  // namespace

bool SameFieldName(std::string_view a, std::string_view b)
{
    const auto next = [](std::string_view text, std::size_t& i) {
        while (i < text.size() && text[i] == ' ') ++i;
        return i < text.size() ? std::tolower(static_cast<unsigned char>(text[i++])) : -1;
    };
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        const int x = next(a, i);
        const int y = next(b, j);
        if (x != y) return false;
        if (x < 0) return true;
    }
}

std::string PresetFieldName(int column)
{
    static const std::vector<std::string> names = [] {
        const std::vector<HeaderCaption> captions = HeaderCaptions();
        std::vector<std::string> all;
        for (int c = 0; c < kColumnCount; ++c) all.push_back(NameFromCaptions(captions, c));
        return all;
    }();
    if (column < 0 || column >= kColumnCount) return std::string();
    return names[static_cast<std::size_t>(column)];
}

std::optional<int> PresetColumnNamed(std::string_view name)
{
    for (int column = 0; column < kColumnCount; ++column)
        if (SameFieldName(name, PresetFieldName(column))) return column;
    return std::nullopt;
}

std::string SettingsFieldShortName(int column)
{
    if (column < kSetupFirstChannelColumn || column >= kSetupColumnCount) return std::string();
    if (column < kSetupFirstCtrlColumn)
        return FirstWord(kSetupCaptionChannels) + std::to_string(column - kSetupFirstChannelColumn + 1);
    return FirstWord(kSetupCaptionCtrl) + std::to_string(column - kSetupFirstCtrlColumn + 1);
}

std::optional<int> SettingsColumnNamed(std::string_view name)
{
    for (int column = 0; column < kSetupColumnCount; ++column)
        if (SameFieldName(name, SettingsFieldShortName(column)) || SameFieldName(name, SettingsFieldName(column)))
            return column;
    return std::nullopt;
}

std::optional<int> TileNamed(std::string_view name)
{
    for (int tile = 1; tile <= kTileCount; ++tile)
        if (SameFieldName(name, BalloonTitle(tile))) return tile;
    return std::nullopt;
}

}  // namespace orvel
