// TMainForm's files: Open, Save and Save As of preset files, the recent files, the question
// before unsaved changes are set aside, closing (Orvel.ini written) and printing.
#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include "files/file_commands.h"
#include "files/file_comparison.h"
#include "files/file_io.h"
#include "files/file_names.h"
#include "ui/grid/preset_grid.h"
#include "ui/print/print_dialog.h"
#include "ui/qt_values.h"
#include "ui/rules/edit_captions.h"
#include "ui/rules/window_title.h"
#include "ui/window/main_form.h"
#include "ui/window/undo_history.h"

namespace orvel {

namespace {

// What the status bar says while a close waits for the controller's work to end.
constexpr const char* kClosingText = "Closing when the controller's work has ended\u2026";

const QString kFileErrorCaption = QStringLiteral("Error");

}  // namespace

void TMainForm::ReadConfigurationAtStart()
{
    // A configuration that cannot be read leaves the editor as it starts.
    const FileResult result = ReadConfiguration(state_, places_);
    if (result.status == FileStatus::Failed) qWarning("%s", result.reason.c_str());
    RefreshViews();
}

void TMainForm::ShowFileFailure(const std::string& reason)
{
    messages_->ShowMessage(MessageIcon::Error, kFileErrorCaption.toStdString(), reason);
}

std::string TMainForm::ShownFileName() const
{
    if (state_.current_file.empty()) return {};
    return QFileInfo(ShownPath(state_.current_file)).fileName().toStdString();
}

void TMainForm::OpenFile(const QString& chosen_path)
{
    OpenPath(LocalPath(chosen_path));
}

void TMainForm::OpenPath(const std::string& path)
{
    CommitOpenEditors();
    FileResult result;
    history_->RecordOpen(OpenFileStep(QFileInfo(ShownPath(path)).fileName().toStdString()),
                         [&] { result = OpenChosenFile(state_, path); });
    if (result.status == FileStatus::Failed) {
        ShowFileFailure(result.reason);
    } else {
        ClearComparison();
        if (result.status == FileStatus::Done) RememberRecentFile(WithIniExtension(path));
    }
    RefreshViews();
}

bool TMainForm::SaveFileAs(const QString& chosen_path)
{
    CommitOpenEditors();
    const FileResult result = orvel::SaveFileAs(state_, LocalPath(chosen_path));
    if (result.status == FileStatus::Failed) ShowFileFailure(result.reason);
    if (result.status == FileStatus::Done) RememberRecentFile(state_.current_file);
    RefreshViews();
    return result.status == FileStatus::Done;
}

void TMainForm::OpenRecentFile(const std::string& path)
{
    if (CommandRunning()) return;
    if (!IsExistingFile(path)) {
        if (RemoveRecentFile(recent_, path)) StoreRecentFiles();
        messages_->ShowMessage(MessageIcon::Warning, kFileErrorCaption.toStdString(), RecentFileMissingText(path));
        return;
    }
    if (MaySetAside()) OpenPath(path);
}

void TMainForm::ShowRecentItems()
{
    for (std::size_t i = 0; i < recent_items_.size(); ++i) {
        QAction* item = recent_items_[i];
        const bool used = i < recent_.size();
        item->setVisible(used);
        item->setEnabled(used && !CommandRunning());
        if (!used) continue;
        const QString path = ShownPath(recent_[i]);
        QString shown = path;
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        item->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        item->setData(QByteArray::fromStdString(recent_[i]));
    }
    N9_->setVisible(!recent_.empty());
}

void TMainForm::RememberRecentFile(const std::string& path)
{
    AddRecentFile(recent_, path);
    StoreRecentFiles();
}

void TMainForm::StoreRecentFiles()
{
    const FileResult saved = SaveRecentFiles(places_.user_folder, recent_);
    if (saved.status == FileStatus::Failed) qWarning("%s", saved.reason.c_str());
    ShowRecentItems();
}

void TMainForm::Open1Click()
{
    if (!MaySetAside()) return;
    QFileDialog* dialog = OpenDialog();
    if (dialog->exec() != QDialog::Accepted) return;
    const QStringList chosen = dialog->selectedFiles();
    if (!chosen.isEmpty()) OpenFile(chosen.first());
}

bool TMainForm::Save1Click()
{
    if (SaveNeedsName(state_)) return SaveAs1Click();
    CommitOpenEditors();
    const FileResult result = SaveCurrentFile(state_);
    if (result.status == FileStatus::Failed) ShowFileFailure(result.reason);
    if (result.status == FileStatus::Done) RememberRecentFile(WithIniExtension(state_.current_file));
    ShowTitle();
    return result.status == FileStatus::Done;
}

bool TMainForm::SaveAs1Click()
{
    QFileDialog* dialog = SaveDialog();
    if (dialog->exec() != QDialog::Accepted) return false;
    const QStringList chosen = dialog->selectedFiles();
    return !chosen.isEmpty() && SaveFileAs(chosen.first());
}

void TMainForm::Quit1Click()
{
    close();  // the close button's way: the question about unsaved changes included
}

SaveAnswer TMainForm::AskSaveChanges()
{
    const std::string question = SaveChangesQuestion(ShownFileName());
    if (options_.ask_save_changes) return options_.ask_save_changes(question);
    QMessageBox box(QMessageBox::Warning, QString::fromUtf8(kSaveChangesCaption), QString::fromStdString(question),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setObjectName(QStringLiteral("SaveChangesBox"));
    box.setDefaultButton(QMessageBox::Save);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Save: return SaveAnswer::Save;
    case QMessageBox::Discard: return SaveAnswer::Discard;
    default: return SaveAnswer::Cancel;
    }
}

bool TMainForm::MaySetAside()
{
    CommitOpenEditors();
    if (!HasUnsavedChanges(state_)) return true;
    switch (AskSaveChanges()) {
    case SaveAnswer::Save: return Save1Click();
    case SaveAnswer::Discard: return true;
    case SaveAnswer::Cancel: break;
    }
    return false;
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!session_->RequestClose()) {
        // The controller's work ends first (a command, or a tick at its time-outs); what a
        // command reads belongs to the set-up the question below is about. The session says
        // when it has ended, and the window closes again.
        timerKPX_->stop();
        timercurrentpreset_->stop();
        sbKPX_->showMessage(QString::fromUtf8(kClosingText));
        event->ignore();
        return;
    }
    timerKPX_->stop();
    timercurrentpreset_->stop();
    if (!MaySetAside()) {
        // Cancel: the window goes on as it was.
        sbKPX_->clearMessage();
        SetTransferControls(true);
        event->ignore();
        return;
    }
    const FileResult result = WriteConfiguration(state_, places_);
    if (result.status == FileStatus::Failed) qWarning("%s", result.reason.c_str());
    event->accept();
}

void TMainForm::Print1Click()
{
    // The dialog keeps its settings for the run; it reads the saved ones when first made.
    if (asgprint_ == nullptr) asgprint_ = new PrintSettingsDialog(state_.table, places_.user_folder, this);
    if (asgprint_->exec() != QDialog::Accepted) return;
    SetBusyCursor(true);
    const PdfResult printed = asgprint_->PrintTable(
        PrintHooks{[this](int count) { asgbanksPrintStart(count); }, [this](int page) { asgbanksPrintPage(page); }});
    SetBusyCursor(false);
    sbKPX_->clearMessage();
    if (!printed.error.empty())
        messages_->ShowMessage(MessageIcon::Error, kFileErrorCaption.toStdString(), printed.error);
}

void TMainForm::asgbanksPrintStart(int page_count)
{
    print_page_count_ = page_count;
}

void TMainForm::asgbanksPrintPage(int page)
{
    // lPrinting stays hidden; the status bar shows the page to the user.
    lPrinting_->setText(QStringLiteral("Printing page ") + QString::number(page) + QStringLiteral(" of") +
                        QString::number(print_page_count_));
    sbKPX_->showMessage(QStringLiteral("Printing page %1 of %2").arg(page).arg(print_page_count_));
    sbKPX_->repaint();
}

// --- Library ---------------------------------------------------------------------------

void TMainForm::Comparewithfile1Click()
{
    if (CommandRunning()) return;
    QFileDialog dialog(this, QStringLiteral("Compare with file"));
    dialog.setObjectName(QStringLiteral("cdialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(QStringLiteral("Configuration file (*.ini)"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    CompareWithFile(LocalPath(dialog.selectedFiles().first()));
}

void TMainForm::CompareWithFile(const std::string& path)
{
    if (CommandRunning()) return;
    CommitOpenEditors();
    std::vector<SetupDifference> differences;
    const FileResult read = CompareWithPresetFile(state_.table, state_.settings, path, differences);
    if (read.status == FileStatus::Failed) return ShowFileFailure(read.reason);
    if (read.status == FileStatus::NotFound) return ShowFileFailure("The file \"" + path + "\" is not there.");
    ShowComparison(differences, QFileInfo(ShownPath(path)).fileName());
}

void TMainForm::OpenFromLibrary(const std::string& path, int preset)
{
    if (CommandRunning() || !MaySetAside()) return;
    OpenPath(path);
    if (preset < 0 || preset >= kPresetCount || state_.current_file != path) return;
    Configuration2_->setCurrentWidget(TabSheet1_);
    asgbanks_->ShowCell(TableRowOfPreset(static_cast<std::uint8_t>(preset)), kColumnName);
}

}  // namespace orvel
