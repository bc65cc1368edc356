// What a job on the device thread shows and switches, carried over to the window's thread.
// Boxes and questions wait for the user; progress, cursors, titles and grid updates are
// queued. The job works on its own copy of the preset table and settings: a changed row
// travels to the window's thread as a value, where the device session stores it in the
// set-up.
#pragma once

#include "device/commands/transfer_view.h"
#include "model/preset_table.h"
#include "model/settings_data.h"
#include "ui/device/device_thread.h"

namespace orvel {

class DeviceSession;

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
    // `window_view` shows on the window's thread; `session` stores what the job read there.
    // `table` and `settings` are the job's copies, which the commands change.
    ThreadTransferView(DeviceThread& thread, TransferView& window_view, DeviceSession& session,
                       const PresetTable& table, const SettingsData& settings);

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
    DeviceThread& thread_;
    TransferView& window_;
    DeviceSession& session_;
    const PresetTable& table_;
    const SettingsData& settings_;
};

}  // namespace orvel
