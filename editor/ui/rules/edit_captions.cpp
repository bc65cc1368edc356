#include "ui/rules/edit_captions.h"

#include <cctype>

#include "ui/rules/popup_captions.h"

namespace orvel {

std::string UndoItemCaption(std::string_view verb, std::string_view step)
{
    std::string caption(verb);
    if (!step.empty()) caption.append(" ").append(step);
    return caption;
}

std::string CellEditStep(std::uint8_t preset)
{
    return "edit preset " + TwoDigitPreset(preset);
}
std::string CheckBoxStep(std::uint8_t preset)
{
    return "check box of preset " + TwoDigitPreset(preset);
}
std::string TypeChangeStep(std::uint8_t preset)
{
    return "type of preset " + TwoDigitPreset(preset);
}
std::string PastePresetStep(std::uint8_t preset)
{
    return "paste preset " + TwoDigitPreset(preset);
}
std::string PasteBankStep(int bank_digit)
{
    return "paste bank " + std::to_string(bank_digit);
}
std::string DropPresetStep(std::uint8_t preset)
{
    return "drop on preset " + TwoDigitPreset(preset);
}
std::string DropBankStep(int bank_digit)
{
    return "drop on bank " + std::to_string(bank_digit);
}
std::string BankButtonStep(int bank_digit)
{
    return "bank " + std::to_string(bank_digit) + " function";
}
std::string TileClickStep(int tile)
{
    return "tile " + std::to_string(tile);
}
std::string SettingsEditStep()
{
    return "edit settings";
}
std::string PasteCellsStep()
{
    return "paste cells";
}
std::string ClearCellsStep()
{
    return "clear cells";
}

std::string OpenFileStep(std::string_view file_name)
{
    return "open " + std::string(file_name);
}

std::string PasteStatusText(int stored, int refused, int skipped)
{
    std::string text = "Pasted " + std::to_string(stored) + (stored == 1 ? " cell" : " cells");
    if (refused > 0) text += ", " + std::to_string(refused) + " refused";
    if (skipped > 0) text += ", " + std::to_string(skipped) + " not used by their preset's type or outside the grid";
    return text;
}

}  // namespace orvel
