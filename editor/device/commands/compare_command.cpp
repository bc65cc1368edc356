#include "device/commands/compare_command.h"

namespace orvel {

namespace {

// The view of a whole-controller read: passes messages, questions and progress on to the
// caller's view, holds the controls and the hourglass for the whole read, and keeps the
// read set-up to itself.
class WholeReadView final : public TransferView {
public:
    explicit WholeReadView(TransferView& outer) : outer_(outer) {}

    // The part of the 0-100 bar the current read fills.
    void SetPart(int first, int last)
    {
        first_ = first;
        last_ = last;
    }

    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override
    {
        outer_.ShowMessage(icon, caption, text);
    }
    void SetTransferControls(bool) override {}
    void ShowProgressBar(bool) override {}
    void SetProgress(int position, int maximum) override
    {
        if (maximum <= 0) return;
        outer_.SetProgress(first_ + (last_ - first_) * position / maximum, kWhole);
    }
    void ShowStep(const std::string& step) override { outer_.ShowStep(step); }
    void SetBusyCursor(bool) override {}
    bool AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text) override
    {
        return outer_.AskYesNo(icon, caption, text);
    }
    std::optional<int> AskPortNumber(int preset) override { return outer_.AskPortNumber(preset); }
    void PresetRowChanged(int) override {}
    void BankFunctionChanged(int) override {}
    void SettingsChanged() override {}
    void RedrawPresets() override {}
    void ControllerIdentified(const std::string& shown_identity) override
    {
        outer_.ControllerIdentified(shown_identity);
    }

    static constexpr int kWhole = 100;

private:
    TransferView& outer_;
    int first_ = 0;
    int last_ = kWhole;
};

// The presets take 101 of the 104 blocks a whole read moves; the settings the rest.
constexpr int kPresetsPart = 97;

}  // namespace

TransferOutcome ReadWholeController(TransferSession& s, ControllerSetup& read)
{
    WholeReadView view(s.view);
    TransferSession inner{s.link, read.table, read.settings, s.buffer, s.last_read, view};

    const SessionHold hold(s, true);
    view.SetPart(0, kPresetsPart);
    TransferOutcome outcome = ReadAllPresets(inner);
    if (outcome == TransferOutcome::Done) {
        view.SetPart(kPresetsPart, WholeReadView::kWhole);
        outcome = ReadSettings(inner);
        // Reading the settings reports no progress of its own.
        if (outcome == TransferOutcome::Done) s.view.SetProgress(WholeReadView::kWhole, WholeReadView::kWhole);
    }
    return outcome;
}

TransferOutcome CompareWithController(TransferSession& s, std::vector<SetupDifference>& differences)
{
    ControllerSetup read;
    read.settings = s.settings;
    const TransferOutcome outcome = ReadWholeController(s, read);
    if (outcome == TransferOutcome::Done)
        differences = CompareSetups(s.table, s.settings, read.table, read.settings, s.link.firmware_version);
    return outcome;
}

}  // namespace orvel
