#include "ui/window/main_form.h"

#include <chrono>
#include <vector>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QFontMetrics>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QUndoStack>

#include "device/commands/firmware_upgrade.h"
#include "files/file_commands.h"
#include "files/file_names.h"
#include "model/bank_functions.h"
#include "model/settings_tiles.h"
#include "ui/grid/preset_grid.h"
#include "ui/qt_values.h"
#include "ui/rules/command_status.h"
#include "ui/rules/edit_captions.h"
#include "ui/rules/start_options.h"
#include "ui/rules/window_title.h"
#include "ui/settings/option_tile.h"
#include "ui/settings/settings_grid.h"
#include "ui/window/app_icons.h"
#include "ui/window/message_boxes.h"
#include "ui/window/undo_history.h"
#include "ui/window/window_transfer_view.h"

namespace orvel {

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

constexpr int kRefusedMessageMs = 4000;

std::vector<std::string> StartArguments(const QStringList& arguments)
{
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(arguments.size()));
    for (const QString& argument : arguments) list.push_back(argument.toStdString());
    return list;
}

}  // namespace

TMainForm::TMainForm(const QStringList& arguments, MainFormOptions options, QWidget* parent)
    : QMainWindow(parent, kWindowFlags),
      options_(std::move(options)),
      own_messages_(options_.messages ? nullptr : std::make_unique<MessageBoxes>(this)),
      messages_(options_.messages ? options_.messages : own_messages_.get()),
      transfer_view_(std::make_unique<WindowTransferView>(*this)),
      places_(options_.config_places.value_or(CurrentConfigPlaces()))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowIcon(ProgramIcon());

    // 1. The title, with the version of the image the editor can upload.
    const std::optional<std::string> version =
        options_.image_version ? options_.image_version() : UploadableImageVersion();
    base_title_ = QString::fromStdString(orvel::BaseTitle(version));
    setWindowTitle(base_title_);

    // 2. Test mode from the first argument.
    test_mode_ = IsTestMode(StartArguments(arguments));

    // 3. Every wah-pad bank function on.
    state_.table.SetAllBankFunctions(DefaultBankFunctions());

    // 4. The screen the window is laid out for.
    ChooseScreen();

    // Changes from here on are undo steps; what the start-up loads is not.
    history_ = new UndoHistory(
        state_, [this] { RefreshViews(); }, this);
    session_ = std::make_unique<DeviceSession>(options_.transport.value_or(TransportKind::UsbConverter), state_,
                                               *history_, *messages_, *transfer_view_);
    ConnectSession();

    BuildMenus();
    BuildToolbar();
    BuildPages();
    BuildStatusBar();
    BuildTimers();
    CommandItem(DeviceCommand::CheckDefault)->setVisible(test_mode_);

    // 5. The port box is for the numbered serial port only: platform kind 3 hides it.
    if (PlatformKindOf(session_->Link().transport_kind) == kPlatformUsb) {
        Label1_->hide();
        sePort_->hide();
    }

    // 6. Layout, grids, pictures and the tiles' default codes.
    ApplyFonts();
    LayOutWindowParts();
    RefreshViews();

    // 7. The "Presets" page and its rule.
    Configuration2_->setCurrentWidget(TabSheet1_);
    connect(Configuration2_, &QTabWidget::currentChanged, this, &TMainForm::Configuration2Change);
    ApplyPageRule();

    // 8. Orvel.ini, which may load the last preset file; a file named on the command line
    // wins over it. What the start loads is the saved set-up; the recent files.
    ReadConfigurationAtStart();
    recent_ = LoadRecentFiles(places_.user_folder);
    if (options_.start_file) {
        const FileResult opened = OpenChosenFile(state_, *options_.start_file);
        if (opened.status == FileStatus::Failed) ShowFileFailure(opened.reason);
        if (opened.status == FileStatus::Done) RememberRecentFile(WithIniExtension(*options_.start_file));
    }
    MarkSaved(state_);
    RefreshViews();
    ShowRecentItems();

    // 9. Tiles over the picture, the port box beside the grid; redraw.
    PlaceSettingsPage();
    PlacePresetsPage();
    PlacePreviewPage();
    update();

    // The monitor looks for the controller at once, then every period.
    timerKPX_->start();
    QTimer::singleShot(0, this, &TMainForm::timerKPXTimer);
}

TMainForm::~TMainForm()
{
    // The session goes first: its job ends (questions answered No) while what it shows is
    // still there.
    session_.reset();
}

void TMainForm::SetTransferControls(bool enabled)
{
    // While a command runs its items stay off and the monitor stays paused to its end.
    const bool on = enabled && !CommandRunning();
    SetPopupTransferItems(enabled);
    if (on && !session_->CloseWaiting())
        timerKPX_->start();
    else
        timerKPX_->stop();
    pb_->setVisible(!enabled);
    ApplyPageRule();
}

void TMainForm::SetPopupTransferItems(bool enabled)
{
    for (QAction* item : {asgbanks_->WritePresetAction(), asgbanks_->WriteBankAction(), asgbanks_->ReadPresetAction(),
                          asgbanks_->ReadBankAction()})
        item->setEnabled(enabled && !CommandRunning());
}

void TMainForm::ApplyPageRule()
{
    const PageTransferState rule = TransferStateOfPageIndex(Configuration2_->currentIndex());
    ShowCommandItems(rule);
    // The settings popup belongs to the "Settings" page; only a running command stops it.
    Readsettings2_->setEnabled(!CommandRunning());
    Writesettings2_->setEnabled(!CommandRunning());
    if (rule.preview_timer) {
        if (!timercurrentpreset_->isActive()) timercurrentpreset_->start();
    } else {
        timercurrentpreset_->stop();
    }
}

void TMainForm::SetBusyCursor(bool busy)
{
    const QCursor cursor(busy ? Qt::WaitCursor : Qt::ArrowCursor);
    setCursor(cursor);
    asgbanks_->setCursor(cursor);
}

void TMainForm::ShowRefusedEntry(const QString& message)
{
    // The panels step aside for a few seconds while the status bar says why.
    sbKPX_->showMessage(message, kRefusedMessageMs);
}

void TMainForm::SetStatusPanel(int panel, const QString& text)
{
    if (panel < 0 || panel >= static_cast<int>(status_panels_.size())) return;
    status_panels_[static_cast<std::size_t>(panel)]->setText(text);
}

QString TMainForm::StatusPanel(int panel) const
{
    if (panel < 0 || panel >= static_cast<int>(status_panels_.size())) return {};
    return status_panels_[static_cast<std::size_t>(panel)]->text();
}

void TMainForm::makecaption(const QString& left, const QString& right)
{
    // The title bar belongs to the window manager; the title bar font the platform theme
    // gives (the application's font without one) and the style's title bar metrics stand in
    // for its own.
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
    const int buttons = style()->pixelMetric(QStyle::PM_TitleBarButtonSize, nullptr, this);
    const int border = style()->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, this);
    const int available = width() - 4 * buttons - 4 * border;
    const int spaces = CaptionSpaceCount(available, metrics.horizontalAdvance(left + right),
                                         metrics.horizontalAdvance(QLatin1Char(' ')));
    setWindowTitle(left + QString(spaces, QLatin1Char(' ')) + right);
}

void TMainForm::SetTitleRight(const std::optional<QString>& right)
{
    title_right_ = right;
    ShowTitle();
}

void TMainForm::ShowTitle()
{
    const QString left =
        QString::fromStdString(DocumentTitle(ShownFileName(), HasUnsavedChanges(state_), base_title_.toStdString()));
    if (title_right_)
        makecaption(left, *title_right_);
    else
        setWindowTitle(left);
}

void TMainForm::ShowCommandStep(const QString& step, bool open_ended)
{
    if (step != command_step_text_) {
        // The seconds count from the step's start.
        step_started_ = std::chrono::steady_clock::now();
        stepSeconds_->start();
    }
    command_step_text_ = step;
    // A step whose length cannot be counted (the erase) shows a moving bar.
    if (open_ended) pb_->setRange(0, 0);
    DrawCommandLine();
}

void TMainForm::DrawCommandLine()
{
    const auto seconds =
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - step_started_).count();
    lCommand_->setText(QString::fromStdString(
        CommandLineText(command_name_.toStdString(), command_step_text_.toStdString(), static_cast<int>(seconds))));
}

void TMainForm::ForgetShownPreset()
{
    shown_bank_ = 255;
    shown_preset_ = 255;
}

void TMainForm::RefreshViews()
{
    asgbanks_->Refresh();
    aSetup_->Model()->Reload();
    for (std::size_t i = 0; i < tiles_.size(); ++i) tiles_[i]->setText(QString::fromStdString(state_.settings.keys[i]));
    {
        const QSignalBlocker quiet(sePort_);
        sePort_->setValue(state_.port_number);
    }
    state_.port_number = sePort_->value();
    SetStatusPanel(1, ShownPath(state_.current_file));
    ShowTitle();
    // Names and the bank switch tiles may have changed: the preview draws its bank again.
    ForgetShownPreset();
}

void TMainForm::CommitOpenEditors()
{
    // An editor open in a grid hands its text over when it loses the focus.
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
}

void TMainForm::Configuration2Change(int)
{
    ApplyPageRule();
}

void TMainForm::ShowEditItems()
{
    // Undo and redo change the set-up: a command holding it turns them off as it does Paste.
    const QUndoStack& steps = history_->Stack();
    Undo1_->setText(QString::fromStdString(UndoItemCaption(kUndoCaption, steps.undoText().toStdString())));
    Redo1_->setText(QString::fromStdString(UndoItemCaption(kRedoCaption, steps.redoText().toStdString())));
    Undo1_->setEnabled(steps.canUndo() && !CommandRunning());
    Redo1_->setEnabled(steps.canRedo() && !CommandRunning());
}

void TMainForm::Undo1Click()
{
    StepHistory(true);
}

void TMainForm::Redo1Click()
{
    StepHistory(false);
}

void TMainForm::StepHistory(bool back)
{
    if (CommandRunning() || history_->Open()) return;
    // An editor open in a grid stores its entry first, as a step of its own; a grid that
    // merely has the focus keeps it.
    if (!qobject_cast<QAbstractItemView*>(QApplication::focusWidget())) CommitOpenEditors();
    if (back)
        history_->Stack().undo();
    else
        history_->Stack().redo();
    ClearComparison();  // the set-up compared is no longer the one shown
}

void TMainForm::TileClick(int tile)
{
    OptionTile* view = Tile(tile);
    if (!view) return;
    std::string& code = state_.settings.keys[static_cast<std::size_t>(tile - 1)];
    history_->Record(TileClickStep(tile), [&] { code = ClickTile(tile, code); });
    view->setText(QString::fromStdString(code));
    ClearComparison();
    if (TileClickResetsPreview(tile)) ForgetShownPreset();
}

}  // namespace orvel
