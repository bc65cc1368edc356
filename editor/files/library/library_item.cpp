#include "files/library/library_item.h"

#include "files/preset_file.h"
#include "model/bank_rows.h"
#include "model/model_constants.h"

namespace orvel {

namespace {

constexpr std::string_view kPresetWord = "preset ";
constexpr std::string_view kBankWord = "bank ";

std::optional<int> SmallNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 2) return std::nullopt;
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

}  // namespace

std::string EncodeLibraryItem(const LibraryItem& item)
{
    return std::string(item.bank ? kBankWord : kPresetWord) + std::to_string(item.number) + '\n' + item.path;
}

std::optional<LibraryItem> DecodeLibraryItem(std::string_view data)
{
    const std::size_t line_end = data.find('\n');
    if (line_end == std::string_view::npos || line_end + 1 == data.size()) return std::nullopt;
    const std::string_view head = data.substr(0, line_end);
    LibraryItem item;
    item.path = std::string(data.substr(line_end + 1));
    item.bank = head.starts_with(kBankWord);
    if (!item.bank && !head.starts_with(kPresetWord)) return std::nullopt;
    const std::optional<int> number = SmallNumber(head.substr((item.bank ? kBankWord : kPresetWord).size()));
    if (!number || *number >= (item.bank ? kBankCount : kPresetCount)) return std::nullopt;
    item.number = static_cast<std::uint8_t>(*number);
    return item;
}

FileResult ReadLibraryItem(const LibraryItem& item, LibrarySource& source)
{
    const FileResult read = LoadPresetFile(item.path, source.table, source.settings);
    if (read.status != FileStatus::Done) return read;
    source.row = item.bank ? BankButtonRow(item.number) : TableRowOfPreset(item.number);
    return read;
}

}  // namespace orvel
