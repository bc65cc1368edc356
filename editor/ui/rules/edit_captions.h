// The "Edit" menu's texts and the names of the undo steps ("Undo paste bank 3", "Redo read
// all presets"), with the status line a clipboard paste leaves. Plain functions, no toolkit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvel {

inline constexpr std::string_view kEditMenuCaption = "&Edit";
inline constexpr std::string_view kUndoCaption = "Undo";
inline constexpr std::string_view kRedoCaption = "Redo";

// Steps kept for the run; older ones drop off the bottom of the history. A step holds
// one or two records of about 47 KB (the one before is shared with the step below it
// when nothing came in between), so the whole history stays near 10 MB.
inline constexpr int kUndoHistorySteps = 200;

// A menu item's caption: "Undo" alone without a step, else "Undo " and the step's name.
std::string UndoItemCaption(std::string_view verb, std::string_view step);

// Step names. Preset numbers read as the popup writes them ("07").
std::string CellEditStep(std::uint8_t preset);         // "edit preset 37"
std::string CheckBoxStep(std::uint8_t preset);         // "check box of preset 37"
std::string TypeChangeStep(std::uint8_t preset);       // "type of preset 37"
std::string PastePresetStep(std::uint8_t preset);      // "paste preset 37"
std::string PasteBankStep(int bank_digit);             // "paste bank 3"
std::string DropPresetStep(std::uint8_t preset);       // "drop on preset 37"
std::string DropBankStep(int bank_digit);              // "drop on bank 3"
std::string BankButtonStep(int bank_digit);            // "bank 3 function"
std::string TileClickStep(int tile);                   // "tile 4"
std::string SettingsEditStep();                        // "edit settings"
std::string PasteCellsStep();                          // "paste cells"
std::string ClearCellsStep();                          // "clear cells"
std::string OpenFileStep(std::string_view file_name);  // "open setup.ini"
// A device command's step: CommandStepFor (ui/rules/device_commands.h).

// The status line after Ctrl+V: "Pasted 12 cells", with ", 1 refused" and ", 3 not used
// by their preset's type or outside the grid" when there are such.
std::string PasteStatusText(int stored, int refused, int skipped);

}  // namespace orvel
