// What a job on the device thread shows and switches, carried over to the window's thread.
// Boxes and questions wait for the user; progress, cursors, titles and grid updates are
// queued. The job works on its own copy of the preset table and settings: a changed row
// travels to the window as a value and the window stores it in its own table.
#pragma once

#include "model/preset_table.h"
#include "model/settings_data.h"
#include "device/commands/transfer_view.h"
#include "ui/device/device_thread.h"

namespace orvel {

class TMainForm;

// Message boxes of the device thread (the converter layer's error dialogs, the commands'
// boxes): shown by the window's own messages, the device thread waiting until closed.
class ThreadMessages final : public UserMessages {
public:
    ThreadMessages(DeviceThread& thread, UserMessages& window_messages)
        : thread_(thread), window_messages_(window_messages)
    {
    }
    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override;

private:
    DeviceThread& thread_;
    UserMessages& window_messages_;
};

class ThreadTransferView final : public TransferView {
public:
    // `table` and `settings` are the job's copies, which the commands change.
    ThreadTransferView(TMainForm& form, DeviceThread& thread, const PresetTable& table, const SettingsData& settings);

    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override;
    bool AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text) override;
    std::optional<int> AskPortNumber(int preset) override;
    void SetTransferControls(bool enabled) override;
    void ShowProgressBar(bool shown) override;
    void SetProgress(int position, int maximum) override;
    void ShowStep(const std::string& step) override;
    void ShowWaitingStep(const std::string& step) override;
    void SetBusyCursor(bool busy) override;
    void ProcessPendingEvents() override {}   // the window's thread is never held
    void PresetRowChanged(int table_row) override;
    void BankFunctionChanged(int bank_digit) override;
    void SettingsChanged() override;
    void RedrawPresets() override;
    void ControllerIdentified(const std::string& shown_identity) override;

private:
    TMainForm& form_;
    DeviceThread& thread_;
    const PresetTable& table_;
    const SettingsData& settings_;
};

}  // namespace orvel
