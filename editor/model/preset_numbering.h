// Preset numbers and the rows of the preset grid.
//
// A preset number is bank digit x 10 + preset digit (0 to 99). The grid lists the banks in
// the order 1, 2, ..., 9, 0 and, inside a bank, the presets in the same order, so preset
// row 0 is preset 11, row 9 is preset 10, row 90 is preset 1 and row 99 is preset 0.
// Preset rows count from 0 at the first preset; the table adds its two header rows above.
#pragma once

#include <cstdint>

namespace orvel {

// Bank digit of a preset row (0 to 99).
int BankDigitOfRow(int row);

// Preset digit of a preset row (0 to 99).
int PresetDigitOfRow(int row);

// Preset number of a preset row (0 to 99).
std::uint8_t PresetOfRow(int row);

// Preset row (0 to 99) of a preset number (0 to 99).
int RowOfPreset(std::uint8_t preset);

}  // namespace orvel
