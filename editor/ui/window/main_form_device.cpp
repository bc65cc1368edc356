// TMainForm's device commands: the "Data transfer" items, "Check default", "Compare with
// controller" and "Firmware upgrade" start them on the device session, and what the session
// signals is shown here: a command running, the connection monitor's finding, the live
// preview's bank and the comparison's differences.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include "device/commands/default_check_command.h"
#include "model/preset_popup.h"
#include "ui/grid/preset_grid.h"
#include "ui/pictures/preview_drawing.h"
#include "ui/pictures/preview_picture.h"
#include "ui/qt_values.h"
#include "ui/rules/command_status.h"
#include "ui/settings/option_tile.h"
#include "ui/settings/settings_grid.h"
#include "ui/window/differences_dialog.h"
#include "ui/window/main_form.h"

namespace orvel {

void TMainForm::ConnectSession()
{
    connect(session_.get(), &DeviceSession::commandStarted, this,
            [this](const QString& name) { ShowCommandRunning(true, name); });
    connect(session_.get(), &DeviceSession::commandEnded, this, [this] { ShowCommandRunning(false); });
    connect(session_.get(), &DeviceSession::monitorShown, this, &TMainForm::ShowMonitorFinding);
    connect(session_.get(), &DeviceSession::monitorTickEnded, this, [this] {
        if (!CommandRunning() && !session_->CloseWaiting()) timerKPX_->start();
    });
    connect(session_.get(), &DeviceSession::currentPresetRead, this, &TMainForm::ShowCurrentPreset);
    connect(session_.get(), &DeviceSession::comparisonRead, this,
            [this](const std::vector<SetupDifference>& differences) { ShowComparison(differences); });
    connect(session_.get(), &DeviceSession::closeReady, this, &TMainForm::close);
}

std::uint8_t TMainForm::PortNumber() const
{
    return static_cast<std::uint8_t>(sePort_->value());
}

void TMainForm::RunTransferCommand(DeviceCommand command, const DeviceSession::Command& run)
{
    if (CommandRunning() || session_->CloseWaiting()) return;
    CommitOpenEditors();
    const DeviceCommandInfo& info = DeviceCommandOf(command);
    const std::uint8_t preset = state_.table.PresetNumberOfRow(CommandRow(state_.table.CurrentRow())).value_or(0);
    session_->RunCommand(QtText(info.name), CommandStepFor(info, preset), PortNumber(), run);
}

void TMainForm::Readall1Click()
{
    RunTransferCommand(DeviceCommand::ReadAll, ReadAllPresets);
}
void TMainForm::Writeall1Click()
{
    RunTransferCommand(DeviceCommand::WriteAll, WriteAllPresets);
}
void TMainForm::Readbank1Click()
{
    RunTransferCommand(DeviceCommand::ReadBank, ReadBank);
}
void TMainForm::Writebank1Click()
{
    RunTransferCommand(DeviceCommand::WriteBank, WriteBank);
}
void TMainForm::Readpreset1Click()
{
    RunTransferCommand(DeviceCommand::ReadPreset, ReadOnePreset);
}
void TMainForm::Writepreset1Click()
{
    RunTransferCommand(DeviceCommand::WritePreset, WriteOnePreset);
}
void TMainForm::Readsettings1Click()
{
    RunTransferCommand(DeviceCommand::ReadSettings, ReadSettings);
}
void TMainForm::Writesettings1Click()
{
    RunTransferCommand(DeviceCommand::WriteSettings, WriteSettings);
}
void TMainForm::Checkdefault1Click()
{
    RunTransferCommand(DeviceCommand::CheckDefault, CheckDefaults);
}

void TMainForm::Comparewithcontroller1Click()
{
    if (CommandRunning() || session_->CloseWaiting()) return;
    CommitOpenEditors();
    const DeviceCommandInfo& info = DeviceCommandOf(DeviceCommand::Compare);
    session_->RunComparison(QtText(info.name), std::string(info.step), PortNumber());
}

void TMainForm::Firmwareupgrade1Click()
{
    session_->RunUpgrade(Firmwareupgrade1_->text(), sePort_->value());
}

void TMainForm::Datatransfer1Click()
{
    asgbanks_->EnsureCurrentPresetRow();
    const std::optional<std::uint8_t> number = state_.table.PresetNumberOfRow(asgbanks_->CurrentRow());
    if (!number) return;
    for (const DeviceCommandInfo& info : kDeviceCommands)
        if (info.target != CommandTarget::Whole)
            CommandItem(info.command)->setText(QString::fromStdString(CommandCaptionFor(info, *number)));
}

void TMainForm::ShowCommandRunning(bool running, const QString& name)
{
    // What the controller holds is about to be read or changed: the marks of an earlier
    // comparison no longer hold.
    if (running) ClearComparison();
    for (QAction* item : {Open1_, Firmwareupgrade1_, Comparewithfile1_}) item->setEnabled(!running);
    ShowRecentItems();
    asgbanks_->setEnabled(!running);
    aSetup_->setEnabled(!running);
    for (OptionTile* tile : tiles_) tile->setEnabled(!running);
    if (running) {
        SetPopupTransferItems(false);
        ApplyPageRule();
        timerKPX_->stop();
        // Every command starts its bar empty, whatever the one before left in it.
        pb_->setRange(0, kProgressBarMaximum);
        pb_->setValue(0);
        command_name_ = name;
        command_step_text_.clear();
        DrawCommandLine();
        lCommand_->show();
    } else {
        stepSeconds_->stop();
        lCommand_->hide();
        command_name_.clear();
        command_step_text_.clear();
        SetTransferControls(true);
    }
    ShowEditItems();
}

void TMainForm::ShowCommandItems(const PageTransferState& rule)
{
    const bool idle = !CommandRunning();
    for (std::size_t i = 0; i < kDeviceCommands.size(); ++i) {
        bool on = true;
        switch (kDeviceCommands[i].page) {
        case PageGroup::Presets: on = rule.preset_items; break;
        case PageGroup::Settings: on = rule.settings_items; break;
        // The comparison reads presets and settings alike: offered wherever either kind is.
        case PageGroup::PresetsOrSettings: on = rule.preset_items || rule.settings_items; break;
        case PageGroup::Unruled: break;
        }
        command_items_[i]->setEnabled(on && idle);
        if (separators_after_[i] != nullptr && kDeviceCommands[i].page == PageGroup::Presets)
            separators_after_[i]->setEnabled(on && idle);
    }
}

void TMainForm::timerKPXTimer()
{
    // The connection monitor's tick (a numbered serial port has none); the period starts again
    // when it has ended.
    if (session_->MonitorTick()) timerKPX_->stop();
}

void TMainForm::ShowMonitorFinding(const MonitorShow& show)
{
    SetTitleRight(show.title_right ? std::optional<QString>(QString::fromStdString(*show.title_right)) : std::nullopt);
    if (show.status_text) SetStatusPanel(0, QString::fromStdString(*show.status_text));
    if (show.popup_items_enabled) SetPopupTransferItems(*show.popup_items_enabled);
}

void TMainForm::timercurrentpresetTimer()
{
    session_->PreviewTick(PortNumber());
}

void TMainForm::ShowCurrentPreset(std::uint8_t preset)
{
    const std::optional<ShownDigits> digits =
        PreviewDigits(static_cast<std::uint8_t>(preset / 10), static_cast<std::uint8_t>(preset % 10));
    if (!digits || (digits->bank == shown_bank_ && digits->preset == shown_preset_)) return;
    SetShownPreset(digits->bank, digits->preset);
    PreviewBank bank;
    bank.digits = *digits;
    bank.labels = PreviewLabels(state_.table, digits->bank, state_.settings.keys[0], state_.settings.keys[7]);
    bank.font = TileFont();
    bank.text_colour = tiles_[0]->palette().color(QPalette::WindowText);
    bank.points = PreviewTextPoints(dpi_);
    DrawPreviewBank(iPreview_->Canvas(), bank);
    iPreview_->CanvasChanged();
    shown_labels_ = bank.labels;
}

void TMainForm::ShowComparison(const std::vector<SetupDifference>& differences, const QString& file_name)
{
    ClearComparison();
    if (differences.empty()) {
        if (file_name.isEmpty()) {
            messages_->ShowMessage(MessageIcon::Information, "Compare with controller",
                                   "The controller holds the same presets, bank functions and settings as the editor.");
        } else {
            messages_->ShowMessage(MessageIcon::Information, "Compare with file",
                                   "\"" + file_name.toStdString() +
                                       "\" holds the same presets, bank functions and settings as the editor.");
        }
        return;
    }
    comparison_ = differences;
    std::vector<std::pair<int, int>> cells;
    std::vector<int> banks;
    std::vector<int> settings_columns;
    for (const SetupDifference& d : comparison_) {
        switch (d.place) {
        case DifferencePlace::Preset:
            cells.emplace_back(TableRowOfPreset(static_cast<std::uint8_t>(d.number)), d.column);
            break;
        case DifferencePlace::BankFunction: banks.push_back(d.number); break;
        case DifferencePlace::SettingsCell: settings_columns.push_back(d.column); break;
        case DifferencePlace::Tile:
            if (OptionTile* tile = Tile(d.number)) tile->SetMarked(true);
            break;
        }
    }
    asgbanks_->MarkDifferences(cells, banks);
    aSetup_->Model()->SetMarkedColumns(settings_columns);
    if (dDifferences_ == nullptr) {
        dDifferences_ = new DifferencesDialog(this);
        connect(dDifferences_, &DifferencesDialog::differenceChosen, this, &TMainForm::ShowDifference);
    }
    dDifferences_->ShowDifferences(comparison_, file_name);
}

void TMainForm::ClearComparison()
{
    if (comparison_.empty()) return;
    comparison_.clear();
    asgbanks_->ClearMarks();
    aSetup_->Model()->ClearMarks();
    for (OptionTile* tile : tiles_) tile->SetMarked(false);
    if (dDifferences_ != nullptr) dDifferences_->Clear();
}

void TMainForm::ShowDifference(const SetupDifference& difference)
{
    switch (difference.place) {
    case DifferencePlace::Preset:
        Configuration2_->setCurrentWidget(TabSheet1_);
        asgbanks_->ShowCell(TableRowOfPreset(static_cast<std::uint8_t>(difference.number)), difference.column);
        break;
    case DifferencePlace::BankFunction:
        // The bank's button sits beside its first preset (preset digit 1).
        Configuration2_->setCurrentWidget(TabSheet1_);
        asgbanks_->ShowCell(TableRowOfPreset(static_cast<std::uint8_t>(difference.number * 10 + 1)), kColumnModifier);
        break;
    case DifferencePlace::SettingsCell:
        Configuration2_->setCurrentWidget(tsSetup_);
        aSetup_->setCurrentIndex(aSetup_->Model()->index(kSetupValueRow, difference.column));
        aSetup_->setFocus(Qt::OtherFocusReason);
        break;
    case DifferencePlace::Tile: Configuration2_->setCurrentWidget(tsSetup_); break;
    }
    activateWindow();
}

}  // namespace orvel
