#include "model/preset_entry.h"

#include <cctype>

#include "model/model_constants.h"

namespace orvel {

std::string UpperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

namespace {

// "u" and "un" in any case are shorthands for "unu"; "unu" itself only in lower case.
bool MeansUnused(const std::string& entry)
{
    const std::string upper = UpperCase(entry);
    return upper == "U" || upper == "UN" || entry == kUnusedText;
}

// "t" and "to" in any case are shorthands for "tog"; "tog" itself only in lower case.
bool MeansToggle(const std::string& entry)
{
    const std::string upper = UpperCase(entry);
    return upper == "T" || upper == "TO" || entry == kToggleText;
}

bool IsProgramColumn(int column)
{
    return column >= kColumnMidi1 && column <= kColumnMidi3Program;
}

bool IsControlColumn(int column)
{
    return column >= kFirstControlColumn && column <= kLastControlColumn;
}

}  // namespace

std::optional<int> ReadWholeNumber(std::string_view text, int low, int high)
{
    if (text.empty()) return std::nullopt;
    long long value = 0;
    bool too_big = false;  // stop adding digits once past `high`: long entries cannot overflow
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (!too_big) {
            value = value * 10 + (c - '0');
            too_big = value > high;
        }
    }
    if (too_big || value < low) return std::nullopt;
    return static_cast<int>(value);
}

std::string_view TrimmedEntry(std::string_view entry)
{
    constexpr std::string_view kSpaces = " \t";
    const std::size_t first = entry.find_first_not_of(kSpaces);
    if (first == std::string_view::npos) return {};
    return entry.substr(first, entry.find_last_not_of(kSpaces) - first + 1);
}

std::optional<std::string> PlainNumberEntry(std::string_view entry, int low, int high)
{
    const std::optional<int> value = ReadWholeNumber(TrimmedEntry(entry), low, high);
    if (!value) return std::nullopt;
    return std::to_string(*value);
}

bool IsProgramText(std::string_view text)
{
    return text == kUnusedText || ReadWholeNumber(text, kProgramMin, kProgramMax).has_value();
}

bool IsControlText(std::string_view text)
{
    return text == kUnusedText || text == kToggleText || ReadWholeNumber(text, kControlMin, kControlMax).has_value();
}

std::optional<std::string> ValidatePresetEntry(int column, const std::string& entry)
{
    if (!IsProgramColumn(column) && !IsControlColumn(column)) return entry;
    const std::string trimmed(TrimmedEntry(entry));
    if (MeansUnused(trimmed)) return std::string(kUnusedText);
    if (IsProgramColumn(column)) return PlainNumberEntry(trimmed, kProgramMin, kProgramMax);
    if (MeansToggle(trimmed)) return std::string(kToggleText);
    return PlainNumberEntry(trimmed, kControlMin, kControlMax);
}

}  // namespace orvel
