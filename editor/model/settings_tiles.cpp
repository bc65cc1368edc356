#include "model/settings_tiles.h"

#include <algorithm>
#include <array>
#include <optional>

#include "model/settings_constants.h"

namespace orvel {

namespace {

constexpr std::array<std::string_view, 4> kBankCodes = {kBankModeConstant, kBankModeHold, kBankModeUpDown,
                                                        kBankModeUpDownRecall};
constexpr std::array<std::string_view, 3> kWahPadCodes = {kWahPadOff, kWahPadWp, kWahPadTbwp};
constexpr std::array<std::string_view, 2> kSequenceCodes = {kSequencesAlways, kSequencesFirstPress};
constexpr std::array<std::string_view, 2> kTapTempoCodes = {kTapTempoOff, kTapTempoOn};
constexpr std::array<std::string_view, 3> kMidiModeCodes = {kMidiModeProgram, kMidiModeControls, kMidiModeAdvanced};
constexpr std::array<std::string_view, 4> kTunerCodes = {kTunerOutput, kTunerProcessor, kTunerOutputByFootswitch,
                                                         kTunerProcessorByFootswitch};
constexpr std::array<std::string_view, 2> kAuxCodes = {kAuxFunction1, kAuxFunction2};

struct Tile {
    std::span<const std::string_view> codes;
    std::optional<std::string_view> after_unknown;  // nullopt: an unknown code stays
};

const std::array<Tile, kTileCount> kTiles = {{
    {kBankCodes, kBankModeHold},
    {kWahPadCodes, kWahPadOff},
    {kWahLoopCodes, kWahLoopCodes[0]},
    {kSequenceCodes, kSequencesAlways},
    {kTapTempoCodes, kTapTempoOff},
    {kMidiModeCodes, kMidiModeProgram},
    {kTunerCodes, std::nullopt},
    {kAuxCodes, kAuxFunction1},
}};

bool IsTile(int tile)
{
    return tile >= 1 && tile <= kTileCount;
}

}  // namespace

std::span<const std::string_view> TileCodes(int tile)
{
    if (!IsTile(tile)) return {};
    return kTiles[static_cast<std::size_t>(tile - 1)].codes;
}

std::string ClickTile(int tile, std::string_view code)
{
    if (!IsTile(tile)) return std::string(code);
    const Tile& entry = kTiles[static_cast<std::size_t>(tile - 1)];
    const auto found = std::find(entry.codes.begin(), entry.codes.end(), code);
    if (found == entry.codes.end()) return std::string(entry.after_unknown.value_or(code));
    const auto next = found + 1;
    return std::string(next == entry.codes.end() ? entry.codes.front() : *next);
}

bool TileClickResetsPreview(int tile)
{
    return tile == 1 || tile == kTileCount;
}

std::string_view BalloonTitle(int tile)
{
    if (!IsTile(tile)) return {};
    return kBalloonTitles[static_cast<std::size_t>(tile - 1)];
}

std::string_view BalloonText(int tile)
{
    if (!IsTile(tile)) return {};
    return kBalloonTexts[static_cast<std::size_t>(tile - 1)];
}

bool ShowsBankStepLabels(const SettingsData& settings)
{
    const std::string& bank_mode = settings.keys[0];
    const bool steps = bank_mode == kBankModeUpDown || bank_mode == kBankModeUpDownRecall;
    return steps && settings.keys[kTileCount - 1] != kAuxFunction2;
}

}  // namespace orvel
