// The captions of the preset grid's popup menu and the "Data transfer" menu: the captions
// their items are created with, the captions that name the current row's bank and preset
// when a menu opens, and the captions of the two paste items as the clipboard stands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/preset_clipboard.h"

namespace orvel {

class PresetTable;

// Captions of the popup's items as created ("&" marks the access key).
inline constexpr std::string_view kCopyBankCaption = "&Copy bank";
inline constexpr std::string_view kPasteBankCaption = "&Paste bank";
inline constexpr std::string_view kCopyPresetCaption = "C&opy preset";
inline constexpr std::string_view kPastePresetCaption = "P&aste preset";
inline constexpr std::string_view kReadBankCaption = "Read bank";
inline constexpr std::string_view kWriteBankCaption = "Write bank ";
inline constexpr std::string_view kReadPresetCaption = "Read preset";
inline constexpr std::string_view kWritePresetCaption = "Write preset ";

// The captions a menu gives its bank and preset items when it opens.
struct RowCommandCaptions {
    std::string copy_bank;     // "Copy bank " + b
    std::string copy_preset;   // "Copy preset " + NN
    std::string read_bank;     // "Read bank " + b
    std::string write_bank;    // "Write bank " + b
    std::string read_preset;   // "Read preset " + NN
    std::string write_preset;  // "Write preset " + NN

    bool operator==(const RowCommandCaptions&) const = default;
};

// A preset number as two digits, "0" in front below 10: 7 -> "07".
std::string TwoDigitPreset(std::uint8_t preset);

// The captions for a row, its numbers read from its digit columns (NN = the preset number
// as two digits, b = its bank digit, NN div 10).
RowCommandCaptions CaptionsForRow(const PresetTable& table, int table_row);

// The paste items: as created until the first copy, then "Paste preset NN" / "Paste bank b"
// naming what was copied, then "Paste preset " / "Paste bank" once it has been pasted.
std::string PastePresetCaption(const PasteItem& item);
std::string PasteBankCaption(const PasteItem& item);

}  // namespace orvel
