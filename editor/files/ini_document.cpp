#include "files/ini_document.h"

#include "files/file_constants.h"

namespace orvel {

namespace {

constexpr long long kIntegerLimit = 1'000'000'000'000'000LL;

std::string OneLine(std::string_view value)
{
    std::string line(value);
    for (char& c : line) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return line;
}

// SimpleIni skips a line that opens a section name without closing it, yet files the keys
// after it under a section whose name runs on over the line break (and so could never be
// read back). Such a line is made a comment before parsing, which keeps it in the file and
// the keys after it in the section before it. SimpleIni reads no further than a NUL byte,
// and neither do we.
bool IsUnclosedSectionLine(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] == '[' && line.find(']', first) == std::string_view::npos;
}

// Whether any line of the text opens a section name without closing it.
bool HasUnclosedSection(std::string_view text)
{
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        if (IsUnclosedSectionLine(text.substr(start, end - start))) return true;
        start = end + 1;
    }
    return false;
}

std::string WithUnclosedSectionsCommented(std::string_view text)
{
    std::string fixed;
    fixed.reserve(text.size() + 16);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        if (IsUnclosedSectionLine(line)) {
            const std::size_t first = line.find_first_not_of(" \t");
            fixed.append(line.substr(0, first));
            fixed += ';';
            fixed.append(line.substr(first));
        } else {
            fixed.append(line);
        }
        if (end < text.size()) fixed += text[end];
        start = end + 1;
    }
    return fixed;
}

// A value read as a switch: a number, non-zero being true; `fallback` when missing or not a number.
bool BoolOf(std::optional<std::string_view> value, bool fallback)
{
    if (!value) return fallback;
    const std::optional<long long> number = ReadIniInteger(*value);
    return number ? *number != 0 : fallback;
}

}  // namespace

IniDocument::IniDocument() : ini_(false, false, false)
{
    ini_.SetSpaces(false);
}

bool IniDocument::Parse(std::string_view text)
{
    text = text.substr(0, text.find('\0'));
    // Most texts have no such line: they are parsed as they are, without a copy.
    if (!HasUnclosedSection(text)) return ini_.LoadData(text.data(), text.size()) >= 0;
    const std::string fixed = WithUnclosedSectionsCommented(text);
    return ini_.LoadData(fixed.data(), fixed.size()) >= 0;
}

bool IniDocument::HasSection(const std::string& section) const
{
    return ini_.GetSectionSize(section.c_str()) >= 0;
}

std::optional<std::string_view> IniDocument::Value(const std::string& section, const std::string& key) const
{
    const char* value = ini_.GetValue(section.c_str(), key.c_str(), nullptr);
    if (!value) return std::nullopt;
    return std::string_view(value);
}

std::string IniDocument::Text(const std::string& section, const std::string& key, std::string_view fallback) const
{
    return std::string(Value(section, key).value_or(fallback));
}

long long IniDocument::Integer(const std::string& section, const std::string& key, long long fallback) const
{
    const std::optional<std::string_view> value = Value(section, key);
    if (!value) return fallback;
    return ReadIniInteger(*value).value_or(fallback);
}

bool IniDocument::Bool(const std::string& section, const std::string& key, bool fallback) const
{
    return BoolOf(Value(section, key), fallback);
}

IniSectionKeys IniDocument::Section(const std::string& section) const
{
    return IniSectionKeys(ini_.GetSection(section.c_str()));
}

std::optional<std::string_view> IniSectionKeys::Value(const std::string& key) const
{
    if (keys_ == nullptr) return std::nullopt;
    const auto found = keys_->find(CSimpleIniA::Entry(key.c_str()));
    if (found == keys_->end() || found->second == nullptr) return std::nullopt;
    return std::string_view(found->second);
}

std::string IniSectionKeys::Text(const std::string& key, std::string_view fallback) const
{
    return std::string(Value(key).value_or(fallback));
}

bool IniSectionKeys::Bool(const std::string& key, bool fallback) const
{
    return BoolOf(Value(key), fallback);
}

bool IniDocument::SetText(const std::string& section, const std::string& key, std::string_view value)
{
    return ini_.SetValue(section.c_str(), key.c_str(), OneLine(value).c_str()) >= 0;
}

bool IniDocument::SetBool(const std::string& section, const std::string& key, bool value)
{
    return SetText(section, key, value ? kTrueText : kFalseText);
}

bool IniDocument::SetInteger(const std::string& section, const std::string& key, long long value)
{
    return SetText(section, key, std::to_string(value));
}

bool IniDocument::Render(std::string& text) const
{
    std::string rendered;
    if (ini_.Save(rendered) < 0) return false;
    text = std::move(rendered);
    return true;
}

std::optional<long long> ReadIniInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        if (value < kIntegerLimit) value = value * 10 + (c - '0');
    }
    if (value > kIntegerLimit) value = kIntegerLimit;
    return negative ? -value : value;
}

}  // namespace orvel
