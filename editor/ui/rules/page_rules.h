// What the page shown decides. Plain functions, no toolkit.
#pragma once

namespace orvel {

// The pages, by their tab index.
enum class Page { Settings = 0, Presets = 1, Preview = 2, Library = 3 };

// The page-change rule: which "Data transfer" items are enabled and whether the live
// preview runs. "Check &default", the "&File" items and "Firmware upgrade" are not ruled.
struct PageTransferState {
    bool preset_items = false;    // all, bank and preset items with their separators
    bool settings_items = false;  // "Read settings", "Write settings"
    bool preview_timer = false;   // timercurrentpreset
    bool operator==(const PageTransferState&) const = default;
};
PageTransferState TransferStateOfPage(Page page);

// The page of a tab index (0 "Settings", 1 "Presets", 2 "Preview", 3 "Library"); other
// indexes are no page and rule like "Library": no item, no preview.
PageTransferState TransferStateOfPageIndex(int index);

}  // namespace orvel
