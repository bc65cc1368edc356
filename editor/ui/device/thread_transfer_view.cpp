#include "ui/device/thread_transfer_view.h"

#include "ui/window/main_form.h"
#include "ui/window/window_transfer_view.h"

namespace orvel {

void ThreadMessages::ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text)
{
    thread_.OnWindowAndWait([&] { window_messages_.ShowMessage(icon, caption, text); });
}

ThreadTransferView::ThreadTransferView(TMainForm& form, DeviceThread& thread, const PresetTable& table,
                                       const SettingsData& settings)
    : form_(form), thread_(thread), table_(table), settings_(settings)
{
}

void ThreadTransferView::ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text)
{
    thread_.OnWindowAndWait([&] { form_.WindowView().ShowMessage(icon, caption, text); });
}

bool ThreadTransferView::AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text)
{
    bool yes = false;
    thread_.OnWindowAndWait([&] { yes = form_.WindowView().AskYesNo(icon, caption, text); });
    return yes;
}

std::optional<int> ThreadTransferView::AskPortNumber(int preset)
{
    std::optional<int> port;
    thread_.OnWindowAndWait([&] { port = form_.WindowView().AskPortNumber(preset); });
    return port;
}

void ThreadTransferView::SetTransferControls(bool enabled)
{
    thread_.OnWindow([&form = form_, enabled] { form.SetTransferControls(enabled); });
}

void ThreadTransferView::ShowProgressBar(bool shown)
{
    thread_.OnWindow([&form = form_, shown] { form.WindowView().ShowProgressBar(shown); });
}

void ThreadTransferView::SetProgress(int position, int maximum)
{
    thread_.OnWindow([&form = form_, position, maximum] { form.WindowView().SetProgress(position, maximum); });
}

void ThreadTransferView::ShowStep(const std::string& step)
{
    thread_.OnWindow([&form = form_, step] { form.ShowCommandStep(QString::fromStdString(step), false); });
}

void ThreadTransferView::ShowWaitingStep(const std::string& step)
{
    thread_.OnWindow([&form = form_, step] { form.ShowCommandStep(QString::fromStdString(step), true); });
}

void ThreadTransferView::SetBusyCursor(bool busy)
{
    thread_.OnWindow([&form = form_, busy] { form.SetBusyCursor(busy); });
}

void ThreadTransferView::PresetRowChanged(int table_row)
{
    thread_.OnWindow([&form = form_, table_row, row = table_.GetRow(table_row)] { form.TakeRow(table_row, row); });
}

void ThreadTransferView::BankFunctionChanged(int bank_digit)
{
    thread_.OnWindow([&form = form_, bank_digit, on = table_.BankFunction(bank_digit)] {
        form.TakeBankFunction(bank_digit, on);
    });
}

void ThreadTransferView::SettingsChanged()
{
    thread_.OnWindow([&form = form_, settings = settings_] { form.TakeSettings(settings); });
}

void ThreadTransferView::RedrawPresets()
{
    thread_.OnWindow([&form = form_] { form.WindowView().RedrawPresets(); });
}

void ThreadTransferView::ControllerIdentified(const std::string& shown_identity)
{
    thread_.OnWindow([&form = form_, shown_identity] { form.WindowView().ControllerIdentified(shown_identity); });
}

}  // namespace orvel
