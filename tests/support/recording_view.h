// A TransferView that records what the commands show and switch.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "device/commands/transfer_view.h"

namespace orvel::testing {

class RecordingView final : public TransferView {
public:
    struct Shown {
        MessageIcon icon;
        std::string caption;
        std::string text;
    };

    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override
    {
        messages.push_back({icon, caption, text});
    }
    bool AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text) override
    {
        questions.push_back({icon, caption, text});
        if (on_question) on_question();
        return answer_yes;
    }
    void SetTransferControls(bool enabled) override
    {
        controls_enabled = enabled;
        control_changes.push_back(enabled);
    }
    std::optional<int> AskPortNumber(int preset) override
    {
        asked_port_with.push_back(preset);
        return port_answer;
    }
    void ShowProgressBar(bool shown) override { progress_bar_shown = shown; }
    void SetProgress(int position, int maximum) override
    {
        progress.push_back(position);
        progress_maximum = maximum;
        if (on_progress) on_progress();
    }
    void ShowStep(const std::string& step) override { steps.push_back(step); }
    void SetBusyCursor(bool busy) override { busy_cursor = busy; }
    void PresetRowChanged(int table_row) override { changed_rows.push_back(table_row); }
    void BankFunctionChanged(int bank_digit) override { changed_banks.push_back(bank_digit); }
    void SettingsChanged() override { ++settings_changes; }
    void RedrawPresets() override { ++redraws; }
    void ControllerIdentified(const std::string& shown) override { identified.push_back(shown); }

    std::vector<Shown> messages;
    std::vector<Shown> questions;
    bool answer_yes = true;
    std::function<void()> on_question;
    std::vector<int> asked_port_with;
    std::optional<int> port_answer;
    bool progress_bar_shown = false;
    bool controls_enabled = true;
    std::vector<bool> control_changes;
    std::vector<int> progress;
    int progress_maximum = 0;
    std::vector<std::string> steps;
    bool busy_cursor = false;
    std::function<void()> on_progress;  // called at each progress step
    std::vector<int> changed_rows;
    std::vector<int> changed_banks;
    int settings_changes = 0;
    int redraws = 0;
    std::vector<std::string> identified;
};

}  // namespace orvel::testing
