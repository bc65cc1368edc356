// The editor's own clipboards of the preset grid: one preset and one bank of ten, each
// with the wah-pad function of the bank it was copied from, and the state of the two paste
// items. Both are empty at start, live for the whole run and never touch the controller,
// the preset file or the system clipboard.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "model/model_constants.h"
#include "model/preset_data.h"

namespace orvel {

class PresetTable;

// Where a paste item stands: nothing copied yet, a copy waiting (the item is enabled), or
// that copy pasted (disabled until the next copy).
enum class PasteStage { NothingCopied, Copied, Pasted };

// A paste item and the number of what was copied: the preset number (bank digit x 10 +
// preset digit) for a preset, the bank digit for a bank. The captions are the window's
// (ui/rules/popup_captions.h).
struct PasteItem {
    PasteStage stage = PasteStage::NothingCopied;
    std::uint8_t number = 0;

    bool Enabled() const { return stage == PasteStage::Copied; }
    bool operator==(const PasteItem&) const = default;
};

using BankCopy = std::array<PresetData, kPresetsPerBank>;

// Every row argument is a table row; a header row counts as the first preset row (2).
class PresetClipboard {
public:
    // The row's fields (texts as they stand, check boxes as their states) and its bank's
    // wah-pad flag go to the preset clipboard; the preset paste item names the row's preset
    // number and is enabled. The bank clipboard is not touched.
    void CopyPreset(const PresetTable& table, int row);

    // Writes the preset clipboard into every column of the row, active or not, applies its
    // modifier and sets the row's bank flag to the copied one; the preset paste item is
    // disabled. Returns false and changes nothing when the paste item is disabled (once per copy).
    bool PastePreset(PresetTable& table, int row);

    // The ten rows of the row's bank, each with the bank's wah-pad flag, go to the bank
    // clipboard; the bank paste item names the bank digit and is enabled. The preset
    // clipboard is not touched.
    void CopyBank(const PresetTable& table, int row);

    // Writes the bank clipboard into the ten rows of the row's bank, each with its modifier
    // applied, and sets that bank's flag to the copied one; the bank paste item is disabled.
    // Returns false and changes nothing when the paste item is disabled.
    bool PasteBank(PresetTable& table, int row);

    const PasteItem& PastePresetItem() const { return paste_preset_; }
    const PasteItem& PasteBankItem() const { return paste_bank_; }

    const std::optional<PresetData>& CopiedPreset() const { return preset_; }
    const std::optional<BankCopy>& CopiedBank() const { return bank_; }

private:
    std::optional<PresetData> preset_;
    std::optional<BankCopy> bank_;
    PasteItem paste_preset_;
    PasteItem paste_bank_;
};

}  // namespace orvel
