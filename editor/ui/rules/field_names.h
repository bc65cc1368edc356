// The names of a set-up's fields on the command line and in CSV, made from the grids' own
// captions: a caption over one column names it ("TYPE", "MIDI1"); a caption over several
// columns names each of them by its first word and the number the second header row shows
// over that column ("LOOP1", "Ctrl4"). The settings grid's value cells are named the same
// way ("MIDI1" is MIDI channel 1, "Ctrl2" CTRL number 2) or by their names in messages
// ("MIDI channel 1", "CTRL number 2"); an option tile by its balloon title ("TUNER MODE").
// Names match without regard to case and to spaces: "ctrl 7", "Ctrl7" and "CTRL7" are one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orvel {

// The name of a preset grid column: "B", "P", "TYPE", "NAME", "BUFFER", "LOOP1" to "LOOP6",
// "SWITCH1" to "SWITCH4", "MIDI1", "MIDI2", "MIDI3" (its program), "Ctrl1" to "Ctrl7",
// "AUX1", "AUX2"; empty outside columns 0-26.
std::string PresetFieldName(int column);

// The preset grid column a name names.
std::optional<int> PresetColumnNamed(std::string_view name);

// The short name of a settings grid value column: "MIDI1" to "MIDI3", "Ctrl1" to "Ctrl7";
// empty outside columns 0-9.
std::string SettingsFieldShortName(int column);

// The settings grid value column a name names, by its short name or its name in messages.
std::optional<int> SettingsColumnNamed(std::string_view name);

// The option tile (1 to 8) whose balloon title is the name.
std::optional<int> TileNamed(std::string_view name);

// Whether two names are the same field's: equal but for the case of ASCII letters and spaces.
bool SameFieldName(std::string_view a, std::string_view b);

}  // namespace orvel
