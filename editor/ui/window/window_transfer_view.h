// What the transfer commands, the default check and the firmware upgrade show, shown by
// the main window: its message boxes, progress bar, cursors, grids and title. The device
// thread's view hands each of these to the window's thread; the window itself never runs
// a command, so it has nothing to let through while one runs.
#pragma once

#include "device/commands/transfer_view.h"

namespace orvel {

class TMainForm;

class WindowTransferView final {
public:
    explicit WindowTransferView(TMainForm& form) : form_(form) {}

    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text);
    bool AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text);
    std::optional<int> AskPortNumber(int preset);
    void SetTransferControls(bool enabled);
    void ShowProgressBar(bool shown);
    void SetProgress(int position, int maximum);
    void SetBusyCursor(bool busy);
    void PresetRowChanged(int table_row);
    void BankFunctionChanged(int bank_digit);
    void SettingsChanged();
    void RedrawPresets();
    void ControllerIdentified(const std::string& shown_identity);

private:
    TMainForm& form_;
};

}  // namespace orvel
