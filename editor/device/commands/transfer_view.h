// What the transfer commands, the default check and the firmware upgrade show and switch
// while they run: the window implements it, so do the command-line companion and the tests.
#pragma once

#include <optional>
#include <string>

#include "device/user_messages.h"

namespace orvel {

class TransferView : public UserMessages {
public:
    // Enables or disables the transfer menu items, switches the connection monitor with
    // them, hides or shows the progress bar, then applies the page-change rule.
    virtual void SetTransferControls(bool enabled) = 0;
    // Hiding the progress bar also ends the step it showed.
    virtual void ShowProgressBar(bool shown) = 0;
    virtual void SetProgress(int position, int maximum) = 0;
    // Names the step a long run is starting ("erasing the flash (up to 31 s)", "block 40 of
    // 89"), so that a step that keeps the caller waiting never looks hung. It returns at once;
    // the step runs after it on the caller's thread. A view without room for it keeps this.
    virtual void ShowStep(const std::string& step) { (void)step; }
    // The same for a step whose length cannot be counted as it runs (the erase): the window
    // shows a moving bar until the next position.
    virtual void ShowWaitingStep(const std::string& step) { ShowStep(step); }
    virtual void SetBusyCursor(bool busy) = 0;
    // A Yes/No box; true for Yes. A "\r" in the text is a line break.
    virtual bool AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text) = 0;
    // The port number dialog, preset with a number; nothing when it was not closed with OK.
    virtual std::optional<int> AskPortNumber(int preset) = 0;

    // The model changed: a preset row (table row, modifier already applied), a bank's
    // wah-pad function, the settings, or many rows at once.
    virtual void PresetRowChanged(int table_row) = 0;
    virtual void BankFunctionChanged(int bank_digit) = 0;
    virtual void SettingsChanged() = 0;
    virtual void RedrawPresets() = 0;

    // A controller on a numbered serial port identified itself: the title shows it.
    virtual void ControllerIdentified(const std::string& shown_identity) = 0;
};

}  // namespace orvel
