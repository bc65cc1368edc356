#include "loader/header_table_check.h"

#include <cctype>
#include <optional>

#include "loader/c_integer_literal.h"
#include "loader/crc16_arc.h"
#include "loader/loader_constants.h"

namespace kpx2 {

namespace {

// The text without its comments (each replaced by a space).
std::string WithoutComments(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "//") {
            i = text.find('\n', i);
            if (i == std::string_view::npos) break;
            out += '\n';
        } else if (text.substr(i, 2) == "/*") {
            i = text.find("*/", i + 2);
            if (i == std::string_view::npos) break;
            ++i;
            out += ' ';
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) text.remove_suffix(1);
    return text;
}

std::string Unreadable(std::string_view token)
{
    return "\"" + std::string(token) + "\" cannot be read as an integer literal";
}

// The value text of `#define name`, or none when the header defines no such name.
std::optional<std::string_view> DefinedValue(std::string_view text, std::string_view name)
{
    const std::string directive = "#define " + std::string(name);
    std::size_t at = text.find(directive);
    while (at != std::string_view::npos) {
        const std::size_t after = at + directive.size();
        if (after < text.size() && std::isspace(static_cast<unsigned char>(text[after])) != 0) {
            const std::size_t end = text.find('\n', after);
            return Trim(text.substr(after, end == std::string_view::npos ? end : end - after));
        }
        at = text.find(directive, after);
    }
    return std::nullopt;
}

std::string Plural(std::size_t n, std::string_view one, std::string_view many)
{
    return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

HeaderTableCheck CheckHeaderTable(std::string_view header)
{
    HeaderTableCheck check;
    auto& problems = check.problems;
    const std::string text = WithoutComments(header);

    const std::optional<std::string_view> count = DefinedValue(text, "IloscDanychZPliku");
    const std::optional<std::uint64_t> read_count = count ? ReadIntegerLiteral(*count) : std::nullopt;
    const bool declared = read_count.has_value();
    const std::uint64_t declared_blocks = read_count.value_or(0);
    if (!count) {
        problems.push_back("IloscDanychZPliku: no block count is defined");
    } else if (!declared) {
        problems.push_back("IloscDanychZPliku: " + Unreadable(*count));
    } else if (declared_blocks != static_cast<std::uint64_t>(kImageBlockCount)) {
        problems.push_back("IloscDanychZPliku declares " + std::to_string(declared_blocks) + " blocks; the image has " +
                           std::to_string(kImageBlockCount));
    }

    const std::size_t name = text.find("TablicaDanych");
    const std::size_t equals = name == std::string::npos ? name : text.find('=', name);
    std::size_t at = equals == std::string::npos ? equals : text.find('{', equals);
    if (at == std::string::npos) {
        problems.push_back("TablicaDanych: no table of blocks");
        return check;
    }

    // The table: rows of byte values in braces, separated by commas, up to its closing brace.
    std::size_t blocks = 0;
    bool closed = false;
    for (++at; at < text.size();) {
        const char c = text[at];
        if (std::isspace(static_cast<unsigned char>(c)) != 0 || c == ',') {
            ++at;
            continue;
        }
        if (c == '}') {
            closed = true;
            break;
        }
        const std::string block = "block " + std::to_string(blocks);
        if (c != '{') {
            problems.push_back(block + ": a block line must start with '{'");
            return check;
        }
        const std::size_t end = text.find('}', at);
        if (end == std::string::npos) {
            problems.push_back(block + ": its line has no closing '}'");
            return check;
        }
        std::string_view row = std::string_view(text).substr(at + 1, end - at - 1);
        at = end + 1;

        std::size_t values = 0;
        std::uint16_t crc = 0;
        bool row_ok = true;
        while (!Trim(row).empty()) {
            const std::size_t comma = row.find(',');
            const std::string_view token = Trim(row.substr(0, comma));
            row = comma == std::string_view::npos ? std::string_view{} : row.substr(comma + 1);
            if (token.empty()) {
                problems.push_back(block + ": a value is missing after byte " + std::to_string(values));
                row_ok = false;
                break;
            }
            // Read as the compiler reads it: "0117" is the byte 79.
            const std::optional<std::uint64_t> value = ReadIntegerLiteral(token);
            if (!value || *value > 0xFF) {
                problems.push_back(block + ", byte " + std::to_string(values) + ": " +
                                   (value ? "\"" + std::string(token) + "\" is not a byte value" : Unreadable(token)));
                row_ok = false;
                break;
            }
            crc = Crc16ArcStep(crc, static_cast<std::uint8_t>(*value));
            ++values;
        }
        if (row_ok && values < kBlockSize) {
            problems.push_back(block + " has " + std::to_string(values) + " of its " + std::to_string(kBlockSize) +
                               " bytes: " + Plural(kBlockSize - values, "byte is", "bytes are") + " missing");
        } else if (row_ok && values > kBlockSize) {
            problems.push_back(block + " has " + std::to_string(values) + " bytes; a block holds " +
                               std::to_string(kBlockSize));
        }
        check.block_crcs.push_back(crc);
        ++blocks;
    }
    if (!closed) problems.push_back("TablicaDanych: the table has no closing '}'");

    if (declared && blocks != static_cast<std::size_t>(declared_blocks)) {
        if (blocks < static_cast<std::size_t>(declared_blocks)) {
            const std::size_t missing = static_cast<std::size_t>(declared_blocks) - blocks;
            problems.push_back("TablicaDanych has " + std::to_string(blocks) + " block lines for " +
                               std::to_string(declared_blocks) + " blocks: " +
                               (missing == 1 ? "block " + std::to_string(blocks) + " is missing"
                                             : "blocks " + std::to_string(blocks) + " to " +
                                                   std::to_string(declared_blocks - 1) + " are missing"));
        } else {
            problems.push_back("TablicaDanych has " + std::to_string(blocks) + " block lines for " +
                               std::to_string(declared_blocks) + " blocks");
        }
    }
    return check;
}

}  // namespace kpx2
