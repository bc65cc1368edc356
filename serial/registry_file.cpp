#include "serial/registry_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

#include "zudedize/zudedize_constants.h"

namespace zudedize {

namespace {

std::string Upper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

// Reads a quoted text with \\ and \" escapes from the start of `text`; advances past it.
std::optional<std::string> TakeQuoted(std::string_view& text)
{
    if (text.empty() || text.front() != '"') return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            text.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\' && i + 1 < text.size()) ++i;
        out.push_back(text[i]);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> ParseDword(std::string_view hex)
{
    if (hex.empty() || hex.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : hex) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : std::isxdigit(static_cast<unsigned char>(c))
                              ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                              : -1;
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return value;
}

// A value line: "name"=data or @=data. None for lines that are not one, or that delete.
std::optional<std::pair<std::string, RegistryValue>> ParseValueLine(std::string_view line)
{
    std::string name;
    if (!line.empty() && line.front() == '@') {
        line.remove_prefix(1);
    } else {
        auto quoted = TakeQuoted(line);
        if (!quoted) return std::nullopt;
        name = std::move(*quoted);
    }
    line = Trim(line);
    if (line.empty() || line.front() != '=') return std::nullopt;
    line = Trim(line.substr(1));
    RegistryValue value;
    if (!line.empty() && line.front() == '"') {
        auto text = TakeQuoted(line);
        if (!text) return std::nullopt;
        value.type = RegistryValue::Type::String;
        value.text = std::move(*text);
    } else if (Upper(line.substr(0, 6)) == "DWORD:") {
        const auto dword = ParseDword(Trim(line.substr(6)));
        if (!dword) return std::nullopt;
        value.type = RegistryValue::Type::Dword;
        value.dword = *dword;
    } else if (Upper(line.substr(0, 3)) == "HEX") {
        value.type = RegistryValue::Type::Other;
    } else {
        return std::nullopt;  // "-" deletes; anything else is not understood
    }
    return std::make_pair(std::move(name), std::move(value));
}

// The path below the machine root of a [key] line, or none for other roots.
std::optional<std::string_view> MachinePath(std::string_view key)
{
    for (const std::string_view root : {"HKEY_LOCAL_MACHINE", "HKLM"}) {
        if (Upper(key.substr(0, root.size())) != root) continue;
        std::string_view rest = key.substr(root.size());
        if (rest.empty()) return rest;
        if (rest.front() == '\\') return rest.substr(1);
    }
    return std::nullopt;
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";

void AppendUtf8(std::string& out, std::uint32_t code_point)
{
    if (code_point < 0x80) {
        out += static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        out += static_cast<char>(0xC0 | code_point >> 6);
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        out += static_cast<char>(0xE0 | code_point >> 12);
        out += static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | code_point >> 18);
        out += static_cast<char>(0x80 | (code_point >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (code_point >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (code_point & 0x3F));
    }
}

// UTF-16 little-endian (after its byte-order mark) as UTF-8; none when the units do not
// pair up (an odd byte count, a lone surrogate).
std::optional<std::string> Utf8OfUtf16Le(std::string_view bytes)
{
    if (bytes.size() % 2 != 0) return std::nullopt;
    std::string out;
    out.reserve(bytes.size() / 2);
    const auto unit = [&bytes](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
    };
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        std::uint32_t code_point = unit(i);
        if (code_point >= 0xDC00 && code_point <= 0xDFFF) return std::nullopt;
        if (code_point >= 0xD800 && code_point <= 0xDBFF) {
            if (i + 2 >= bytes.size()) return std::nullopt;
            const std::uint32_t low = unit(i + 2);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            code_point = 0x10000 + ((code_point - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        AppendUtf8(out, code_point);
    }
    return out;
}

// The file's text as UTF-8: as it is, after a UTF-8 byte-order mark, or converted from the
// UTF-16 little-endian form (with its mark) that registry exports normally have.
std::optional<std::string> TextOfFile(std::string_view bytes)
{
    if (bytes.starts_with(kUtf16LeMark)) return Utf8OfUtf16Le(bytes.substr(kUtf16LeMark.size()));
    if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
    return std::string(bytes);
}

}  // namespace

const RegistryValue* RegistryKey::Value(std::string_view name) const
{
    const std::string wanted = Upper(name);
    const RegistryValue* found = nullptr;
    for (const auto& [value_name, value] : values) {
        if (Upper(value_name) == wanted) found = &value;
    }
    return found;
}

std::optional<RegistryFile> RegistryFile::Load(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string content;
    content.resize(kRegistryFileMaxBytes);
    file.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(file.gcount()));
    return Parse(content);
}

std::optional<RegistryFile> RegistryFile::Parse(std::string_view bytes)
{
    const std::optional<std::string> text = TextOfFile(bytes);
    if (!text) return std::nullopt;
    const std::string_view content = *text;

    // Logical lines: a line ending in a backslash goes on in the next one.
    std::vector<std::string> lines;
    std::string pending;
    std::size_t start = 0;
    while (start <= content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string_view::npos) end = content.size();
        std::string_view line = Trim(content.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line.back() == '\\' && (line.front() == '"' || line.front() == '@' || !pending.empty())) {
            pending.append(line.substr(0, line.size() - 1));
            continue;
        }
        pending.append(line);
        lines.push_back(std::move(pending));
        pending.clear();
    }

    auto first = std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return !l.empty(); });
    if (first == lines.end()) return std::nullopt;
    const std::string_view header = Trim(*first);
    if (header != "REGEDIT4" && header != "Windows Registry Editor Version 5.00") return std::nullopt;

    RegistryFile registry;
    RegistryKey* current = nullptr;
    for (auto it = std::next(first); it != lines.end(); ++it) {
        const std::string_view line = Trim(*it);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            current = nullptr;
            if (line.back() != ']' || line.size() < 3 || line[1] == '-') continue;
            const auto path = MachinePath(line.substr(1, line.size() - 2));
            if (path) current = &registry.MakeKey(*path);
            continue;
        }
        if (current == nullptr) continue;
        if (auto value = ParseValueLine(line)) current->values.push_back(std::move(*value));
    }
    return registry;
}

RegistryKey& RegistryFile::MakeKey(std::string_view path)
{
    std::string upper_path;
    RegistryKey* key = &keys_[upper_path];  // the machine root
    while (!path.empty()) {
        const std::size_t cut = path.find('\\');
        const std::string_view name = path.substr(0, cut);
        path = cut == std::string_view::npos ? std::string_view{} : path.substr(cut + 1);
        if (name.empty()) continue;
        const std::string child = upper_path.empty() ? Upper(name) : upper_path + "\\" + Upper(name);
        if (keys_.find(child) == keys_.end()) key->subkeys.emplace_back(name);
        key = &keys_[child];
        upper_path = child;
    }
    return *key;
}

const RegistryKey* RegistryFile::Find(std::string_view path) const
{
    std::string wanted;
    while (!path.empty()) {
        const std::size_t cut = path.find('\\');
        const std::string_view name = path.substr(0, cut);
        path = cut == std::string_view::npos ? std::string_view{} : path.substr(cut + 1);
        if (name.empty()) continue;
        wanted = wanted.empty() ? Upper(name) : wanted + "\\" + Upper(name);
    }
    const auto it = keys_.find(wanted);
    return it == keys_.end() ? nullptr : &it->second;
}

}  // namespace zudedize
