#include "ui/device/thread_transfer_view.h"

#include "ui/device/device_session.h"

namespace orvel {

void ThreadMessages::ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text)
{
    thread_.OnWindowAndWait([&] { window_messages_.ShowMessage(icon, caption, text); });
}

ThreadTransferView::ThreadTransferView(DeviceThread& thread, TransferView& window_view, DeviceSession& session,
                                       const PresetTable& table, const SettingsData& settings)
    : thread_(thread), window_(window_view), session_(session), table_(table), settings_(settings)
{
}

void ThreadTransferView::ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text)
{
    thread_.OnWindowAndWait([&] { window_.ShowMessage(icon, caption, text); });
}

bool ThreadTransferView::AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text)
{
    bool yes = false;
    thread_.OnWindowAndWait([&] { yes = window_.AskYesNo(icon, caption, text); });
    return yes;
}

std::optional<int> ThreadTransferView::AskPortNumber(int preset)
{
    std::optional<int> port;
    thread_.OnWindowAndWait([&] { port = window_.AskPortNumber(preset); });
    return port;
}

void ThreadTransferView::SetTransferControls(bool enabled)
{
    thread_.OnWindow([&window = window_, enabled] { window.SetTransferControls(enabled); });
}

void ThreadTransferView::ShowProgressBar(bool shown)
{
    thread_.OnWindow([&window = window_, shown] { window.ShowProgressBar(shown); });
}

void ThreadTransferView::SetProgress(int position, int maximum)
{
    thread_.OnWindow([&window = window_, position, maximum] { window.SetProgress(position, maximum); });
}

void ThreadTransferView::ShowStep(const std::string& step)
{
    thread_.OnWindow([&window = window_, step] { window.ShowStep(step); });
}

void ThreadTransferView::ShowWaitingStep(const std::string& step)
{
    thread_.OnWindow([&window = window_, step] { window.ShowWaitingStep(step); });
}

void ThreadTransferView::SetBusyCursor(bool busy)
{
    thread_.OnWindow([&window = window_, busy] { window.SetBusyCursor(busy); });
}

void ThreadTransferView::PresetRowChanged(int table_row)
{
    thread_.OnWindow(
        [&session = session_, table_row, row = table_.GetRow(table_row)] { session.TakeRow(table_row, row); });
}

void ThreadTransferView::BankFunctionChanged(int bank_digit)
{
    thread_.OnWindow([&session = session_, bank_digit, on = table_.BankFunction(bank_digit)] {
        session.TakeBankFunction(bank_digit, on);
    });
}

void ThreadTransferView::SettingsChanged()
{
    thread_.OnWindow([&session = session_, settings = settings_] { session.TakeSettings(settings); });
}

void ThreadTransferView::RedrawPresets()
{
    thread_.OnWindow([&window = window_] { window.RedrawPresets(); });
}

void ThreadTransferView::ControllerIdentified(const std::string& shown_identity)
{
    thread_.OnWindow([&window = window_, shown_identity] { window.ControllerIdentified(shown_identity); });
}

}  // namespace orvel
