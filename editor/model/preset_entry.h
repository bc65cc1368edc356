// Entries typed into the preset grid, and the program and control texts the controller can take.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvel {

// Reads a whole number: decimal digits only (no sign, no spaces, leading zeros allowed).
// Returns the value when it lies in [low, high], nullopt otherwise.
std::optional<int> ReadWholeNumber(std::string_view text, int low, int high);

// The entry without the spaces (and tabs) around it.
std::string_view TrimmedEntry(std::string_view entry);

// The text with its ASCII letters in upper case, for entries that count in any case.
std::string UpperCase(std::string_view text);

// An entry that reads as a whole number in [low, high], after trimming, as its plain
// decimal text; nullopt otherwise.
std::optional<std::string> PlainNumberEntry(std::string_view entry, int low, int high);

// "unu" or a whole number 1 to 128.
bool IsProgramText(std::string_view text);

// "unu", "tog" or a whole number 0 to 128.
bool IsControlText(std::string_view text);

// Checks an entry typed into a cell of the given column. Returns the text to store, or
// nullopt when the entry is refused (the cell keeps its previous text). In the program and
// control columns spaces around the entry are dropped first and a number is stored as its
// plain decimal text ("007" stores "7"):
//  - program columns 15-17: "u"/"un" in any case, or exactly "unu", store "unu";
//    otherwise a whole number 1 to 128.
//  - control columns 18-24: as programs, and "t"/"to" in any case, or exactly "tog",
//    store "tog"; numbers 0 to 128.
//  - every other column takes any entry as it is.
std::optional<std::string> ValidatePresetEntry(int column, const std::string& entry);

}  // namespace orvel
