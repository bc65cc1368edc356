// What the companion shows on the terminal: messages on standard error, a progress bar
// there when it is a terminal, questions answered on standard input (or all with yes).
#pragma once

#include <optional>
#include <string>

#include "transfer_view.h"

namespace orvel {

class TerminalView final : public TransferView {
public:
    TerminalView(bool assume_yes, std::optional<int> port_number);

    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override;
    bool AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text) override;
    std::optional<int> AskPortNumber(int preset) override;
    void SetTransferControls(bool enabled) override { ShowProgressBar(!enabled); }
    void ShowProgressBar(bool shown) override;
    void SetProgress(int position, int maximum) override;
    void SetBusyCursor(bool) override {}
    void ProcessPendingEvents() override {}
    void PresetRowChanged(int) override {}
    void BankFunctionChanged(int) override {}
    void SettingsChanged() override {}
    void RedrawPresets() override {}
    void ControllerIdentified(const std::string& shown_identity) override;

    bool declined() const { return declined_; }
    // The icon of the last message shown, nothing before the first.
    std::optional<MessageIcon> last_icon() const { return last_icon_; }

private:
    void EndProgressLine();

    bool assume_yes_;
    std::optional<int> port_number_;
    bool terminal_;
    bool bar_drawn_ = false;
    bool declined_ = false;
    std::optional<MessageIcon> last_icon_;
};

}  // namespace orvel
