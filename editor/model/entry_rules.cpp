#include "model/entry_rules.h"

#include "model/cell_editor.h"
#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "model/settings_entry.h"

namespace orvel {

namespace {

std::string Range(int low, int high)
{
    return std::to_string(low) + " to " + std::to_string(high);
}

std::string Numbered(std::string_view field, int number)
{
    return std::string(field) + " " + std::to_string(number);
}

std::string ProgramsAccepted()
{
    return Range(kProgramMin, kProgramMax) + " or " + std::string(kUnusedText);
}

std::string ControlsAccepted()
{
    return Range(kControlMin, kControlMax) + ", " + std::string(kToggleText) + " or " + std::string(kUnusedText);
}

std::string ModifiersAccepted()
{
    return std::string(kModifierPreset) + ", " + std::string(kModifierLoop) + ", " + std::string(kModifierSwitch) +
           " or " + std::string(kModifierMidi);
}

constexpr std::string_view kCheckBoxAccepted = "1, 0, true or false";

}  // namespace

EntryRule PresetEntryRule(int column)
{
    if (column == kColumnModifier) return {std::string(kFieldModifier), ModifiersAccepted()};
    if (column == kColumnName)
        return {std::string(kFieldName), "at most " + std::to_string(kNameMaxLength) + " characters"};
    if (column == kColumnBuffer) return {std::string(kFieldBuffer), std::string(kCheckBoxAccepted)};
    if (column >= kFirstLoopColumn && column <= kLastLoopColumn)
        return {Numbered(kFieldLoop, column - kFirstLoopColumn + 1), std::string(kCheckBoxAccepted)};
    if (column >= kFirstSwitchColumn && column <= kLastSwitchColumn)
        return {Numbered(kFieldSwitch, column - kFirstSwitchColumn + 1), std::string(kCheckBoxAccepted)};
    if (column == kColumnMidi1) return {std::string(kFieldMidi1), ProgramsAccepted()};
    if (column == kColumnMidi2) return {std::string(kFieldMidi2), ProgramsAccepted()};
    if (column == kColumnMidi3Program) return {std::string(kFieldMidi3), ProgramsAccepted()};
    if (column >= kFirstControlColumn && column <= kLastControlColumn)
        return {std::string(kFieldControlPrefix) + std::to_string(column - kFirstControlColumn + 1),
                ControlsAccepted()};
    if (column >= kFirstAuxColumn && column <= kLastAuxColumn)
        return {Numbered(kFieldAux, column - kFirstAuxColumn + 1), std::string(kCheckBoxAccepted)};
    return {};
}

EntryRule SettingsEntryRule(int column)
{
    if (column >= kSetupFirstChannelColumn && column < kSetupFirstCtrlColumn)
        return {SettingsFieldName(column), Range(kMidiChannelMin, kMidiChannelMax)};
    if (column >= kSetupFirstCtrlColumn && column < kSetupColumnCount)
        return {SettingsFieldName(column), Range(kCtrlNumberMin, kCtrlNumberMax)};
    return {};
}

std::string RefusedEntryText(const EntryRule& rule, std::string_view entry)
{
    const bool vowel =
        !rule.field.empty() && std::string_view("AEIOUaeiou").find(rule.field.front()) != std::string_view::npos;
    std::string text = "\"" + std::string(entry) + "\" is not " + (vowel ? "an " : "a ") + rule.field + " value";
    if (!rule.accepted.empty()) text += ": enter " + rule.accepted;
    return text + ".";
}

std::optional<std::string> EmptyPresetEntry(int column)
{
    if (column == kColumnName) return std::string();
    if (IsCheckBoxColumn(column)) return std::string("0");
    if (column >= kColumnMidi1 && column <= kLastControlColumn) return std::string(kUnusedText);
    return std::nullopt;
}

}  // namespace orvel
