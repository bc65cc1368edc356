#include "ui/window/window_transfer_view.h"

#include <QDialog>
#include <QProgressBar>
#include <QSpinBox>

#include "device/controller_constants.h"
#include "ui/grid/preset_grid.h"
#include "ui/window/com_port_dialog.h"
#include "ui/window/main_form.h"
#include "ui/window/message_boxes.h"

namespace orvel {

void WindowTransferView::ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text)
{
    form_.Messages().ShowMessage(icon, caption, text);
}

bool WindowTransferView::AskYesNo(MessageIcon icon, const std::string& caption, const std::string& text)
{
    QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), MessageLines(text),
                    QMessageBox::Yes | QMessageBox::No, &form_);
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

std::optional<int> WindowTransferView::AskPortNumber(int preset)
{
    TfCOMPortNumber* dialog = form_.CreatePortNumberDialog();
    dialog->seCOMPort()->setValue(preset);
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    return dialog->seCOMPort()->value();
}

void WindowTransferView::SetTransferControls(bool enabled)
{
    form_.SetTransferControls(enabled);
}

void WindowTransferView::ShowProgressBar(bool shown)
{
    form_.pb()->setVisible(shown);
}

void WindowTransferView::SetProgress(int position, int maximum)
{
    form_.pb()->setRange(0, maximum);
    form_.pb()->setValue(position);
}

void WindowTransferView::ShowStep(const std::string& step)
{
    form_.ShowCommandStep(QString::fromStdString(step), false);
}

void WindowTransferView::ShowWaitingStep(const std::string& step)
{
    form_.ShowCommandStep(QString::fromStdString(step), true);
}

void WindowTransferView::SetBusyCursor(bool busy)
{
    form_.SetBusyCursor(busy);
}

void WindowTransferView::PresetRowChanged(int table_row)
{
    form_.asgbanks()->RowChanged(table_row);
}

void WindowTransferView::BankFunctionChanged(int bank_digit)
{
    form_.asgbanks()->BankFunctionChanged(bank_digit);
}

void WindowTransferView::SettingsChanged()
{
    form_.RefreshViews();
}

void WindowTransferView::RedrawPresets()
{
    form_.asgbanks()->Refresh();
}

void WindowTransferView::ControllerIdentified(const std::string& shown_identity)
{
    form_.SetTitleRight(QString::fromUtf8(kTitleFirmwarePrefix) + QString::fromStdString(shown_identity));
}

}  // namespace orvel
