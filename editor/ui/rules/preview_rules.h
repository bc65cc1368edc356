// The live preview's picture of the active bank: where the ten boxes go, which one is red,
// what each box reads and how a long label wraps. Plain functions, no toolkit. Positions
// are in the preview picture's design pixels.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/preset_table.h"

namespace orvel {

inline constexpr int kPreviewBoxWidth = 600;
inline constexpr int kPreviewBoxStep = 750;
inline constexpr int kPreviewLowerRowY = 850;
inline constexpr int kPreviewLowerRowX = 100;
inline constexpr int kPreviewUpperRowY = 300;
inline constexpr int kPreviewUpperRowX = 460;
inline constexpr int kPreviewBankDigitX = 185;
inline constexpr int kPreviewBankDigitY = 190;
inline constexpr int kPreviewTextPoints = 84;           // at 96 dots per inch
inline constexpr std::size_t kPreviewFirstLineMax = 8;  // characters of a wrapped name's first line
inline constexpr int kPreviewBoxCount = 10;

// The bank and preset digits the controller reported; nothing when either is above 9.
struct ShownDigits {
    std::uint8_t bank = 0;
    std::uint8_t preset = 0;
    bool operator==(const ShownDigits&) const = default;
};
std::optional<ShownDigits> PreviewDigits(std::uint8_t bank_digit, std::uint8_t preset_digit);

struct PreviewPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PreviewPoint&) const = default;
};
// Box k (0 to 9; the bank's presets with preset digits 1 to 9, then 0): 0 to 4 the lower
// row, 5 to 9 the upper row.
PreviewPoint PreviewBoxOrigin(int k);
// Box k is red when it holds the active preset digit.
bool PreviewBoxActive(int k, std::uint8_t preset_digit);

// The point size of the preview's texts for the screen's dots per inch, rounded.
int PreviewTextPoints(double screen_dpi);

// The ten labels of a bank: the names of its rows; with tile 1 "cb2" or "cb3" and tile 8 not
// "AF2", boxes 4 and 9 read "BANK DOWN" and "BANK UP". Empty names when no row holds the bank.
std::array<std::string, kPreviewBoxCount> PreviewLabels(const PresetTable& table, std::uint8_t bank_digit,
                                                        const std::string& tile1, const std::string& tile8);

// A label too wide for its box: the first line is its characters up to the first space, at
// most 8; the second the rest, without the space at the split. Characters count as UTF-8
// code points.
struct WrappedLabel {
    std::string first;
    std::string second;
    bool operator==(const WrappedLabel&) const = default;
};
WrappedLabel WrapPreviewLabel(const std::string& label);

// Where a line of the given width starts in box x: centred.
int PreviewCentredX(int box_x, int text_width);

}  // namespace orvel
