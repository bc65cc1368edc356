// TMainForm's elements: the menus, the toolbar with the progress bar, the pages with their
// grids, tiles and pictures, the status bar and the timers, and their places on the screen
// the window is laid out for.
#include <algorithm>
#include <string>

#include <QApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

#include "files/recent_files.h"
#include "ui/grid/preset_grid.h"
#include "ui/library/library_page.h"
#include "ui/pictures/controller_picture.h"
#include "ui/pictures/preview_picture.h"
#include "ui/qt_values.h"
#include "ui/rules/command_status.h"
#include "ui/rules/edit_captions.h"
#include "ui/rules/start_options.h"
#include "ui/settings/balloon_hints.h"
#include "ui/settings/option_tile.h"
#include "ui/settings/settings_grid.h"
#include "ui/window/app_icons.h"
#include "ui/window/com_port_dialog.h"
#include "ui/window/main_form.h"
#include "ui/window/undo_history.h"

namespace orvel {

namespace {

const QString kPresetFileFilter = QStringLiteral("Configuration file (*.ini)");

// Fonts, in design points.
constexpr double kWindowFontPoints = 8;
constexpr double kTileFontPoints = 12;

// Status bar panels, in pixels.
constexpr int kStatusPanel0Width = 468;
constexpr int kStatusPanel1Width = 467;

// How long a hint (a toolbar button's) stays visible.
constexpr int kHintVisibleMs = 32000;

constexpr int kMonitorIntervalMs = 1000;  // timerKPX
constexpr int kPreviewIntervalMs = 200;   // timercurrentpreset

constexpr std::string_view kPageSettingsCaption = "Settings";
constexpr std::string_view kPagePresetsCaption = "Presets";
constexpr std::string_view kPagePreviewCaption = "Preview";
constexpr std::string_view kPageLibraryCaption = "Library";

QRect BuildRect(const PixelRect& r)
{
    return {r.x, r.y, r.width, r.height};
}

}  // namespace

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
    // Library: "Compare with file…" beside the file commands.
    Comparewithfile1_ = NewAction("Comparewithfile1", QStringLiteral("Compare with file\u2026"));
    connect(Comparewithfile1_, &QAction::triggered, this, &TMainForm::Comparewithfile1Click);
    Loadfr1_->addAction(Comparewithfile1_);
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

    // The device commands' items, from their table, with a separator after each group.
    Datatransfer1_ = menuBar()->addMenu(QStringLiteral("Data transfer"));
    Datatransfer1_->setObjectName(QStringLiteral("Datatransfer1"));
    const std::array<void (TMainForm::*)(), kDeviceCommandCount> handlers = {
        &TMainForm::Readall1Click,      &TMainForm::Writeall1Click,
        &TMainForm::Readbank1Click,     &TMainForm::Writebank1Click,
        &TMainForm::Readpreset1Click,   &TMainForm::Writepreset1Click,
        &TMainForm::Readsettings1Click, &TMainForm::Writesettings1Click,
        &TMainForm::Checkdefault1Click, &TMainForm::Comparewithcontroller1Click,
    };
    int separator = 5;  // N5 to N8
    for (std::size_t i = 0; i < kDeviceCommands.size(); ++i) {
        const DeviceCommandInfo& info = kDeviceCommands[i];
        QAction* item = NewAction(std::string(info.element).c_str(), QtText(info.caption));
        connect(item, &QAction::triggered, this, handlers[i]);
        Datatransfer1_->addAction(item);
        command_items_[i] = item;
        if (info.separator_after) {
            separators_after_[i] = Datatransfer1_->addSeparator();
            separators_after_[i]->setObjectName(QStringLiteral("N%1").arg(separator++));
        }
    }
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
        state_.port_number = port;  // each job hands the link its number
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

    // Library: the fourth page; it takes drops and copies into asgbanks itself.
    LibraryHooks library;
    library.grid = asgbanks_;
    library.window = this;
    library.user_folder = places_.user_folder;
    library.default_folder = options_.library_folder;
    library.open = [this](const std::string& path, int preset) { OpenFromLibrary(path, preset); };
    library.compare = [this](const std::string& path) { CompareWithFile(path); };
    library.show_error = [this](const std::string& text) { ShowFileFailure(text); };
    tsLibrary_ = new LibraryPage(std::move(library));
    Configuration2_->addTab(tsLibrary_, QtText(kPageLibraryCaption));
}

// The file dialogs are made when first needed: one reads its folder, and the types of the
// files in it, as it is made, which at start would hold back the first connection's showing.
QFileDialog* TMainForm::OpenDialog()
{
    if (odialog_ == nullptr) {
        odialog_ = new QFileDialog(this, QStringLiteral("Open"));
        odialog_->setObjectName(QStringLiteral("odialog"));
        odialog_->setAcceptMode(QFileDialog::AcceptOpen);
        odialog_->setFileMode(QFileDialog::ExistingFile);
        odialog_->setNameFilter(kPresetFileFilter);
    }
    return odialog_;
}

QFileDialog* TMainForm::SaveDialog()
{
    if (sdialog_ == nullptr) {
        sdialog_ = new QFileDialog(this, QStringLiteral("Save As"));
        sdialog_->setObjectName(QStringLiteral("sdialog"));
        sdialog_->setAcceptMode(QFileDialog::AcceptSave);
        sdialog_->setFileMode(QFileDialog::AnyFile);
        sdialog_->setNameFilter(kPresetFileFilter);
        sdialog_->setDefaultSuffix(QStringLiteral("ini"));
        sdialog_->setOption(QFileDialog::DontConfirmOverwrite, false);
    }
    return sdialog_;
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
    pb_->setGeometry(BuildRect(layout_.progress_bar));
    pb_->raise();
    const int command_left = kCommandLabelLeftToolbarHeights * layout_.toolbar_height;
    lCommand_->setGeometry(command_left, 0, std::max(0, layout_.progress_bar.x - kCommandLabelGap - command_left),
                           layout_.toolbar_height);
    sbKPX_->setFixedHeight(layout_.status_bar_height);

    // The pages' top counts from the top of the client area, which begins with the toolbar.
    QRect pages = BuildRect(layout_.pages);
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
    i_kpx_->setGeometry(BuildRect(page.picture));
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        tiles_[i]->setGeometry(BuildRect(page.tiles[i]));
        tiles_[i]->raise();
    }
    aSetup_->ApplyLayout(page.setup_column_width, page.setup_row_height);
    aSetup_->setGeometry(BuildRect(page.setup_grid));

    const QSize box = sePort_->sizeHint();
    Label1_->adjustSize();
    Label1_->move(page.port_label_x, page.port_top + (box.height() - Label1_->height()) / 2);
    sePort_->setGeometry(PortBoxLeft(page.port_label_x, Label1_->width()), page.port_top, box.width(), box.height());
}

void TMainForm::PlacePresetsPage()
{
    const QSize sheet = SheetSize(Configuration2_, TabSheet1_);
    asgbanks_->ApplyLayout(screen_.width, screen_.height);
    const QRect grid = BuildRect(PresetGridRect(screen_, sheet.width(), sheet.height()));
    asgbanks_->setGeometry(grid);
    lPrinting_->adjustSize();
    lPrinting_->move(grid.left(), std::min(grid.bottom() + 2, sheet.height() - lPrinting_->height()));
}

void TMainForm::PlacePreviewPage()
{
    const QSize sheet = SheetSize(Configuration2_, tsPreview_);
    iPreview_->setGeometry(BuildRect(LayOutSettingsPage(screen_, sheet.width(), dpi_).preview));
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Resize) {
        if (watched == tsSetup_)
            PlaceSettingsPage();
        else if (watched == TabSheet1_)
            PlacePresetsPage();
        else if (watched == tsPreview_)
            PlacePreviewPage();
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

}  // namespace orvel
