// What the library knows of one file: where it is, when it changed, whether it is a preset
// file (and why not), and its named presets with the texts the preset grid shows for them.
// A record is made from the file through the preset file's own reader, all of it or none:
// a file that is not a preset file contributes no preset.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/library/library_listing.h"
#include "model/preset_data.h"

namespace orvel {

// The grid texts a library preset keeps: TYPE, MIDI1, MIDI2, MIDI3 (program) and Ctrl1 to
// Ctrl7, in that order.
inline constexpr int kLibraryTextType = 0;
inline constexpr int kLibraryTextMidi1 = 1;
inline constexpr int kLibraryTextFirstControl = 4;
inline constexpr int kLibraryTextCount = 11;

// A text longer than this (only a damaged or foreign file has one) is kept cut short.
inline constexpr std::size_t kLibraryTextMaxBytes = 255;

// One named preset, kept small: a library of a thousand files holds a hundred thousand.
struct LibraryPreset {
    std::string name;
    std::string folded_name;  // FoldForSearch(name)
    std::string texts;        // the grid texts one after another; text_lengths cut them apart
    std::array<std::uint8_t, kLibraryTextCount> text_lengths{};
    std::uint16_t flags = 0;  // LibraryFlag bits
    std::uint8_t number = 0;  // preset number, bank digit x 10 + preset digit

    std::string_view Text(int which) const;  // empty outside 0 to kLibraryTextCount - 1
    bool Flag(int bit) const { return (flags >> bit) & 1U; }
};

// Bits of LibraryPreset::flags: BUFFER, LOOP 1-6, SWITCH 1-4, AUX 1-2.
inline constexpr int kLibraryFlagBuffer = 0;
inline constexpr int kLibraryFlagFirstLoop = 1;
inline constexpr int kLibraryFlagFirstSwitch = 7;
inline constexpr int kLibraryFlagFirstAux = 11;

struct LibraryFile {
    std::string path;
    std::string folder;       // the library folder it was found under
    std::string shown_name;   // its path below that folder ("live/gig.ini")
    std::string folded_name;  // FoldForSearch(shown_name)
    std::int64_t modified_ns = 0;
    std::int64_t size = 0;
    bool preset_file = false;
    std::string reason;                  // why it is not read as a preset file; empty when it is
    std::vector<LibraryPreset> presets;  // its named presets, in the grid's order
};

// The record of one preset (its name, number, texts and flags).
LibraryPreset MakeLibraryPreset(std::uint8_t number, const PresetData& preset);

// Reads the file through LoadPresetFile. A file that cannot be read or is not a preset file
// gives a record with preset_file false, the reason and no presets.
LibraryFile ReadLibraryFile(const LibraryEntry& entry, const std::string& folder);

// The path of a file below its library folder ("live/gig.ini"); the path itself when it is
// not below the folder.
std::string ShownNameBelow(const std::string& path, const std::string& folder);

// Whether a name counts as one: it has something other than spaces.
bool IsNamed(std::string_view name);

// A text made ready for a search that ignores case: ASCII letters and the accented Latin
// letters of UTF-8 (U+00C0 to U+00DE) in lower case, every other byte as it is.
std::string FoldForSearch(std::string_view text);

}  // namespace orvel
