#include "model/preset_image.h"

#include <optional>

#include "model/model_constants.h"
#include "model/modifier.h"
#include "model/preset_entry.h"

namespace orvel {

namespace {

bool Bit(std::uint8_t byte, int bit)
{
    return ((byte >> bit) & 1) != 0;
}

std::uint8_t BitIf(bool on, int bit)
{
    return on ? static_cast<std::uint8_t>(1u << bit) : 0;
}

std::string ControlField(int index)
{
    return std::string(kFieldControlPrefix) + std::to_string(index + 1);
}

std::optional<int> EncodableNumber(const std::string& text)
{
    return ReadWholeNumber(text, kEncodableMin, kEncodableMax);
}

bool IsEncodableProgram(const std::string& text)
{
    return text == kUnusedText || EncodableNumber(text).has_value();
}

bool IsEncodableControl(const std::string& text)
{
    return text == kToggleText || text == kUnusedText || EncodableNumber(text).has_value();
}

// The first field, in grid column order, whose text has no byte on the controller: one that
// is not "unu", "tog" (controls) or a whole number 0 to 255, or a modifier of another name.
std::optional<PresetFieldFault> FindFault(const PresetData& preset)
{
    if (!ModifierOfText(preset.modifier))
        return PresetFieldFault{kColumnModifier, std::string(kFieldModifier), preset.modifier};
    if (!IsEncodableProgram(preset.midi1))
        return PresetFieldFault{kColumnMidi1, std::string(kFieldMidi1), preset.midi1};
    if (!IsEncodableProgram(preset.midi2))
        return PresetFieldFault{kColumnMidi2, std::string(kFieldMidi2), preset.midi2};
    if (!IsEncodableProgram(preset.midi3_pc))
        return PresetFieldFault{kColumnMidi3Program, std::string(kFieldMidi3), preset.midi3_pc};
    for (int i = 0; i < kControlCount; ++i) {
        if (!IsEncodableControl(preset.ctrls[i]))
            return PresetFieldFault{kFirstControlColumn + i, ControlField(i), preset.ctrls[i]};
    }
    return std::nullopt;
}

// Expects a text IsEncodableProgram accepts. MIDI 1 and 2 have no program above 128.
std::uint8_t ProgramByte(const std::string& text, bool clamp_to_128)
{
    if (text == kUnusedText) return kProgramUnusedCode;
    const int value = EncodableNumber(text).value_or(kProgramUnusedCode);
    if (clamp_to_128 && value > kProgramMax) return static_cast<std::uint8_t>(kProgramMax);
    return static_cast<std::uint8_t>(value);
}

// Expects a text IsEncodableControl accepts.
std::uint8_t ControlByte(const std::string& text)
{
    if (text == kToggleText) return kControlToggleCode;
    if (text == kUnusedText) return kControlUnusedCode;
    const int value = EncodableNumber(text).value_or(0);
    if (value == kControlMax) return kControl128Code;   // the byte 128 stands for "unu"
    return static_cast<std::uint8_t>(value);
}

std::string ProgramText(std::uint8_t byte)
{
    if (byte == kProgramUnusedCode) return std::string(kUnusedText);
    return std::to_string(byte);
}

std::string ControlText(std::uint8_t byte)
{
    if (byte == kControlToggleCode) return std::string(kToggleText);
    if (byte == kControlUnusedCode) return std::string(kUnusedText);
    if (byte == kControl128Code) return std::to_string(kControlMax);
    return std::to_string(byte);
}

}  // namespace

PresetImage DefaultPresetImage()
{
    PresetImage image{};
    for (int i = 0; i < kControlCount; ++i) image[kByteFirstControl + i] = kControlUnusedCode;
    return image;
}

bool EncodePreset(const PresetData& preset, PresetImage& image, PresetFieldFault* fault)
{
    if (const auto found = FindFault(preset)) {
        if (fault) *fault = *found;
        return false;
    }

    PresetImage encoded{};
    encoded[kByteLoops] = BitIf(preset.buffer, 0);
    for (int i = 0; i < kLoopCount; ++i) encoded[kByteLoops] |= BitIf(preset.loops[i], i + 1);
    for (int i = 0; i < kSwitchCount; ++i) encoded[kByteSwitches] |= BitIf(preset.switches[i], i);
    for (int i = 0; i < kAuxCount; ++i) encoded[kByteSwitches] |= BitIf(preset.aux[i], kBitFirstAux + i);
    encoded[kByteMidi1] = ProgramByte(preset.midi1, true);
    encoded[kByteMidi2] = ProgramByte(preset.midi2, true);
    encoded[kByteModifier] = ModifierCode(*ModifierOfText(preset.modifier));
    for (int i = 0; i < kControlCount; ++i)
        encoded[kByteFirstControl + i] = ControlByte(preset.ctrls[i]);
    encoded[kByteMidi3Program] = ProgramByte(preset.midi3_pc, false);

    image = encoded;
    return true;
}

void DecodePreset(const PresetImage& image, PresetData& preset)
{
    preset.modifier = std::string(ModifierText(ModifierOfCode(image[kByteModifier])));
    preset.buffer = Bit(image[kByteLoops], 0);
    for (int i = 0; i < kLoopCount; ++i) preset.loops[i] = Bit(image[kByteLoops], i + 1);
    for (int i = 0; i < kSwitchCount; ++i) preset.switches[i] = Bit(image[kByteSwitches], i);
    for (int i = 0; i < kAuxCount; ++i) preset.aux[i] = Bit(image[kByteSwitches], kBitFirstAux + i);
    preset.midi1 = ProgramText(image[kByteMidi1]);
    preset.midi2 = ProgramText(image[kByteMidi2]);
    preset.midi3_pc = ProgramText(image[kByteMidi3Program]);
    for (int i = 0; i < kControlCount; ++i) preset.ctrls[i] = ControlText(image[kByteFirstControl + i]);
}

}  // namespace orvel
