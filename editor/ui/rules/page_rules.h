// What the page shown decides, and the captions the "Data transfer" menu gives its bank and
// preset items when it opens. Plain functions, no toolkit.
#pragma once

#include <cstdint>
#include <string>

#include "ui/rules/window_constants.h"

namespace orvel {

// The page-change rule: which "Data transfer" items are enabled and whether the live
// preview runs. "Check &default", the "&File" items and "Firmware upgrade" are not ruled.
struct PageTransferState {
    bool preset_items = false;     // all, bank and preset items with their separators
    bool settings_items = false;   // "Read settings", "Write settings"
    bool preview_timer = false;    // timercurrentpreset
    bool operator==(const PageTransferState&) const = default;
};
PageTransferState TransferStateOfPage(Page page);

// The page of a tab index (0 "Settings", 1 "Presets", 2 "Preview", 3 "Library"); other
// indexes are no page and rule like "Library": no item, no preview.
PageTransferState TransferStateOfPageIndex(int index);

// Captions of Writebank1, Readbank1, Writepreset1 and Readpreset1 for a preset number
// (0 to 99): the bank digit after the bank items, the number in two digits after the
// preset items.
struct TransferCaptions {
    std::string write_bank;
    std::string read_bank;
    std::string write_preset;
    std::string read_preset;
    bool operator==(const TransferCaptions&) const = default;
};
TransferCaptions TransferCaptionsOfPreset(std::uint8_t preset_number);

}  // namespace orvel
