// What the companion shows on the terminal: messages on standard error, a progress bar
// there when it is a terminal, questions answered on standard input (or all with yes).
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "device/commands/transfer_view.h"

namespace orvel {

class TerminalView final : public TransferView {
public:
    // `verbose` shows the controller's identification line; `port_number` answers the
    // question for a COM port number (nothing: the question is refused).
    TerminalView(bool assume_yes, bool verbose, std::optional<int> port_number);
    ~TerminalView() override;
    TerminalView(const TerminalView&) = delete;
    TerminalView& operator=(const TerminalView&) = delete;

    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override;
    bool AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text) override;
    std::optional<int> AskPortNumber(int preset) override;
    void SetTransferControls(bool enabled) override { ShowProgressBar(!enabled); }
    void ShowProgressBar(bool shown) override;
    void SetProgress(int position, int maximum) override;
    void ShowStep(const std::string& step) override;
    void SetBusyCursor(bool) override {}
    void PresetRowChanged(int) override {}
    void BankFunctionChanged(int) override {}
    void SettingsChanged() override {}
    void RedrawPresets() override {}
    void ControllerIdentified(const std::string& shown_identity) override;

    void SetPortAnswer(int port_number) { port_number_ = port_number; }

private:
    // The progress line: drawn only once there is something to show (a position past 0 or
    // a step), redrawn each second while a step runs, and erased, not left behind, when a
    // message or a question comes or the bar is hidden. Callers hold `mutex_`.
    void DrawLine();
    void EraseLine();
    void CountSeconds();

    bool assume_yes_;
    bool verbose_;
    std::optional<int> port_number_;
    bool terminal_;

    std::mutex mutex_;
    std::condition_variable wake_;
    std::thread counter_;  // started with the first step on a terminal
    bool stopping_ = false;
    bool line_drawn_ = false;
    int position_ = 0;
    int maximum_ = 0;
    std::string step_;
    std::chrono::steady_clock::time_point step_started_;
};

}  // namespace orvel
