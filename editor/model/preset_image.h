// The 16-byte controller form of a preset and its conversion to and from PresetData.
// Bytes 0-7 live in the controller block at the preset number, bytes 8-15 at the
// preset number + 100.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/preset_data.h"

namespace orvel {

using PresetImage = std::array<std::uint8_t, 16>;

// A preset field whose text the controller has no byte for (a hand-edited file can hold
// such values). `column` is the preset grid column of the field.
struct PresetFieldFault {
    int column = 0;
    std::string field;  // the field's caption, e.g. "MIDI1" or "Ctrl 3"
    std::string text;   // the offending text
};

// The image of a preset that nothing has written: "PRESET", nothing on, every MIDI output "unu".
PresetImage DefaultPresetImage();

// Encodes a preset. Every text that decoding gives encodes, and so does every text the grid
// accepts. Returns false, fills `fault` (when given) and leaves `image` untouched when the
// modifier is none of the four, or a program or control text is neither "unu", "tog"
// (controls only) nor a whole number 0 to 255.
bool EncodePreset(const PresetData& preset, PresetImage& image, PresetFieldFault* fault = nullptr);

// Decodes an image into a preset; the name and the bank function field are left as they were.
void DecodePreset(const PresetImage& image, PresetData& preset);

// The byte the controller stores for the text of a preset grid column that holds a text it
// stores (the type, the three programs, the seven controls), as EncodePreset puts it there:
// MIDI1 "200" is 128, a program "0" is 0 (read back as "unu"), a control "129" is 129 (read
// back as "128"), "222" is 222 ("tog"). None for a text it has no byte for, or another column.
std::optional<std::uint8_t> StoredByte(int column, const std::string& text);

// The text such a byte of that column reads back as, as DecodePreset gives it.
std::string StoredText(int column, std::uint8_t byte);

}  // namespace orvel
