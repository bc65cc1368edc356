// What each cell of the preset grid and of the settings grid accepts, in the words the user
// reads: the one wording of a refused entry ("\"0\" is not a MIDI1 value: enter 1 to 128 or
// unu."), built from the same limits the checks use, and the value a cleared cell takes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvel {

struct EntryRule {
    std::string field;     // the column in messages: "MIDI1", "Ctrl 3", "LOOP 2", "MIDI channel 1"
    std::string accepted;  // what it takes: "1 to 128 or unu"; empty where it takes nothing
};

// The rule of a preset grid column (typing and pasting): TYPE its four names, NAME at most
// 15 characters, check boxes 1, 0, true or false, programs 1 to 128 or unu, controls 0 to
// 128, tog or unu. The digit columns take nothing.
EntryRule PresetEntryRule(int column);

// The rule of a settings grid value column: channels 1 to 16, CTRL numbers 0 to 127.
EntryRule SettingsEntryRule(int column);

// "\"<entry>\" is not a <field> value: enter <accepted>." ("an" before a field that starts
// with a vowel; without the second part for a column that takes nothing).
std::string RefusedEntryText(const EntryRule& rule, std::string_view entry);

// The value Delete leaves in a preset cell, which the column's rule accepts: "" for NAME,
// "unu" for programs and controls, "0" (cleared) for check boxes. TYPE, whose list has no
// empty entry, and the digit columns have none.
std::optional<std::string> EmptyPresetEntry(int column);

}  // namespace orvel
