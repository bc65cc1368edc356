// The eight option tiles: the codes each steps through when clicked, the balloon over it,
// and what the bank mode and AUX mode mean for the live preview. Tiles are numbered 1 to 8
// (asg1 to asg8); a number outside that range names no tile.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "model/settings_data.h"

namespace orvel {

// The codes of a tile in click order; empty for no tile.
std::span<const std::string_view> TileCodes(int tile);

// The code a click on the tile shows next: the code after `code` in click order (the last
// one wraps to the first); a code the tile does not know gives the tile's fallback code,
// except on tile 7, which then keeps `code`. No tile: `code` unchanged.
std::string ClickTile(int tile, std::string_view code);

// A click on tile 1 (bank mode) or tile 8 (AUX mode) makes the live preview forget the
// bank it shows, so that it draws the bank again.
bool TileClickResetsPreview(int tile);

// Title and help text of a tile's balloon ("\r" breaks a line); empty for no tile.
std::string_view BalloonTitle(int tile);
std::string_view BalloonText(int tile);

// Whether the preview labels the fifth and tenth footswitch of a bank "BANK DOWN" and
// "BANK UP": tile 1 shows "cb2" or "cb3" and tile 8 does not show "AF2".
bool ShowsBankStepLabels(const SettingsData& settings);

}  // namespace orvel
