// The modifier of a preset: whether it acts as a whole or only on its loops, its switches
// or its MIDI part, with its text, its controller byte and the grid columns it leaves active.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace orvel {

enum class Modifier { Preset, Loop, Switch, Midi };

// The modifier a text names; nullopt for any text other than the four.
std::optional<Modifier> ModifierOfText(std::string_view text);

// "PRESET", "LOOP", "SWITCH" or "MIDI".
std::string_view ModifierText(Modifier modifier);

// The byte written to the controller: 0, 9, 10 or 12.
std::uint8_t ModifierCode(Modifier modifier);

// The modifier of a byte read from the controller: a part preset only when bit 3 is set,
// then loops before switches before MIDI.
Modifier ModifierOfCode(std::uint8_t code);

// Whether a column of a preset row is active (editable and drawn in its colour) under the
// modifier. Columns 0 to 3 do not depend on the modifier and are always active.
bool IsColumnActive(Modifier modifier, int column);

}  // namespace orvel
