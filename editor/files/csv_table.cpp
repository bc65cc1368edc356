#include "files/csv_table.h"

namespace orvel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kRecordEnd = "\r\n";

bool NeedsQuotes(std::string_view value)
{
    if (value.find_first_of(",\"\r\n") != std::string_view::npos) return true;
    return !value.empty() && (value.front() == ' ' || value.back() == ' ');
}

void AppendValue(std::string& out, std::string_view value)
{
    if (!NeedsQuotes(value)) {
        out += value;
        return;
    }
    out += '"';
    for (char c : value) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

}  // namespace

std::string CsvText(const std::vector<CsvRecord>& records)
{
    std::string out;
    for (const CsvRecord& record : records) {
        for (std::size_t i = 0; i < record.size(); ++i) {
            if (i > 0) out += ',';
            AppendValue(out, record[i]);
        }
        out += kRecordEnd;
    }
    return out;
}

bool ReadCsv(std::string_view text, std::vector<CsvRecord>& records, std::string& problem)
{
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) text.remove_prefix(kByteOrderMark.size());
    std::vector<CsvRecord> read;
    CsvRecord record{std::string()};
    bool quoted = false;       // inside a quoted value
    bool after_quote = false;  // a quoted value has just closed
    bool started = false;      // the current record has begun (a value, a quote or a comma)
    const auto end_record = [&] {
        read.push_back(std::move(record));
        record = CsvRecord{std::string()};
        after_quote = false;
        started = false;
    };
    const auto record_number = [&] { return std::to_string(read.size() + 1); };

    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool line_end = c == '\n' || (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n');
        if (!line_end) started = true;
        if (quoted) {
            if (c != '"') {
                record.back() += c;
            } else if (i + 1 < text.size() && text[i + 1] == '"') {
                record.back() += '"';
                ++i;
            } else {
                quoted = false;
                after_quote = true;
            }
        } else if (c == ',') {
            record.emplace_back();
            after_quote = false;
        } else if (line_end) {
            if (c == '\r') ++i;
            end_record();
        } else if (after_quote) {
            problem = "row " + record_number() + ": something other than a comma follows a closing quote";
            return false;
        } else if (c == '"' && record.back().empty()) {
            quoted = true;
        } else {
            record.back() += c;
        }
    }
    if (quoted) {
        problem = "row " + record_number() + ": a quoted value is never closed";
        return false;
    }
    if (started) end_record();
    records = std::move(read);
    return true;
}

}  // namespace orvel
