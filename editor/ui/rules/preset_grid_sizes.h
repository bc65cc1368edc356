// Pixel sizes of the preset grid for a screen size. The grid is laid out for a 1024 x 768
// design screen: a column of u width units is u x W / 1024 pixels, the grid is its columns
// plus 26 pixels wide, and each row's design height is multiplied by H / 768 rounded to a
// whole number first. Every rounding goes to the nearest whole number, halves to the even one.
#pragma once

#include <array>

#include "model/model_constants.h"

namespace orvel {

// Design heights in pixels at 768 screen lines. Header row 0 holds one line of caption,
// header row 1 two lines ("Prog", "Chang"); both together hold "BUFFER" turned on its side.
// A preset row holds a drop-down editor.
inline constexpr int kHeaderRow0DesignHeight = 20;
inline constexpr int kHeaderRow1DesignHeight = 32;
inline constexpr int kPresetRowDesignHeight = 22;

// Width units are 1/1024 of the desktop width (kDesignWidth).
inline constexpr std::array<int, kColumnCount> kColumnWidthUnits = {28, 15, 50, 77, 23,      // B, P, TYPE, NAME, BUFFER
                                                                    23, 23, 23, 23, 23, 23,  // LOOP 1-6
                                                                    23, 23, 23, 23,          // SWITCH 1-4
                                                                    46, 46, 46,  // MIDI1, MIDI2, MIDI3 programs
                                                                    46, 46, 46, 46, 46, 46, 46,  // controls 1-7
                                                                    23, 23};                     // AUX 1-2
// Pixels the grid has beside its columns (frame and vertical scroll bar).
inline constexpr int kGridExtraWidth = 26;

// Width of a grid column (0 to 26) in pixels; 0 outside.
int ColumnWidthPixels(int column, int screen_width);

// Width of the whole grid: every column plus kGridExtraWidth.
int GridWidthPixels(int screen_width);

// H / 768 rounded: the factor every design row height is multiplied by.
int RowHeightFactor(int screen_height);

// Height of a table row (0 and 1 header rows, 2 to 101 preset rows) in pixels.
int RowHeightPixels(int table_row, int screen_height);

}  // namespace orvel
