#include "model/settings_entry.h"

#include <utility>

#include "model/preset_entry.h"
#include "model/settings_constants.h"

namespace orvel {

namespace {

bool IsChannelColumn(int column)
{
    return column >= kSetupFirstChannelColumn && column < kSetupFirstCtrlColumn;
}

bool IsCtrlColumn(int column)
{
    return column >= kSetupFirstCtrlColumn && column < kSetupColumnCount;
}

std::string* CellOf(SettingsData& settings, int column)
{
    if (IsChannelColumn(column))
        return &settings.midi_channels[static_cast<std::size_t>(column - kSetupFirstChannelColumn)];
    if (IsCtrlColumn(column)) return &settings.ctrl_numbers[static_cast<std::size_t>(column - kSetupFirstCtrlColumn)];
    return nullptr;
}

std::vector<std::string> NumberTexts(int low, int high)
{
    std::vector<std::string> items;
    for (int value = low; value <= high; ++value) items.push_back(std::to_string(value));
    return items;
}

}  // namespace

std::string SettingsCellText(const SettingsData& settings, int column)
{
    if (IsChannelColumn(column))
        return settings.midi_channels[static_cast<std::size_t>(column - kSetupFirstChannelColumn)];
    if (IsCtrlColumn(column)) return settings.ctrl_numbers[static_cast<std::size_t>(column - kSetupFirstCtrlColumn)];
    return std::string();
}

std::string SettingsFieldName(int column)
{
    if (IsChannelColumn(column))
        return std::string(kFieldMidiChannelPrefix) + std::to_string(column - kSetupFirstChannelColumn + 1);
    if (IsCtrlColumn(column))
        return std::string(kFieldCtrlNumberPrefix) + std::to_string(column - kSetupFirstCtrlColumn + 1);
    return std::string();
}

void SetSettingsCellText(SettingsData& settings, int column, std::string text)
{
    if (std::string* cell = CellOf(settings, column)) *cell = std::move(text);
}

CellEditor SettingsEditorOfColumn(int column)
{
    CellEditor editor;
    if (IsChannelColumn(column)) {
        editor.kind = CellEditorKind::EditableList;
        editor.items = NumberTexts(kMidiChannelMin, kMidiChannelMax);
    } else if (IsCtrlColumn(column)) {
        editor.kind = CellEditorKind::EditableList;
        editor.items = NumberTexts(kCtrlNumberMin, kCtrlNumberMax);
    }
    return editor;
}

std::optional<std::string> ValidateSettingsEntry(int column, const std::string& entry)
{
    if (IsChannelColumn(column)) return PlainNumberEntry(entry, kMidiChannelMin, kMidiChannelMax);
    if (IsCtrlColumn(column)) return PlainNumberEntry(entry, kCtrlNumberMin, kCtrlNumberMax);
    return std::nullopt;
}

}  // namespace orvel
