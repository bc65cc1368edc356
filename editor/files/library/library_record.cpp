#include "files/library/library_record.h"

#include "files/file_constants.h"
#include "files/preset_file.h"
#include "model/model_constants.h"
#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel {

namespace {

constexpr unsigned char kUtf8LatinLead = 0xC3;
constexpr unsigned char kUtf8UpperFirst = 0x80;  // U+00C0
constexpr unsigned char kUtf8UpperLast = 0x9E;   // U+00DE
constexpr unsigned char kUtf8Multiply = 0x97;    // U+00D7, no letter
constexpr unsigned char kUtf8CaseStep = 0x20;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

void AddText(LibraryPreset& record, int which, std::string_view text)
{
    if (text.size() > kLibraryTextMaxBytes) {
        // Cut at a character's start, so that no half character is shown.
        std::size_t end = kLibraryTextMaxBytes;
        while (end > 0 && IsContinuationByte(text[end])) --end;
        text = text.substr(0, end);
    }
    record.texts.append(text);
    record.text_lengths[static_cast<std::size_t>(which)] = static_cast<std::uint8_t>(text.size());
}

void SetFlag(LibraryPreset& record, int bit, bool on)
{
    if (on) record.flags = static_cast<std::uint16_t>(record.flags | (1U << bit));
}

// The reason a reader gave, without the "Cannot read "<path>": " it starts with.
std::string ReasonWithoutPath(const std::string& reason, const std::string& path)
{
    const std::string prefix = std::string(kReadFailedPrefix) + '"' + path + "\": ";
    if (reason.compare(0, prefix.size(), prefix) == 0) return reason.substr(prefix.size());
    return reason;
}

}  // namespace

std::string_view LibraryPreset::Text(int which) const
{
    if (which < 0 || which >= kLibraryTextCount) return {};
    std::size_t start = 0;
    for (int i = 0; i < which; ++i) start += text_lengths[static_cast<std::size_t>(i)];
    return std::string_view(texts).substr(start, text_lengths[static_cast<std::size_t>(which)]);
}

LibraryPreset MakeLibraryPreset(std::uint8_t number, const PresetData& preset)
{
    LibraryPreset record;
    record.number = number;
    record.name = preset.name;
    record.folded_name = FoldForSearch(preset.name);
    record.texts.reserve(preset.modifier.size() + 3 * 3 + kControlCount * 3);
    AddText(record, kLibraryTextType, preset.modifier);
    AddText(record, kLibraryTextMidi1, preset.midi1);
    AddText(record, kLibraryTextMidi1 + 1, preset.midi2);
    AddText(record, kLibraryTextMidi1 + 2, preset.midi3_pc);
    for (int i = 0; i < kControlCount; ++i)
        AddText(record, kLibraryTextFirstControl + i, preset.ctrls[static_cast<std::size_t>(i)]);
    SetFlag(record, kLibraryFlagBuffer, preset.buffer);
    for (int i = 0; i < kLoopCount; ++i)
        SetFlag(record, kLibraryFlagFirstLoop + i, preset.loops[static_cast<std::size_t>(i)]);
    for (int i = 0; i < kSwitchCount; ++i)
        SetFlag(record, kLibraryFlagFirstSwitch + i, preset.switches[static_cast<std::size_t>(i)]);
    for (int i = 0; i < kAuxCount; ++i)
        SetFlag(record, kLibraryFlagFirstAux + i, preset.aux[static_cast<std::size_t>(i)]);
    return record;
}

LibraryFile ReadLibraryFile(const LibraryEntry& entry, const std::string& folder)
{
    LibraryFile file;
    file.path = entry.path;
    file.folder = folder;
    file.shown_name = ShownNameBelow(entry.path, folder);
    file.folded_name = FoldForSearch(file.shown_name);
    file.modified_ns = entry.modified_ns;
    file.size = entry.size;

    PresetTable table;
    SettingsData settings;
    const FileResult read = LoadPresetFile(entry.path, table, settings);
    if (read.status != FileStatus::Done) {
        file.reason = read.status == FileStatus::NotFound ? std::string("the file is gone")
                                                          : ReasonWithoutPath(read.reason, entry.path);
        return file;
    }
    file.preset_file = true;
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row) {
        const TableCell& name = table.Cell(row, kColumnName);
        if (!IsNamed(name.text)) continue;
        file.presets.push_back(MakeLibraryPreset(table.PresetNumberOfRow(row).value_or(0), table.GetRow(row)));
    }
    return file;
}

std::string ShownNameBelow(const std::string& path, const std::string& folder)
{
    if (folder.empty() || path.size() <= folder.size() || !IsInFolder(path, folder)) return path;
    return path.substr(folder.size() + (folder.back() == '/' ? 0 : 1));
}

bool IsNamed(std::string_view name)
{
    return name.find_first_not_of(' ') != std::string_view::npos;
}

std::string FoldForSearch(std::string_view text)
{
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        auto c = static_cast<unsigned char>(folded[i]);
        if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c - 'A' + 'a');
        } else if (c == kUtf8LatinLead && i + 1 < folded.size()) {
            const auto next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= kUtf8UpperFirst && next <= kUtf8UpperLast && next != kUtf8Multiply)
                folded[i + 1] = static_cast<char>(next + kUtf8CaseStep);
            ++i;
        }
    }
    return folded;
}

}  // namespace orvel
