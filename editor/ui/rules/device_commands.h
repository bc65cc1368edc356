// The window's commands that reach the controller, in one table: the element each is, its
// caption, its name (beside the progress bar while it runs), its undo step's name, what it
// acts on and which page's rule switches its item. The "Data transfer" menu is built from it,
// in its order, with a separator between groups. Plain values, no toolkit.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

enum class DeviceCommand {
    ReadAll,
    WriteAll,
    ReadBank,
    WriteBank,
    ReadPreset,
    WritePreset,
    ReadSettings,
    WriteSettings,
    CheckDefault,
    Compare,
};
inline constexpr std::size_t kDeviceCommandCount = 10;

// What a command acts on: the whole controller, the current row's bank or its preset.
enum class CommandTarget { Whole, Bank, Preset };

// Which page's rule turns the command's item on: the presets' page, the settings' page,
// either of them, or none (the item is on unless a command runs).
enum class PageGroup { Presets, Settings, PresetsOrSettings, Unruled };

struct DeviceCommandInfo {
    DeviceCommand command;
    std::string_view element;  // the menu item's name: "Readbank1"
    std::string_view caption;  // as the item is created: "Read bank", "Check &default"
    std::string_view name;     // "Read bank", "Check default"
    std::string_view step;     // the undo step: "read bank"
    CommandTarget target;
    PageGroup page;
    bool separator_after;  // the "Data transfer" menu's separators N5, N6, N7 and N8
};

inline constexpr std::array<DeviceCommandInfo, kDeviceCommandCount> kDeviceCommands = {{
    {DeviceCommand::ReadAll, "Readall1", "Read all presets", "Read all presets", "read all presets",
     CommandTarget::Whole, PageGroup::Presets, false},
    {DeviceCommand::WriteAll, "Writeall1", "Write all presets", "Write all presets", "write all presets",
     CommandTarget::Whole, PageGroup::Presets, true},
    {DeviceCommand::ReadBank, "Readbank1", "Read bank", "Read bank", "read bank", CommandTarget::Bank,
     PageGroup::Presets, false},
    {DeviceCommand::WriteBank, "Writebank1", "Write bank", "Write bank", "write bank", CommandTarget::Bank,
     PageGroup::Presets, true},
    {DeviceCommand::ReadPreset, "Readpreset1", "Read preset", "Read preset", "read preset", CommandTarget::Preset,
     PageGroup::Presets, false},
    {DeviceCommand::WritePreset, "Writepreset1", "Write preset", "Write preset", "write preset", CommandTarget::Preset,
     PageGroup::Presets, true},
    {DeviceCommand::ReadSettings, "Readsettings1", "Read settings", "Read settings", "read settings",
     CommandTarget::Whole, PageGroup::Settings, false},
    {DeviceCommand::WriteSettings, "Writesettings1", "Write settings", "Write settings", "write settings",
     CommandTarget::Whole, PageGroup::Settings, false},
    {DeviceCommand::CheckDefault, "Checkdefault1", "Check &default", "Check default", "check default",
     CommandTarget::Whole, PageGroup::Unruled, true},
    {DeviceCommand::Compare, "Comparewithcontroller1", "Compare with controller", "Compare with controller",
     "compare with controller", CommandTarget::Whole, PageGroup::PresetsOrSettings, false},
}};

const DeviceCommandInfo& DeviceCommandOf(DeviceCommand command);

// The caption an item takes when its menu opens, for the current row's preset: "Read bank 3",
// "Write preset 07"; the caption as created for the others.
std::string CommandCaptionFor(const DeviceCommandInfo& info, std::uint8_t preset);

// The undo step of a command run on a preset's row: "read bank 3", "read preset 37", "read
// all presets".
std::string CommandStepFor(const DeviceCommandInfo& info, std::uint8_t preset);

}  // namespace orvel
