#include "model/preset_numbering.h"

#include "model/model_constants.h"

namespace orvel {

int BankDigitOfRow(int row)
{
    return (row / kPresetsPerBank + 1) % kBankCount;
}

int PresetDigitOfRow(int row)
{
    return (row % kPresetsPerBank + 1) % kPresetsPerBank;
}

std::uint8_t PresetOfRow(int row)
{
    return static_cast<std::uint8_t>(BankDigitOfRow(row) * 10 + PresetDigitOfRow(row));
}

int RowOfPreset(std::uint8_t preset)
{
    // Digit d is shown at place (d + 9) mod 10: digit 1 first, digit 0 last.
    const int bank_place = (preset / 10 + kBankCount - 1) % kBankCount;
    const int preset_place = (preset % 10 + kPresetsPerBank - 1) % kPresetsPerBank;
    return bank_place * kPresetsPerBank + preset_place;
}

}  // namespace orvel
