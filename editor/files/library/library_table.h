// The library's table of presets: its columns, their captions (the preset grid's field
// names) and the texts of its cells, as the grid shows its values: check boxes of one kind
// share a column, each shown by its number when on and "-" when off (LOOP "1-3---").
#pragma once

#include <string>

#include "files/library/library_index.h"

namespace orvel {

enum LibraryColumn : int {
    kLibraryColumnFile,
    kLibraryColumnNumber,
    kLibraryColumnName,
    kLibraryColumnType,
    kLibraryColumnBuffer,
    kLibraryColumnLoops,
    kLibraryColumnSwitches,
    kLibraryColumnMidi1,
    kLibraryColumnMidi2,
    kLibraryColumnMidi3,
    kLibraryColumnFirstControl,
    kLibraryColumnAux = kLibraryColumnFirstControl + 7,
    kLibraryColumnCount,
};

// "File", "No.", "NAME", "TYPE", "BUFFER", "LOOP", "SWITCH", "MIDI1", "MIDI2", "MIDI3",
// "Ctrl 1" to "Ctrl 7", "AUX"; empty outside the columns.
std::string LibraryColumnCaption(int column);

// The text of a cell of the preset a search found; empty outside the columns.
std::string LibraryCellText(const LibraryFile& file, const LibraryPreset& preset, int column);

// A preset number as the grid's digits give it: two digits, "07", "37".
std::string TwoDigitNumber(int number);

}  // namespace orvel
