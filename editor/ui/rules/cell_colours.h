// The colours of preset table cells as data: a background role per cell (the window maps
// the platform roles to its own colours) and the text colour.
#pragma once

#include <cstdint>
#include <optional>

namespace orvel {

class PresetTable;

// Colours as 0xRRGGBB.
inline constexpr std::uint32_t kInactiveRgb = 0xC0C0C0;  // silver
inline constexpr std::uint32_t kLoopsRgb = 0xDBFEDA;     // light green
inline constexpr std::uint32_t kSwitchesRgb = 0xECEDFD;  // light lavender
inline constexpr std::uint32_t kWhiteRgb = 0xFFFFFF;
inline constexpr std::uint32_t kCurrentRowRgb = 0xFFFF00;  // yellow
inline constexpr std::uint32_t kTextRgb = 0x000000;        // black
// A cell, bank button or tile whose value differs from the controller's after "Compare with
// controller": light coral, apart from every other cell colour and the tiles' yellow.
inline constexpr std::uint32_t kDifferenceRgb = 0xFFA08C;
// The current cell of either grid, where typing, Space and paste act: a frame of this width
// in pixels, inside the cell, over whatever the cell shows.
inline constexpr std::uint32_t kCurrentCellFrameRgb = 0x000000;
inline constexpr int kCurrentCellFrameWidth = 2;
// Selected rows other than the current one: their own colour mixed with this share of the
// platform's selection colour.
inline constexpr int kSelectionTintPercent = 50;

enum class CellBackground {
    Fixed,       // header rows and digit columns: the platform's colour for fixed cells
    Inactive,    // silver
    Loops,       // buffer and loops, columns 4-10: light green
    Switches,    // switches, columns 11-14: light lavender
    Info,        // MIDI, columns 15-24: the platform's tooltip (information) background
    White,       // TYPE, NAME and AUX columns
    CurrentRow,  // active cells of the current row: yellow
};

struct CellColours {
    CellBackground background = CellBackground::White;
    std::uint32_t text_rgb = 0;  // 0xRRGGBB
};

// The colour of a role as 0xRRGGBB; nullopt for the platform roles Fixed and Info.
std::optional<std::uint32_t> RgbOfBackground(CellBackground background);

// Inactive cells are silver on silver whatever else holds; then the current row is yellow;
// otherwise the column decides.
CellColours ColoursOfCell(const PresetTable& table, int row, int column);

}  // namespace orvel
