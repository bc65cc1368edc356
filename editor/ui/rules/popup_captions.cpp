#include "ui/rules/popup_captions.h"

#include <optional>

#include "model/preset_popup.h"
#include "model/preset_table.h"
#include "ui/rules/device_commands.h"

namespace orvel {

std::string TwoDigitPreset(std::uint8_t preset)
{
    std::string text = std::to_string(preset);
    return preset < 10 ? "0" + text : text;
}

RowCommandCaptions CaptionsForRow(const PresetTable& table, int table_row)
{
    const std::optional<std::uint8_t> number = table.PresetNumberOfRow(CommandRow(table_row));
    const std::uint8_t preset = number.value_or(0);
    const std::string nn = TwoDigitPreset(preset);
    const std::string b = std::to_string(preset / 10);
    const auto caption = [preset](DeviceCommand command) {
        return CommandCaptionFor(DeviceCommandOf(command), preset);
    };
    return RowCommandCaptions{
        "Copy bank " + b,
        "Copy preset " + nn,
        caption(DeviceCommand::ReadBank),
        caption(DeviceCommand::WriteBank),
        caption(DeviceCommand::ReadPreset),
        caption(DeviceCommand::WritePreset),
    };
}

std::string PastePresetCaption(const PasteItem& item)
{
    switch (item.stage) {
    case PasteStage::NothingCopied: return std::string(kPastePresetCaption);
    case PasteStage::Copied: return "Paste preset " + TwoDigitPreset(item.number);
    case PasteStage::Pasted: break;
    }
    return "Paste preset ";
}

std::string PasteBankCaption(const PasteItem& item)
{
    switch (item.stage) {
    case PasteStage::NothingCopied: return std::string(kPasteBankCaption);
    case PasteStage::Copied: return "Paste bank " + std::to_string(item.number);
    case PasteStage::Pasted: break;
    }
    return "Paste bank";
}

}  // namespace orvel
