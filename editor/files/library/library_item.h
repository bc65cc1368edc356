// A preset or a bank of a library file, as the library hands it to the preset grid (dragged,
// or copied to the grid's popup clipboard), and its form as a drag's data.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "files/file_result.h"
#include "model/preset_table.h"
#include "model/settings_data.h"

namespace orvel {

inline constexpr std::string_view kLibraryItemMimeType = "application/x-orvel-library-item";

struct LibraryItem {
    std::string path;         // the preset file, bytes as the file system gives them
    bool bank = false;        // a whole bank rather than one preset
    std::uint8_t number = 0;  // the preset number, or the bank digit of a bank

    bool operator==(const LibraryItem&) const = default;
};

// "preset 37\n<path>" or "bank 3\n<path>".
std::string EncodeLibraryItem(const LibraryItem& item);
// nullopt for anything else (a number out of range, no path).
std::optional<LibraryItem> DecodeLibraryItem(std::string_view data);

// The set-up the item comes from, read from its file now, and the table row of the item in
// it (for a bank, its first row).
struct LibrarySource {
    PresetTable table;
    SettingsData settings;
    int row = 0;
};
FileResult ReadLibraryItem(const LibraryItem& item, LibrarySource& source);

}  // namespace orvel
