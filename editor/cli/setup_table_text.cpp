#include "cli/setup_table_text.h"

#include <algorithm>
#include <vector>

#include "model/bank_functions.h"
#include "model/model_constants.h"
#include "model/preset_numbering.h"
#include "model/settings_entry.h"
#include "model/settings_tiles.h"
#include "ui/rules/field_names.h"
#include "ui/rules/grid_header_captions.h"

namespace orvel {

namespace {

std::size_t CharacterCount(std::string_view text)
{
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

template <std::size_t N>
std::string FlagRun(const std::array<bool, N>& flags)
{
    std::string run;
    for (std::size_t i = 0; i < N; ++i) run += flags[i] ? static_cast<char>('1' + i) : '-';
    return run;
}

std::vector<std::string> PresetLine(int preset_row, const PresetData& p)
{
    std::vector<std::string> line{std::to_string(BankDigitOfRow(preset_row)),
                                  std::to_string(PresetDigitOfRow(preset_row)),
                                  p.modifier,
                                  p.name,
                                  p.buffer ? "x" : "-",
                                  FlagRun(p.loops),
                                  FlagRun(p.switches),
                                  p.midi1,
                                  p.midi2,
                                  p.midi3_pc};
    line.insert(line.end(), p.ctrls.begin(), p.ctrls.end());
    line.push_back(FlagRun(p.aux));
    return line;
}

std::vector<std::string> HeaderLine()
{
    std::vector<std::string> line;
    for (int column : {kColumnBank, kColumnPreset, kColumnModifier, kColumnName, kColumnBuffer})
        line.push_back(PresetFieldName(column));
    line.push_back(std::string(kCaptionLoop));
    line.push_back(std::string(kCaptionSwitch));
    for (int column = kColumnMidi1; column <= kLastControlColumn; ++column) line.push_back(PresetFieldName(column));
    line.push_back(std::string(kCaptionAux));
    return line;
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string line;
    for (std::size_t i = 0; i < texts.size(); ++i) line += (i == 0 ? "" : ", ") + texts[i];
    return line;
}

}  // namespace

std::string SetupTableText(const PresetTable& table, const SettingsData& settings)
{
    std::vector<std::vector<std::string>> lines{HeaderLine()};
    for (int r = 0; r < kPresetCount; ++r) lines.push_back(PresetLine(r, table.GetRow(kHeaderRowCount + r)));
    std::vector<std::size_t> widths(lines.front().size(), 0);
    for (const auto& line : lines)
        for (std::size_t i = 0; i < line.size(); ++i) widths[i] = std::max(widths[i], CharacterCount(line[i]));

    std::string text;
    for (const auto& line : lines) {
        std::string row;
        for (std::size_t i = 0; i < line.size(); ++i) {
            row += line[i];
            if (i + 1 < line.size()) row += std::string(widths[i] - CharacterCount(line[i]) + 1, ' ');
        }
        text += row + '\n';
    }

    std::vector<std::string> banks;
    for (int r = 0; r < kPresetCount; r += kPresetsPerBank) {
        const int bank = BankDigitOfRow(r);
        banks.push_back(std::to_string(bank) + " " + std::string(BankFunctionCaption(table.BankFunction(bank))));
    }
    std::vector<std::string> channels(settings.midi_channels.begin(), settings.midi_channels.end());
    std::vector<std::string> ctrls(settings.ctrl_numbers.begin(), settings.ctrl_numbers.end());
    text += "bank functions: " + Joined(banks) + '\n';
    text += "MIDI channels: " + Joined(channels) + '\n';
    text += "CTRL numbers: " + Joined(ctrls) + '\n';
    for (int tile = 1; tile <= kTileCount; ++tile)
        text += std::string(BalloonTitle(tile)) + ": " + settings.keys[static_cast<std::size_t>(tile - 1)] + '\n';
    return text;
}

}  // namespace orvel
