#include "model/preset_image.h"

#include <optional>
#include <vector>

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

// Whether a preset grid column is one of the seven controls.
bool IsControlByteColumn(int column)
{
    return column >= kFirstControlColumn && column <= kLastControlColumn;
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
    if (value == kControlMax) return kControl128Code;  // the byte 128 stands for "unu"
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

// The stored texts of a preset in grid column order, with their columns and captions.
struct StoredField {
    int column;
    std::string field;
    const std::string& text;
};

std::vector<StoredField> StoredFields(const PresetData& preset)
{
    std::vector<StoredField> fields{{kColumnModifier, std::string(kFieldModifier), preset.modifier},
                                    {kColumnMidi1, std::string(kFieldMidi1), preset.midi1},
                                    {kColumnMidi2, std::string(kFieldMidi2), preset.midi2},
                                    {kColumnMidi3Program, std::string(kFieldMidi3), preset.midi3_pc}};
    for (int i = 0; i < kControlCount; ++i)
        fields.push_back({kFirstControlColumn + i, ControlField(i), preset.ctrls[static_cast<std::size_t>(i)]});
    return fields;
}

}  // namespace

PresetImage DefaultPresetImage()
{
    PresetImage image{};
    for (int i = 0; i < kControlCount; ++i) image[kByteFirstControl + i] = kControlUnusedCode;
    return image;
}

std::optional<std::uint8_t> StoredByte(int column, const std::string& text)
{
    if (column == kColumnModifier) {
        const std::optional<Modifier> modifier = ModifierOfText(text);
        if (!modifier) return std::nullopt;
        return ModifierCode(*modifier);
    }
    if (column == kColumnMidi1 || column == kColumnMidi2 || column == kColumnMidi3Program) {
        if (!IsEncodableProgram(text)) return std::nullopt;
        return ProgramByte(text, column != kColumnMidi3Program);
    }
    if (IsControlByteColumn(column) && IsEncodableControl(text)) return ControlByte(text);
    return std::nullopt;
}

std::string StoredText(int column, std::uint8_t byte)
{
    if (column == kColumnModifier) return std::string(ModifierText(ModifierOfCode(byte)));
    if (IsControlByteColumn(column)) return ControlText(byte);
    return ProgramText(byte);
}

bool EncodePreset(const PresetData& preset, PresetImage& image, PresetFieldFault* fault)
{
    // The first field, in grid column order, whose text has no byte on the controller.
    for (const StoredField& f : StoredFields(preset)) {
        if (StoredByte(f.column, f.text)) continue;
        if (fault) *fault = PresetFieldFault{f.column, f.field, f.text};
        return false;
    }
    const auto byte = [](int column, const std::string& text) { return *StoredByte(column, text); };

    PresetImage encoded{};
    encoded[kByteLoops] = BitIf(preset.buffer, 0);
    for (int i = 0; i < kLoopCount; ++i) encoded[kByteLoops] |= BitIf(preset.loops[i], i + 1);
    for (int i = 0; i < kSwitchCount; ++i) encoded[kByteSwitches] |= BitIf(preset.switches[i], i);
    for (int i = 0; i < kAuxCount; ++i) encoded[kByteSwitches] |= BitIf(preset.aux[i], kBitFirstAux + i);
    encoded[kByteMidi1] = byte(kColumnMidi1, preset.midi1);
    encoded[kByteMidi2] = byte(kColumnMidi2, preset.midi2);
    encoded[kByteModifier] = byte(kColumnModifier, preset.modifier);
    for (int i = 0; i < kControlCount; ++i)
        encoded[kByteFirstControl + i] = byte(kFirstControlColumn + i, preset.ctrls[i]);
    encoded[kByteMidi3Program] = byte(kColumnMidi3Program, preset.midi3_pc);

    image = encoded;
    return true;
}

void DecodePreset(const PresetImage& image, PresetData& preset)
{
    preset.modifier = StoredText(kColumnModifier, image[kByteModifier]);
    preset.buffer = Bit(image[kByteLoops], 0);
    for (int i = 0; i < kLoopCount; ++i) preset.loops[i] = Bit(image[kByteLoops], i + 1);
    for (int i = 0; i < kSwitchCount; ++i) preset.switches[i] = Bit(image[kByteSwitches], i);
    for (int i = 0; i < kAuxCount; ++i) preset.aux[i] = Bit(image[kByteSwitches], kBitFirstAux + i);
    preset.midi1 = StoredText(kColumnMidi1, image[kByteMidi1]);
    preset.midi2 = StoredText(kColumnMidi2, image[kByteMidi2]);
    preset.midi3_pc = StoredText(kColumnMidi3Program, image[kByteMidi3Program]);
    for (int i = 0; i < kControlCount; ++i)
        preset.ctrls[i] = StoredText(kFirstControlColumn + i, image[kByteFirstControl + i]);
}

}  // namespace orvel
