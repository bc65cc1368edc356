// The editor's own clipboards of the preset grid: one preset and one bank of ten, each
// with the wah-pad function of the bank it was copied from, and the state of the two paste
// items. Both are empty at start, live for the whole run and never touch the controller,
// the preset file or the system clipboard.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "model/model_constants.h"
#include "model/preset_data.h"

namespace orvel {

class PresetTable;

// Caption and enabled state of a menu item.
struct MenuItemState {
    std::string caption;
    bool enabled = false;

    bool operator==(const MenuItemState&) const = default;
};

using BankCopy = std::array<PresetData, kPresetsPerBank>;

// Every row argument is a table row; a header row counts as the first preset row (2).
class PresetClipboard {
public:
    PresetClipboard();

    // The row's fields (texts as they stand, check boxes as their states) and its bank's
    // wah-pad flag go to the preset clipboard; "Paste preset NN" is enabled. The bank
    // clipboard is not touched.
    void CopyPreset(const PresetTable& table, int row);

    // Writes the preset clipboard into every column of the row, active or not, applies its
    // modifier and sets the row's bank flag to the copied one; "Paste preset " is disabled.
    // Returns false and changes nothing when the paste item is disabled (once per copy).
    bool PastePreset(PresetTable& table, int row);

    // The ten rows of the row's bank, each with the bank's wah-pad flag, go to the bank
    // clipboard; "Paste bank b" is enabled. The preset clipboard is not touched.
    void CopyBank(const PresetTable& table, int row);

    // Writes the bank clipboard into the ten rows of the row's bank, each with its modifier
    // applied, and sets that bank's flag to the copied one; "Paste bank" is disabled.
    // Returns false and changes nothing when the paste item is disabled.
    bool PasteBank(PresetTable& table, int row);

    const MenuItemState& PastePresetItem() const { return paste_preset_; }
    const MenuItemState& PasteBankItem() const { return paste_bank_; }

    const std::optional<PresetData>& CopiedPreset() const { return preset_; }
    const std::optional<BankCopy>& CopiedBank() const { return bank_; }

private:
    std::optional<PresetData> preset_;
    std::optional<BankCopy> bank_;
    MenuItemState paste_preset_;
    MenuItemState paste_bank_;
};

}  // namespace orvel
