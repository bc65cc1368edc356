#include "model/modifier.h"

#include "model/model_constants.h"

namespace orvel {

std::optional<Modifier> ModifierOfText(std::string_view text)
{
    if (text == kModifierPreset) return Modifier::Preset;
    if (text == kModifierLoop) return Modifier::Loop;
    if (text == kModifierSwitch) return Modifier::Switch;
    if (text == kModifierMidi) return Modifier::Midi;
    return std::nullopt;
}

std::string_view ModifierText(Modifier modifier)
{
    switch (modifier) {
    case Modifier::Loop: return kModifierLoop;
    case Modifier::Switch: return kModifierSwitch;
    case Modifier::Midi: return kModifierMidi;
    case Modifier::Preset: break;
    }
    return kModifierPreset;
}

std::uint8_t ModifierCode(Modifier modifier)
{
    switch (modifier) {
    case Modifier::Loop: return kModifierCodeLoop;
    case Modifier::Switch: return kModifierCodeSwitch;
    case Modifier::Midi: return kModifierCodeMidi;
    case Modifier::Preset: break;
    }
    return kModifierCodePreset;
}

Modifier ModifierOfCode(std::uint8_t code)
{
    if ((code & kModifierPartFlag) == 0) return Modifier::Preset;
    if (code & kModifierLoopBit) return Modifier::Loop;
    if (code & kModifierSwitchBit) return Modifier::Switch;
    if (code & kModifierMidiBit) return Modifier::Midi;
    return Modifier::Preset;
}

bool IsColumnActive(Modifier modifier, int column)
{
    const bool loops = column >= kColumnBuffer && column <= kLastLoopColumn;
    const bool switches = column >= kFirstSwitchColumn && column <= kLastSwitchColumn;
    const bool midi = column >= kColumnMidi1 && column <= kLastControlColumn;
    const bool aux = column >= kFirstAuxColumn && column <= kLastAuxColumn;
    if (!loops && !switches && !midi && !aux) return true;

    switch (modifier) {
    case Modifier::Loop: return loops;
    case Modifier::Switch: return switches || aux;
    case Modifier::Midi: return midi;
    case Modifier::Preset: break;
    }
    return true;
}

}  // namespace orvel
