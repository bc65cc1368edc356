// What the transfer commands, the default check and the firmware upgrade show, shown by
// the main window on its own thread: its message boxes, progress bar, the step beside it,
// cursors, grids and title. The device session's jobs reach it through the device thread.
#pragma once

#include "device/commands/transfer_view.h"

namespace orvel {

class TMainForm;

class WindowTransferView final : public TransferView {
public:
    explicit WindowTransferView(TMainForm& form) : form_(form) {}

    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override;
    bool AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text) override;
    std::optional<int> AskPortNumber(int preset) override;
    void SetTransferControls(bool enabled) override;
    void ShowProgressBar(bool shown) override;
    void SetProgress(int position, int maximum) override;
    void ShowStep(const std::string& step) override;
    void ShowWaitingStep(const std::string& step) override;
    void SetBusyCursor(bool busy) override;
    void PresetRowChanged(int table_row) override;
    void BankFunctionChanged(int bank_digit) override;
    void SettingsChanged() override;
    void RedrawPresets() override;
    void ControllerIdentified(const std::string& shown_identity) override;

private:
    TMainForm& form_;
};

}  // namespace orvel
