#include "ui/window/main_form.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "device/commands/compare_command.h"
#include "files/file_commands.h"
#include "files/file_io.h"
#include "files/file_names.h"
#include "model/bank_functions.h"
#include "model/model_constants.h"
#include "model/settings_tiles.h"
#include "ui/grid/preset_grid.h"
#include "ui/pictures/controller_picture.h"
#include "ui/pictures/preview_drawing.h"
#include "ui/pictures/preview_picture.h"
#include "ui/print/print_dialog.h"
#include "model/preset_popup.h"
#include "ui/qt_values.h"
#include "ui/rules/command_status.h"
#include "ui/rules/edit_captions.h"
#include "ui/rules/page_rules.h"
#include "ui/rules/start_options.h"
#include "ui/rules/window_title.h"
#include "ui/settings/balloon_hints.h"
#include "ui/settings/option_tile.h"
#include "ui/settings/settings_grid.h"
#include "ui/window/app_icons.h"
#include "ui/window/com_port_dialog.h"
#include "device/protocol/command_protocol.h"
#include "device/commands/default_check_command.h"
#include "device/commands/firmware_upgrade.h"
#include "ui/window/differences_dialog.h"
#include "ui/window/window_transfer_view.h"
#include "ui/window/message_boxes.h"
#include "ui/window/undo_history.h"

namespace orvel {

namespace {

constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

const QString kFileFilter = QStringLiteral("Configuration file (*.ini)");
const QString kErrorCaption = QStringLiteral("Error");
constexpr int kRefusedMessageMs = 4000;

QRect ToRect(const PixelRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

// Paths go to the file code in the file system's 8-bit form and come back the same way.
std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString ShownPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::vector<std::string> ArgumentList(const QStringList& arguments)
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
      device_thread_(std::make_unique<DeviceThread>(this)),
      device_messages_(*device_thread_, *messages_),
      usb_(converters_, device_messages_),
      link_(usb_, options_.transport.value_or(TransportKind::UsbConverter)),
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
    test_mode_ = IsTestMode(ArgumentList(arguments));

    // 3. Every wah-pad bank function on.
    state_.table.SetAllBankFunctions(DefaultBankFunctions());

    // 4. The screen the window is laid out for.
    ChooseScreen();

    // Changes from here on are undo steps; what the start-up loads is not.
    history_ = new UndoHistory(
        state_, [this] { RefreshViews(); }, this);

    BuildMenus();
    BuildToolbar();
    BuildPages();
    BuildStatusBar();
    BuildTimers();
    Checkdefault1_->setVisible(test_mode_);

    // 5. The port box is for the numbered serial port only: platform kind 3 hides it.
    if (PlatformKindOf(link_.transport_kind) == kPlatformUsb) {
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
    // A job still running ends first (its questions answered No); no port stays open.
    device_thread_->Stop();
    usb_.CloseDevice();
}

QAction* TMainForm::NewAction(const char* name, const QString& caption)
{
    auto* action = new QAction(caption, this);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void TMainForm::BuildMenus()
{
    Open1_ = NewAction("Open1", QStringLiteral("Open"));
    Open1_->setIcon(OpenIcon());
    Open1_->setShortcut(QKeySequence::Open);
    Save1_ = NewAction("Save1", QStringLiteral("Save"));
    Save1_->setIcon(SaveIcon());
    // "Save" is on from the start: without a file name it runs "Save As".
    Save1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    SaveAs1_ = NewAction("SaveAs1", QStringLiteral("Save As"));
    SaveAs1_->setIcon(SaveAsIcon());
    SaveAs1_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    Print1_ = NewAction("Print1", QStringLiteral("Print"));
    Print1_->setIcon(PrintIcon());
    Print1_->setShortcut(QKeySequence::Print);
    Quit1_ = NewAction("Quit1", QStringLiteral("&Quit"));
    Quit1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    Quit1_->setMenuRole(QAction::QuitRole);
    connect(Open1_, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(Save1_, &QAction::triggered, this, &TMainForm::Save1Click);
    connect(SaveAs1_, &QAction::triggered, this, &TMainForm::SaveAs1Click);
    connect(Print1_, &QAction::triggered, this, &TMainForm::Print1Click);
    connect(Quit1_, &QAction::triggered, this, &TMainForm::Quit1Click);

    Loadfr1_ = menuBar()->addMenu(QStringLiteral("&File"));
    Loadfr1_->setObjectName(QStringLiteral("Loadfr1"));
    Loadfr1_->addAction(Open1_);
    Loadfr1_->addAction(Save1_);
    Loadfr1_->addAction(SaveAs1_);
    Loadfr1_->addSeparator();
    Loadfr1_->addAction(Print1_);
    BuildRecentItems();
    Loadfr1_->addSeparator();
    Loadfr1_->addAction(Quit1_);

    Undo1_ = NewAction("Undo1", QtText(kUndoCaption));
    Undo1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo1_ = NewAction("Redo1", QtText(kRedoCaption));
    Redo1_->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(Undo1_, &QAction::triggered, this, &TMainForm::Undo1Click);
    connect(Redo1_, &QAction::triggered, this, &TMainForm::Redo1Click);
    Edit1_ = menuBar()->addMenu(QtText(kEditMenuCaption));
    Edit1_->setObjectName(QStringLiteral("Edit1"));
    Edit1_->addAction(Undo1_);
    Edit1_->addAction(Redo1_);
    QUndoStack& steps = history_->Stack();
    for (const auto changed : {&QUndoStack::canUndoChanged, &QUndoStack::canRedoChanged})
        connect(&steps, changed, this, &TMainForm::ShowEditItems);
    for (const auto changed : {&QUndoStack::undoTextChanged, &QUndoStack::redoTextChanged})
        connect(&steps, changed, this, &TMainForm::ShowEditItems);
    // Every change, undo and redo may make the set-up differ from its file, or no longer.
    connect(&steps, &QUndoStack::indexChanged, this, &TMainForm::ShowTitle);
    ShowEditItems();

    Readall1_ = NewAction("Readall1", QStringLiteral("Read all presets"));
    Writeall1_ = NewAction("Writeall1", QStringLiteral("Write all presets"));
    Readbank1_ = NewAction("Readbank1", QStringLiteral("Read bank"));
    Writebank1_ = NewAction("Writebank1", QStringLiteral("Write bank"));
    Readpreset1_ = NewAction("Readpreset1", QStringLiteral("Read preset"));
    Writepreset1_ = NewAction("Writepreset1", QStringLiteral("Write preset"));
    Readsettings1_ = NewAction("Readsettings1", QStringLiteral("Read settings"));
    Writesettings1_ = NewAction("Writesettings1", QStringLiteral("Write settings"));
    Checkdefault1_ = NewAction("Checkdefault1", QStringLiteral("Check &default"));
    Comparewithcontroller1_ = NewAction("Comparewithcontroller1", QStringLiteral("Compare with controller"));
    connect(Comparewithcontroller1_, &QAction::triggered, this, &TMainForm::Comparewithcontroller1Click);
    connect(Readall1_, &QAction::triggered, this, &TMainForm::Readall1Click);
    connect(Writeall1_, &QAction::triggered, this, &TMainForm::Writeall1Click);
    connect(Readbank1_, &QAction::triggered, this, &TMainForm::Readbank1Click);
    connect(Writebank1_, &QAction::triggered, this, &TMainForm::Writebank1Click);
    connect(Readpreset1_, &QAction::triggered, this, &TMainForm::Readpreset1Click);
    connect(Writepreset1_, &QAction::triggered, this, &TMainForm::Writepreset1Click);
    connect(Readsettings1_, &QAction::triggered, this, &TMainForm::Readsettings1Click);
    connect(Writesettings1_, &QAction::triggered, this, &TMainForm::Writesettings1Click);
    connect(Checkdefault1_, &QAction::triggered, this, &TMainForm::Checkdefault1Click);

    Datatransfer1_ = menuBar()->addMenu(QStringLiteral("Data transfer"));
    Datatransfer1_->setObjectName(QStringLiteral("Datatransfer1"));
    Datatransfer1_->addAction(Readall1_);
    Datatransfer1_->addAction(Writeall1_);
    N5_ = Datatransfer1_->addSeparator();
    N5_->setObjectName(QStringLiteral("N5"));
    Datatransfer1_->addAction(Readbank1_);
    Datatransfer1_->addAction(Writebank1_);
    N6_ = Datatransfer1_->addSeparator();
    N6_->setObjectName(QStringLiteral("N6"));
    Datatransfer1_->addAction(Readpreset1_);
    Datatransfer1_->addAction(Writepreset1_);
    N7_ = Datatransfer1_->addSeparator();
    N7_->setObjectName(QStringLiteral("N7"));
    Datatransfer1_->addAction(Readsettings1_);
    Datatransfer1_->addAction(Writesettings1_);
    Datatransfer1_->addAction(Checkdefault1_);
    N8_ = Datatransfer1_->addSeparator();
    N8_->setObjectName(QStringLiteral("N8"));
    Datatransfer1_->addAction(Comparewithcontroller1_);
    connect(Datatransfer1_, &QMenu::aboutToShow, this, &TMainForm::Datatransfer1Click);

    Firmwareupgrade1_ = menuBar()->addAction(QStringLiteral("Firmware upgrade"));
    Firmwareupgrade1_->setObjectName(QStringLiteral("Firmwareupgrade1"));
    connect(Firmwareupgrade1_, &QAction::triggered, this, &TMainForm::Firmwareupgrade1Click);

    pmSettings_ = new QMenu(this);
    pmSettings_->setObjectName(QStringLiteral("pmSettings"));
    Readsettings2_ = pmSettings_->addAction(QStringLiteral("Read settings"));
    Readsettings2_->setObjectName(QStringLiteral("Readsettings2"));
    Writesettings2_ = pmSettings_->addAction(QStringLiteral("Write settings"));
    Writesettings2_->setObjectName(QStringLiteral("Writesettings2"));
    connect(Readsettings2_, &QAction::triggered, this, &TMainForm::Readsettings2Click);
    connect(Writesettings2_, &QAction::triggered, this, &TMainForm::Writesettings2Click);
}

void TMainForm::BuildToolbar()
{
    tb1_ = new QToolBar(this);
    tb1_->setObjectName(QStringLiteral("tb1"));
    tb1_->setMovable(false);
    tb1_->setFloatable(false);
    tb1_->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, tb1_);
    tb1_->addAction(Open1_);
    tb1_->addAction(Save1_);
    tb1_->addAction(Print1_);
    tb1_->addSeparator();
    tb1_->widgetForAction(Open1_)->setObjectName(QStringLiteral("ToolButton9"));
    tb1_->widgetForAction(Save1_)->setObjectName(QStringLiteral("ToolButton1"));
    tb1_->widgetForAction(Print1_)->setObjectName(QStringLiteral("ToolButton2"));
    for (QAction* item : {Open1_, Save1_, Print1_}) tb1_->widgetForAction(item)->setToolTipDuration(kHintVisibleMs);

    pb_ = new QProgressBar(tb1_);
    pb_->setObjectName(QStringLiteral("pb"));
    pb_->setRange(0, 100);
    pb_->setValue(0);
    pb_->setTextVisible(false);
    pb_->hide();

    // The running command and its step sit left of the bar, so that the status bar keeps
    // showing the connection and the file while a command runs.
    lCommand_ = new QLabel(tb1_);
    lCommand_->setObjectName(QStringLiteral("lCommand"));
    lCommand_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lCommand_->hide();
    stepSeconds_ = new QTimer(this);
    stepSeconds_->setObjectName(QStringLiteral("stepSeconds"));
    stepSeconds_->setInterval(kStepSecondsIntervalMs);
    connect(stepSeconds_, &QTimer::timeout, this, &TMainForm::DrawCommandLine);
}

void TMainForm::BuildPages()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);
    Configuration2_ = new QTabWidget(central);
    Configuration2_->setObjectName(QStringLiteral("Configuration2"));

    tsSetup_ = new QWidget;
    tsSetup_->setObjectName(QStringLiteral("tsSetup"));
    TabSheet1_ = new QWidget;
    TabSheet1_->setObjectName(QStringLiteral("TabSheet1"));
    tsPreview_ = new QWidget;
    tsPreview_->setObjectName(QStringLiteral("tsPreview"));
    Configuration2_->addTab(tsSetup_, QtText(kPageSettingsCaption));
    Configuration2_->addTab(TabSheet1_, QtText(kPagePresetsCaption));
    Configuration2_->addTab(tsPreview_, QtText(kPagePreviewCaption));
    for (QWidget* sheet : {tsSetup_, TabSheet1_, tsPreview_}) sheet->installEventFilter(this);

    // Ctrl+Tab or Ctrl+PgDown, and Ctrl+Shift+Tab or Ctrl+PgUp, show the next and the
    // previous page from anywhere in the window, the grids and their editors included (an
    // open editor hands its entry over first); the page-change rule follows the page.
    const auto step_page = [this](int step) {
        CommitOpenEditors();
        const int count = Configuration2_->count();
        Configuration2_->setCurrentIndex((Configuration2_->currentIndex() + step + count) % count);
        Configuration2_->setFocus(Qt::TabFocusReason);
    };
    for (const QKeyCombination keys : {Qt::CTRL | Qt::Key_Tab, Qt::CTRL | Qt::Key_PageDown})
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this, [step_page] { step_page(1); });
    for (const QKeyCombination keys : {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, Qt::CTRL | Qt::Key_PageUp})
        connect(new QShortcut(QKeySequence(keys), this), &QShortcut::activated, this, [step_page] { step_page(-1); });

    // "Settings": the picture, the tiles over it, the settings grid and the port box.
    i_kpx_ = new ControllerPicture(tsSetup_);
    i_kpx_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(i_kpx_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmSettings_->popup(i_kpx_->mapToGlobal(at)); });
    balloons_ = new BalloonHints(this);
    for (int tile = 1; tile <= static_cast<int>(tiles_.size()); ++tile) {
        auto* view = new OptionTile(tile, tsSetup_);
        tiles_[static_cast<std::size_t>(tile - 1)] = view;
        balloons_->Watch(view);
        connect(view, &OptionTile::clicked, this, &TMainForm::TileClick);
    }
    aSetup_ = new SettingsGrid(state_.settings, tsSetup_);
    aSetup_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(aSetup_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmSettings_->popup(aSetup_->viewport()->mapToGlobal(at)); });
    connect(aSetup_, &SettingsGrid::entryRefused, this, &TMainForm::ShowRefusedEntry);
    connect(aSetup_->Model(), &SettingsGridModel::edited, this, &TMainForm::ClearComparison);
    connect(aSetup_, &SettingsGrid::cellsPasted, this, &TMainForm::ShowRefusedEntry);
    aSetup_->Model()->SetRecorder(history_);
    Label1_ = new QLabel(QStringLiteral("Port"), tsSetup_);
    Label1_->setObjectName(QStringLiteral("Label1"));
    sePort_ = new QSpinBox(tsSetup_);
    sePort_->setObjectName(QStringLiteral("sePort"));
    sePort_->setRange(kPortMin, kPortMax);
    sePort_->setValue(kPortBoxStartValue);
    Label1_->setBuddy(sePort_);
    connect(sePort_, &QSpinBox::valueChanged, this, [this](int port) {
        state_.port_number = port;   // each job hands the link its number
    });

    // "Presets": the preset grid with its popup; the printing label sits under it, hidden.
    asgbanks_ = new PresetGrid(state_.table, TabSheet1_);
    asgbanks_->setObjectName(QStringLiteral("asgbanks"));
    connect(asgbanks_, &PresetGrid::nameEdited, this, &TMainForm::ForgetShownPreset);
    connect(asgbanks_, &PresetGrid::setupEdited, this, &TMainForm::ClearComparison);
    connect(asgbanks_, &PresetGrid::entryRefused, this, &TMainForm::ShowRefusedEntry);
    connect(asgbanks_, &PresetGrid::inactiveCellKey, this, &TMainForm::ShowRefusedEntry);
    connect(asgbanks_, &PresetGrid::cellsPasted, this, &TMainForm::ShowRefusedEntry);
    asgbanks_->SetRecorder(history_);
    connect(asgbanks_->ReadBankAction(), &QAction::triggered, this, &TMainForm::ReadbankfromKPX1Click);
    connect(asgbanks_->WriteBankAction(), &QAction::triggered, this, &TMainForm::WritebanktoKPX1Click);
    connect(asgbanks_->ReadPresetAction(), &QAction::triggered, this, &TMainForm::ReadpresetfromKPX21Click);
    connect(asgbanks_->WritePresetAction(), &QAction::triggered, this, &TMainForm::WritepresettoKPX1Click);
    lPrinting_ = new QLabel(QStringLiteral("Printing page "), TabSheet1_);
    lPrinting_->setObjectName(QStringLiteral("lPrinting"));
    lPrinting_->hide();

    // "Preview": the live preview picture.
    iPreview_ = new PreviewPicture(tsPreview_);

    odialog_ = new QFileDialog(this, QStringLiteral("Open"));
    odialog_->setObjectName(QStringLiteral("odialog"));
    odialog_->setAcceptMode(QFileDialog::AcceptOpen);
    odialog_->setFileMode(QFileDialog::ExistingFile);
    odialog_->setNameFilter(kFileFilter);
    sdialog_ = new QFileDialog(this, QStringLiteral("Save As"));
    sdialog_->setObjectName(QStringLiteral("sdialog"));
    sdialog_->setAcceptMode(QFileDialog::AcceptSave);
    sdialog_->setFileMode(QFileDialog::AnyFile);
    sdialog_->setNameFilter(kFileFilter);
    sdialog_->setDefaultSuffix(QStringLiteral("ini"));
    sdialog_->setOption(QFileDialog::DontConfirmOverwrite, false);
}

void TMainForm::BuildStatusBar()
{
    sbKPX_ = new QStatusBar(this);
    sbKPX_->setObjectName(QStringLiteral("sbKPX"));
    sbKPX_->setSizeGripEnabled(false);
    setStatusBar(sbKPX_);
    const std::array<int, 2> widths = {kStatusPanel0Width, kStatusPanel1Width};
    for (std::size_t panel = 0; panel < status_panels_.size(); ++panel) {
        auto* label = new QLabel(sbKPX_);
        label->setObjectName(QStringLiteral("sbKPXPanel%1").arg(panel));
        label->setFixedWidth(widths[panel]);
        label->setAlignment(Qt::AlignVCenter | (panel == 0 ? Qt::AlignLeft : Qt::AlignRight));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        sbKPX_->addWidget(label);
        status_panels_[panel] = label;
    }
}

void TMainForm::BuildTimers()
{
    timerKPX_ = new QTimer(this);
    timerKPX_->setObjectName(QStringLiteral("timerKPX"));
    timerKPX_->setInterval(kMonitorIntervalMs);
    connect(timerKPX_, &QTimer::timeout, this, &TMainForm::timerKPXTimer);
    timercurrentpreset_ = new QTimer(this);
    timercurrentpreset_->setObjectName(QStringLiteral("timercurrentpreset"));
    timercurrentpreset_->setInterval(kPreviewIntervalMs);
    connect(timercurrentpreset_, &QTimer::timeout, this, &TMainForm::timercurrentpresetTimer);
}

void TMainForm::ChooseScreen()
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (!screens.isEmpty()) {
        std::vector<MonitorGeometry> monitors;
        for (const QScreen* screen : screens) {
            const QRect place = screen->geometry();
            monitors.push_back({place.x(), place.y(), place.width(), place.height()});
        }
        const QScreen* chosen = screens[static_cast<qsizetype>(ChooseMonitor(monitors))];
        monitor_ = chosen->geometry();
        screen_ = {monitor_.width(), monitor_.height()};
        dpi_ = chosen->logicalDotsPerInch();
    }
    if (options_.screen) screen_ = *options_.screen;
    if (options_.dpi) dpi_ = *options_.dpi;
}

void TMainForm::ApplyFonts()
{
    QFont window_font = QApplication::font();
    window_font.setPointSize(std::max(1, ScaleFontPoints(kWindowFontPoints, dpi_, screen_.width)));
    setFont(window_font);
    for (QMenu* menu : {Loadfr1_, Edit1_, Datatransfer1_, pmSettings_}) menu->setFont(window_font);
    balloons_->Window()->setFont(window_font);

    QFont tile_font = window_font;
    tile_font.setPointSize(std::max(1, ScaleFontPoints(kTileFontPoints, dpi_, screen_.width)));
    tile_font.setBold(true);
    for (OptionTile* tile : tiles_) tile->setFont(tile_font);

    QFont grid_font = window_font;
    grid_font.setPointSize(std::max(1, PresetGridFontPoints(kWindowFontPoints, dpi_, screen_)));
    asgbanks_->setFont(grid_font);
}

QFont TMainForm::TileFont() const
{
    return tiles_[0]->font();
}

void TMainForm::LayOutWindowParts()
{
    layout_ = LayOutWindow(screen_);
    setFixedSize(layout_.window.width, layout_.window.height);
    if (!monitor_.isNull()) move(monitor_.topLeft() + QPoint(layout_.window.x, layout_.window.y));

    tb1_->setFixedHeight(layout_.toolbar_height);
    const int icon = std::max(8, layout_.toolbar_height * 2 / 3);
    tb1_->setIconSize(QSize(icon, icon));
    pb_->setGeometry(ToRect(layout_.progress_bar));
    pb_->raise();
    const int command_left = kCommandLabelLeftToolbarHeights * layout_.toolbar_height;
    lCommand_->setGeometry(command_left, 0, std::max(0, layout_.progress_bar.x - kCommandLabelGap - command_left),
                           layout_.toolbar_height);
    sbKPX_->setFixedHeight(layout_.status_bar_height);

    // The pages' top counts from the top of the client area, which begins with the toolbar.
    QRect pages = ToRect(layout_.pages);
    pages.moveTop(std::max(0, layout_.pages.y - layout_.toolbar_height));
    Configuration2_->setGeometry(pages);
}

namespace {

// The size of the tab pages inside a tab widget of the given size. Before the window is
// shown the pages are not laid out yet, so the style is asked as the tab widget itself asks.
QSize SheetSize(const QTabWidget* tabs, const QWidget* sheet)
{
    if (tabs->isVisible()) return sheet->size();
    QStyleOptionTabWidgetFrame option;
    option.initFrom(tabs);
    option.rect = QRect(QPoint(0, 0), tabs->size());
    option.shape = QTabBar::RoundedNorth;
    option.tabBarSize = tabs->tabBar()->sizeHint();
    option.lineWidth = tabs->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, tabs);
    return tabs->style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, tabs).size();
}

}  // namespace

void TMainForm::PlaceSettingsPage()
{
    const QSize sheet = SheetSize(Configuration2_, tsSetup_);
    const SettingsPageLayout page = LayOutSettingsPage(screen_, sheet.width(), dpi_);
    i_kpx_->setGeometry(ToRect(page.picture));
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        tiles_[i]->setGeometry(ToRect(page.tiles[i]));
        tiles_[i]->raise();
    }
    aSetup_->ApplyLayout(page.setup_column_width, page.setup_row_height);
    aSetup_->setGeometry(ToRect(page.setup_grid));

    const QSize box = sePort_->sizeHint();
    Label1_->adjustSize();
    Label1_->move(page.port_label_x, page.port_top + (box.height() - Label1_->height()) / 2);
    sePort_->setGeometry(PortBoxLeft(page.port_label_x, Label1_->width()), page.port_top, box.width(), box.height());
}

void TMainForm::PlacePresetsPage()
{
    const QSize sheet = SheetSize(Configuration2_, TabSheet1_);
    asgbanks_->ApplyLayout(screen_.width, screen_.height);
    const QRect grid = ToRect(PresetGridRect(screen_, sheet.width(), sheet.height()));
    asgbanks_->setGeometry(grid);
    lPrinting_->adjustSize();
    lPrinting_->move(grid.left(), std::min(grid.bottom() + 2, sheet.height() - lPrinting_->height()));
}

void TMainForm::PlacePreviewPage()
{
    const QSize sheet = SheetSize(Configuration2_, tsPreview_);
    iPreview_->setGeometry(ToRect(LayOutSettingsPage(screen_, sheet.width(), dpi_).preview));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == tsSetup_) PlaceSettingsPage();
        else if (watched == TabSheet1_) PlacePresetsPage();
        else if (watched == tsPreview_) PlacePreviewPage();
    }
    return QMainWindow::eventFilter(watched, event);
}

OptionTile* TMainForm::Tile(int tile) const
{
    if (tile < 1 || tile > static_cast<int>(tiles_.size())) return nullptr;
    return tiles_[static_cast<std::size_t>(tile - 1)];
}

TfCOMPortNumber* TMainForm::CreatePortNumberDialog()
{
    if (!fCOMPortNumber_) fCOMPortNumber_ = new TfCOMPortNumber(this);
    return fCOMPortNumber_;
}

// --- View hooks ------------------------------------------------------------------------

void TMainForm::SetTransferControls(bool enabled)
{
    // While a command runs its items stay off and the monitor stays paused to its end.
    const bool on = enabled && !command_running_;
    for (QAction* item : {Readall1_, Writeall1_, Readpreset1_, Readbank1_, Writepreset1_, Writebank1_, Readsettings1_,
                          Writesettings1_, Comparewithcontroller1_})
        item->setEnabled(on);
    SetPopupTransferItems(enabled);
    if (on && !close_requested_) timerKPX_->start();
    else timerKPX_->stop();
    pb_->setVisible(!enabled);
    ApplyPageRule();
}

void TMainForm::SetPopupTransferItems(bool enabled)
{
    for (QAction* item : {asgbanks_->WritePresetAction(), asgbanks_->WriteBankAction(), asgbanks_->ReadPresetAction(),
                          asgbanks_->ReadBankAction()})
        item->setEnabled(enabled && !command_running_);
}

void TMainForm::ApplyPageRule()
{
    const PageTransferState rule = TransferStateOfPageIndex(Configuration2_->currentIndex());
    for (QAction* item : {Readall1_, Writeall1_, N5_, Readbank1_, Writebank1_, N6_, Readpreset1_, Writepreset1_, N7_})
        item->setEnabled(rule.preset_items && !command_running_);
    Readsettings1_->setEnabled(rule.settings_items && !command_running_);
    Writesettings1_->setEnabled(rule.settings_items && !command_running_);
    // The comparison reads presets and settings alike: offered wherever either kind is.
    Comparewithcontroller1_->setEnabled((rule.preset_items || rule.settings_items) && !command_running_);
    // The settings popup belongs to the "Settings" page; only a running command stops it.
    Readsettings2_->setEnabled(!command_running_);
    Writesettings2_->setEnabled(!command_running_);
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

std::string TMainForm::ShownFileName() const
{
    if (state_.current_file.empty()) return {};
    return QFileInfo(ShownPath(state_.current_file)).fileName().toStdString();
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

// --- Files -----------------------------------------------------------------------------

void TMainForm::ReadConfigurationAtStart()
{
    // A configuration that cannot be read leaves the editor as it starts.
    const FileResult result = ReadConfiguration(state_, places_);
    if (result.status == FileStatus::Failed) qWarning("%s", result.reason.c_str());
    RefreshViews();
}

void TMainForm::ShowFileFailure(const std::string& reason)
{
    messages_->ShowMessage(MessageIcon::Error, kErrorCaption.toStdString(), reason);
}

void TMainForm::CommitOpenEditors()
{
    // An editor open in a grid hands its text over when it loses the focus.
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
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
    if (command_running_) return;
    if (!IsExistingFile(path)) {
        if (RemoveRecentFile(recent_, path)) StoreRecentFiles();
        messages_->ShowMessage(MessageIcon::Warning, kErrorCaption.toStdString(), RecentFileMissingText(path));
        return;
    }
    if (MaySetAside()) OpenPath(path);
}

void TMainForm::BuildRecentItems()
{
    N9_ = Loadfr1_->addSeparator();
    N9_->setObjectName(QStringLiteral("N9"));
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        QAction* item = NewAction(QStringLiteral("RecentFile%1").arg(i + 1).toLatin1().constData(), QString());
        // The item carries the path's bytes: a name that is not UTF-8 opens the file it names.
        connect(item, &QAction::triggered, this,
                [this, item] { OpenRecentFile(item->data().toByteArray().toStdString()); });
        Loadfr1_->addAction(item);
        recent_items_.push_back(item);
    }
    ShowRecentItems();
}

void TMainForm::ShowRecentItems()
{
    for (std::size_t i = 0; i < recent_items_.size(); ++i) {
        QAction* item = recent_items_[i];
        const bool used = i < recent_.size();
        item->setVisible(used);
        item->setEnabled(used && !command_running_);
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
    if (odialog_->exec() != QDialog::Accepted) return;
    const QStringList chosen = odialog_->selectedFiles();
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
    if (sdialog_->exec() != QDialog::Accepted) return false;
    const QStringList chosen = sdialog_->selectedFiles();
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
    if (!device_thread_->Idle() || command_running_) {
        // The controller's work ends first (a command, or a tick at its time-outs); what a
        // command reads belongs to the set-up the question below is about.
        close_requested_ = true;
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

// --- Pages, menus and tiles ------------------------------------------------------------

void TMainForm::Configuration2Change(int)
{
    ApplyPageRule();
}

void TMainForm::Datatransfer1Click()
{
    asgbanks_->EnsureCurrentPresetRow();
    const std::optional<std::uint8_t> number = state_.table.PresetNumberOfRow(asgbanks_->CurrentRow());
    if (!number) return;
    const TransferCaptions captions = TransferCaptionsOfPreset(*number);
    Writebank1_->setText(QString::fromStdString(captions.write_bank));
    Readbank1_->setText(QString::fromStdString(captions.read_bank));
    Writepreset1_->setText(QString::fromStdString(captions.write_preset));
    Readpreset1_->setText(QString::fromStdString(captions.read_preset));
}

void TMainForm::ShowEditItems()
{
    // Undo and redo change the set-up: a command holding it turns them off as it does Paste.
    const QUndoStack& steps = history_->Stack();
    Undo1_->setText(QString::fromStdString(UndoItemCaption(kUndoCaption, steps.undoText().toStdString())));
    Redo1_->setText(QString::fromStdString(UndoItemCaption(kRedoCaption, steps.redoText().toStdString())));
    Undo1_->setEnabled(steps.canUndo() && !command_running_);
    Redo1_->setEnabled(steps.canRedo() && !command_running_);
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
    if (command_running_ || history_->Open()) return;
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

// --- Device commands -------------------------------------------------------------------

namespace {

// What a command works on, copied from the window's set-up when it is asked for.
struct CommandCopy {
    PresetTable table;
    SettingsData settings;
};

}  // namespace

void TMainForm::SetCommandRunning(bool running, const QString& name)
{
    command_running_ = running;
    for (QAction* item : {Open1_, Checkdefault1_, Firmwareupgrade1_}) item->setEnabled(!running);
    ShowRecentItems();
    asgbanks_->setEnabled(!running);
    aSetup_->setEnabled(!running);
    for (OptionTile* tile : tiles_) tile->setEnabled(!running);
    if (running) {
        for (QAction* item : {Readall1_, Writeall1_, Readpreset1_, Readbank1_, Writepreset1_, Writebank1_,
                              Readsettings1_, Writesettings1_, Comparewithcontroller1_})
            item->setEnabled(false);
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

void TMainForm::RunCommandJob(const QString& name, std::function<void()> job)
{
    if (command_running_ || close_requested_) return;   // one command at a time
    CommitOpenEditors();
    // What the controller holds is about to be read or changed: the marks of an earlier
    // comparison no longer hold.
    ClearComparison();
    SetCommandRunning(true, name);
    device_thread_->Post(std::move(job), [this] {
        if (command_step_) {
            // Every row the command handed back, all of them or those before a failure.
            command_step_ = false;
            history_->End();
        }
        SetCommandRunning(false);
        CloseIfAsked();
    });
}

void TMainForm::RunDeviceCommand(const QString& name, const std::function<void(TransferSession&)>& command)
{
    if (command_running_ || close_requested_) return;
    CommitOpenEditors();
    auto copy = std::make_shared<CommandCopy>(CommandCopy{state_.table, state_.settings});
    const auto port = static_cast<std::uint8_t>(sePort_->value());
    const std::optional<std::uint8_t> preset = state_.table.PresetNumberOfRow(CommandRow(state_.table.CurrentRow()));
    history_->Begin(TransferStep(name.toStdString(), preset.value_or(0)));
    command_step_ = true;
    RunCommandJob(name, [this, copy, port, command] {
        link_.port_number = port;
        ThreadTransferView view(*this, *device_thread_, copy->table, copy->settings);
        TransferSession session{link_, copy->table, copy->settings, buffer_, last_read_, view};
        command(session);
    });
}

void TMainForm::TakeRow(int table_row, const PresetData& row)
{
    state_.read_from_controller = true;
    state_.table.SetRow(table_row, row);
    asgbanks_->RowChanged(table_row);
}

void TMainForm::TakeBankFunction(int bank_digit, bool on)
{
    state_.read_from_controller = true;
    state_.table.SetBankFunction(bank_digit, on);
    asgbanks_->BankFunctionChanged(bank_digit);
}

void TMainForm::TakeSettings(const SettingsData& settings)
{
    state_.read_from_controller = true;
    state_.settings = settings;
    RefreshViews();
}

void TMainForm::CloseIfAsked()
{
    if (close_requested_ && device_thread_->Idle() && !command_running_) {
        close_requested_ = false;
        close();
    }
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
    if (!printed.error.empty()) messages_->ShowMessage(MessageIcon::Error, kErrorCaption.toStdString(), printed.error);
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

void TMainForm::Readall1Click() { RunDeviceCommand(Readall1_->text(), ReadAllPresets); }
void TMainForm::Writeall1Click() { RunDeviceCommand(Writeall1_->text(), WriteAllPresets); }
void TMainForm::Readbank1Click() { RunDeviceCommand(QStringLiteral("Read bank"), ReadBank); }
void TMainForm::Writebank1Click() { RunDeviceCommand(QStringLiteral("Write bank"), WriteBank); }
void TMainForm::Readpreset1Click() { RunDeviceCommand(QStringLiteral("Read preset"), ReadOnePreset); }
void TMainForm::Writepreset1Click() { RunDeviceCommand(QStringLiteral("Write preset"), WriteOnePreset); }
void TMainForm::Readsettings1Click() { RunDeviceCommand(Readsettings1_->text(), ReadSettings); }
void TMainForm::Writesettings1Click() { RunDeviceCommand(Writesettings1_->text(), WriteSettings); }
void TMainForm::Checkdefault1Click() { RunDeviceCommand(QStringLiteral("Check default"), CheckDefaults); }

void TMainForm::Comparewithcontroller1Click()
{
    RunDeviceCommand(Comparewithcontroller1_->text(), [this](TransferSession& session) {
        std::vector<SetupDifference> differences;
        if (CompareWithController(session, differences) != TransferOutcome::Done) return;
        device_thread_->OnWindow([this, differences] { ShowComparison(differences); });
    });
}

void TMainForm::ShowComparison(const std::vector<SetupDifference>& differences)
{
    ClearComparison();
    if (differences.empty()) {
        messages_->ShowMessage(MessageIcon::Information, "Compare with controller",
                               "The controller holds the same presets, bank functions and settings as the editor.");
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
    dDifferences_->ShowDifferences(comparison_);
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

void TMainForm::Firmwareupgrade1Click()
{
    const int port_box = sePort_->value();
    RunCommandJob(Firmwareupgrade1_->text(), [this, port_box] {
        const CommandCopy unused;
        ThreadTransferView view(*this, *device_thread_, unused.table, unused.settings);
        FirmwareUpgradeCommand(usb_, port_box, view);
    });
}

void TMainForm::timerKPXTimer()
{
    // The connection monitor's tick; a numbered serial port has none.
    if (UsesSerialPort(link_) || command_running_ || close_requested_ || monitor_in_flight_) return;
    timerKPX_->stop();
    monitor_in_flight_ = true;
    auto result = std::make_shared<MonitorResult>();
    device_thread_->Post(
        [this, result] {
            *result = RunMonitorTick(link_, [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); });
        },
        [this, result] {
            monitor_in_flight_ = false;
            ApplyMonitorResult(*result);
            if (!command_running_ && !close_requested_) timerKPX_->start();
            CloseIfAsked();
        });
}

void TMainForm::ApplyMonitorResult(const MonitorResult& result)
{
    if (result.finding == MonitorFinding::Identified) last_identity_ = result.shown_identity;
    const MonitorShow show = ShowOfMonitor(result, last_identity_);
    SetTitleRight(show.title_right ? std::optional<QString>(QString::fromStdString(*show.title_right)) : std::nullopt);
    if (show.status_text) SetStatusPanel(0, QString::fromStdString(*show.status_text));
    if (show.popup_items_enabled) SetPopupTransferItems(*show.popup_items_enabled);
}

void TMainForm::timercurrentpresetTimer()
{
    // The live preview's tick: asks for the active preset; a command holding the controller
    // keeps the picture as it is.
    if (command_running_ || close_requested_ || preview_in_flight_) return;
    preview_in_flight_ = true;
    auto reply = std::make_shared<std::optional<std::pair<std::uint8_t, std::uint8_t>>>();
    const auto port = static_cast<std::uint8_t>(sePort_->value());
    device_thread_->Post(
        [this, reply, port] {
            link_.port_number = port;
            // A reply that names no preset is a failure like a silent line: the picture stays.
            std::uint8_t preset = 0;
            if (QueryCurrentPreset(link_, preset))
                *reply = std::make_pair(static_cast<std::uint8_t>(preset / 10), static_cast<std::uint8_t>(preset % 10));
        },
        [this, reply] {
            preview_in_flight_ = false;
            if (*reply) ShowCurrentPreset((*reply)->first, (*reply)->second);
            CloseIfAsked();
        });
}

void TMainForm::ShowCurrentPreset(std::uint8_t bank_digit, std::uint8_t preset_digit)
{
    const std::optional<ShownDigits> digits = PreviewDigits(bank_digit, preset_digit);
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

}  // namespace orvel
