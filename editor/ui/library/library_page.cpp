#include "ui/library/library_page.h"

#include <algorithm>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QShortcut>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

#include "files/library/folder_watch.h"
#include "files/library/library_folders.h"
#include "files/library/library_table.h"
#include "model/model_constants.h"
#include "ui/grid/preset_grid.h"
#include "ui/library/library_files_model.h"
#include "ui/library/library_presets_model.h"
#include "ui/qt_values.h"

namespace orvel {

namespace {

// Batches from the readers are taken in together, at most this often: each turn searches
// the whole index again and has both views painted again.
constexpr int kApplyIntervalMs = 100;
// What one turn of the window's thread spends taking records in, at most.
constexpr int kApplyTurnMs = 10;
constexpr int kFilesViewPercent = 35;
constexpr int kRowMargin = 4;  // pixels above and below a row's text, together

QString ShownLibraryPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string FileSystemPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString LastPart(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return ShownLibraryPath(slash == std::string::npos ? path : path.substr(slash + 1));
}

// The widest text a column of the table shows in practice (its caption may be wider).
const char* WidestText(int column)
{
    switch (column) {
    case kLibraryColumnFile: return "set-list/gig-2026.ini";
    case kLibraryColumnName: return "Crunch Verse 12";
    case kLibraryColumnType: return "SWITCH";
    case kLibraryColumnLoops: return "123456";
    case kLibraryColumnSwitches: return "1234";
    default: return "128";
    }
}

}  // namespace

LibraryPage::LibraryPage(LibraryHooks hooks, QWidget* parent) : QWidget(parent), hooks_(std::move(hooks))
{
    setObjectName(QStringLiteral("tsLibrary"));
    BuildViews();
    BuildActions();
    apply_timer_ = new QTimer(this);
    apply_timer_->setSingleShot(true);
    connect(apply_timer_, &QTimer::timeout, this, &LibraryPage::ApplyBatches);
    if (hooks_.grid) {
        hooks_.grid->AcceptDrops(QtText(kLibraryItemMimeType));
        connect(hooks_.grid, &PresetGrid::itemDropped, this, &LibraryPage::DropOnGrid);
    }
    ShowStatus();
}

LibraryPage::~LibraryPage()
{
    // The watch feeds the indexer, and the indexer this page: they stop in that order.
    watch_.reset();
    indexer_.reset();
}

void LibraryPage::BuildViews()
{
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("eLibrarySearch"));
    search_->setPlaceholderText(QStringLiteral("Search: name, preset number or file (Ctrl+F)"));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(this);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        query_ = ParseLibraryQuery(text.toStdString());
        Refilter();
    });

    files_model_ = new LibraryFilesModel(this);
    files_view_ = new QTreeView(this);
    files_view_->setObjectName(QStringLiteral("tvLibraryFiles"));
    files_view_->setModel(files_model_);
    files_view_->setUniformRowHeights(true);
    files_view_->setDragEnabled(true);
    files_view_->setDragDropMode(QAbstractItemView::DragOnly);
    files_view_->setSelectionMode(QAbstractItemView::SingleSelection);
    files_view_->header()->setStretchLastSection(false);
    files_view_->header()->setSectionResizeMode(LibraryFilesModel::kFileColumn, QHeaderView::Stretch);
    files_view_->installEventFilter(this);

    presets_model_ = new LibraryPresetsModel(index_, this);
    presets_view_ = new QTableView(this);
    presets_view_->setObjectName(QStringLiteral("tvLibraryPresets"));
    presets_view_->setModel(presets_model_);
    presets_view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    presets_view_->setSelectionMode(QAbstractItemView::SingleSelection);
    presets_view_->setDragEnabled(true);
    presets_view_->setDragDropMode(QAbstractItemView::DragOnly);
    presets_view_->setWordWrap(false);
    presets_view_->verticalHeader()->hide();
    // A hundred thousand rows: every row one line high, every column a fixed width, so that
    // nothing measures the rows' texts.
    presets_view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    presets_view_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    presets_view_->installEventFilter(this);

    for (QWidget* view : {static_cast<QWidget*>(files_view_), static_cast<QWidget*>(presets_view_)}) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& at) { ShowContextMenu(view, at); });
    }
    connect(presets_view_, &QAbstractItemView::activated, this, [this] {
        tree_used_last_ = false;
        OpenChosen();
    });
    connect(files_view_, &QAbstractItemView::activated, this, [this](const QModelIndex& index) {
        tree_used_last_ = true;
        if (LibraryFilesModel::KindOf(index) != LibraryFilesModel::Kind::Folder) OpenChosen();
    });

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("lLibraryStatus"));
    // Its text changes with every batch: it must not lay the page out again each time.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(files_view_);
    splitter->addWidget(presets_view_);
    splitter->setStretchFactor(0, kFilesViewPercent);
    splitter->setStretchFactor(1, 100 - kFilesViewPercent);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(search_);
    layout->addWidget(splitter, 1);
    buttons_ = new QHBoxLayout;
    layout->addLayout(buttons_);
    layout->addWidget(status_);
}

void LibraryPage::BuildActions()
{
    const auto make = [this](const char* name, const QString& caption, void (LibraryPage::*run)()) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, run);
        return action;
    };
    open_ = make("LibraryOpen1", QStringLiteral("Open"), &LibraryPage::OpenChosen);
    copy_preset_ = make("LibraryCopypreset1", QStringLiteral("Copy preset"), &LibraryPage::CopyChosenPreset);
    copy_bank_ = make("LibraryCopybank1", QStringLiteral("Copy bank"), &LibraryPage::CopyChosenBank);
    compare_ = make("LibraryCompare1", QStringLiteral("Compare with file"), &LibraryPage::CompareChosen);
    add_folder_ = new QAction(QStringLiteral("Add folder\u2026"), this);
    add_folder_->setObjectName(QStringLiteral("LibraryAddfolder1"));
    connect(add_folder_, &QAction::triggered, this, [this] {
        const QString chosen = QFileDialog::getExistingDirectory(this, QStringLiteral("Add a folder to the library"));
        if (!chosen.isEmpty()) AddFolder(FileSystemPath(chosen));
    });
    remove_folder_ = new QAction(QStringLiteral("Remove folder"), this);
    remove_folder_->setObjectName(QStringLiteral("LibraryRemovefolder1"));
    connect(remove_folder_, &QAction::triggered, this, [this] {
        if (!RemoveFolder(ChosenFolder()))
            ShowNote(QStringLiteral("Choose a folder added to the library; the default folder stays."));
    });
    // Ctrl+C in the table or the tree copies what is chosen there.
    copy_preset_->setShortcut(QKeySequence::Copy);
    copy_preset_->setShortcutContext(Qt::WidgetShortcut);
    presets_view_->addAction(copy_preset_);
    auto* copy_bank_keys = new QShortcut(QKeySequence::Copy, files_view_, nullptr, nullptr, Qt::WidgetShortcut);
    connect(copy_bank_keys, &QShortcut::activated, this, &LibraryPage::CopyChosenBank);

    for (QAction* action : {open_, copy_preset_, copy_bank_, compare_, add_folder_, remove_folder_}) {
        auto* button = new QToolButton(this);
        button->setDefaultAction(action);
        button->setObjectName(QStringLiteral("b") + action->objectName());
        buttons_->addWidget(button);
    }
    buttons_->addStretch(1);

    // Ctrl+F anywhere in the window.
    auto* find = new QShortcut(QKeySequence::Find, hooks_.window ? hooks_.window : this);
    find->setObjectName(QStringLiteral("LibraryFind"));
    find->setContext(Qt::WindowShortcut);
    connect(find, &QShortcut::activated, this, &LibraryPage::FocusSearch);
}

void LibraryPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    FitColumns();
    Start();  // first use
}

void LibraryPage::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange) FitColumns();
    QWidget::changeEvent(event);
}

void LibraryPage::FitColumns()
{
    // Widths from the font rather than from the rows' texts, which a hundred thousand rows
    // would make slow to measure.
    const QFontMetrics text(presets_view_->font());
    const QFontMetrics caption(presets_view_->horizontalHeader()->font());
    const int padding = text.horizontalAdvance(QLatin1Char('M'));
    presets_view_->verticalHeader()->setDefaultSectionSize(text.height() + kRowMargin);
    for (int column = 0; column < kLibraryColumnCount; ++column) {
        const int widest = std::max(text.horizontalAdvance(QString::fromLatin1(WidestText(column))),
                                    caption.horizontalAdvance(QtText(LibraryColumnCaption(column))));
        presets_view_->setColumnWidth(column, widest + padding);
    }
    const QFontMetrics files(files_view_->font());
    files_view_->header()->resizeSection(LibraryFilesModel::kModifiedColumn,
                                         files.horizontalAdvance(QStringLiteral("2026-12-31 23:59")) + padding);
    files_view_->header()->resizeSection(LibraryFilesModel::kNamedColumn,
                                         files.horizontalAdvance(QStringLiteral("100 named")) + padding);
}

void LibraryPage::Start()
{
    if (indexer_) return;
    // A drag from here to the preset grid passes over the page tabs: hovering over "Presets"
    // shows that page.
    for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
            tabs->tabBar()->setChangeCurrentOnDrag(true);
            tabs->tabBar()->setAcceptDrops(true);
            break;
        }
    }
    indexer_ = std::make_unique<LibraryIndexer>([this](LibraryBatch batch) {
        // From a reader thread to the window's.
        auto carried = std::make_shared<LibraryBatch>(std::move(batch));
        QMetaObject::invokeMethod(
            this, [this, carried] { TakeBatch(std::move(*carried)); }, Qt::QueuedConnection);
    });
    watch_ = std::make_unique<FolderWatch>([this](FolderChanges changes) {
        if (changes.lost)
            indexer_->Rescan();
        else
            indexer_->Changed(std::move(changes.paths));
    });
    default_folder_ = hooks_.default_folder.value_or(DefaultLibraryFolder());
    if (!default_folder_.empty()) {
        const FileResult made = MakeLibraryFolder(default_folder_);
        if (made.status == FileStatus::Failed) note_ = QString::fromStdString(made.reason);
    }
    user_folders_ = LoadLibraryFolders(hooks_.user_folder);
    ApplyFolders();
}

void LibraryPage::ApplyFolders()
{
    std::vector<std::string> folders;
    if (!default_folder_.empty()) folders.push_back(default_folder_);
    folders.insert(folders.end(), user_folders_.begin(), user_folders_.end());
    index_.SetFolders(folders);
    files_model_->SetFolders(folders, default_folder_);
    for (std::size_t f = 0; f < folders.size(); ++f) {
        const auto [first, last] = index_.FilesOfFolder(f);
        for (std::size_t i = first; i < last; ++i)
            files_model_->PutFile(index_.Files()[i], static_cast<int>(i - first));
        files_view_->expand(files_model_->IndexOfFolder(folders[f]));
    }
    settled_ = false;
    indexer_->SetFolders(folders);
    watch_->Watch(folders);
    Refilter();
}

bool LibraryPage::AddFolder(const std::string& folder)
{
    Start();
    if (!AddLibraryFolder(user_folders_, folder, default_folder_)) {
        ShowNote(QStringLiteral("\"%1\" is already in the library, or lies inside or around a library folder.")
                     .arg(ShownLibraryPath(folder)));
        return false;
    }
    SaveFolders();
    ApplyFolders();
    return true;
}

bool LibraryPage::RemoveFolder(const std::string& folder)
{
    Start();
    if (!RemoveLibraryFolder(user_folders_, folder)) return false;
    SaveFolders();
    ApplyFolders();
    return true;
}

void LibraryPage::SaveFolders()
{
    const FileResult saved = SaveLibraryFolders(hooks_.user_folder, user_folders_);
    ShowNote(saved.status == FileStatus::Failed ? QString::fromStdString(saved.reason) : QString());
}

void LibraryPage::TakeBatch(LibraryBatch batch)
{
    pending_.push_back(std::move(batch));
    if (!apply_timer_->isActive()) apply_timer_->start(kApplyIntervalMs);
}

void LibraryPage::ApplyBatches()
{
    // A turn of the window's thread takes in what fits its time; the rest waits for the next
    // turn, after the events that came meanwhile.
    QElapsedTimer turn;
    turn.start();
    while (!pending_.empty() && turn.elapsed() < kApplyTurnMs) {
        LibraryBatch& batch = pending_.front();
        for (const std::string& path : batch.removed) {
            for (const LibraryFile& file : index_.Files())
                if (IsInFolder(file.path, path)) files_model_->RemoveFile(file.path);
            index_.Remove(path);
        }
        batch.removed.clear();
        for (; next_file_ < batch.files.size() && turn.elapsed() < kApplyTurnMs; ++next_file_) {
            LibraryFile& file = batch.files[next_file_];
            const std::string folder = file.folder;
            const std::optional<std::size_t> place = index_.Put(std::move(file));
            if (!place) continue;
            const auto folder_place = static_cast<std::size_t>(
                std::find(index_.Folders().begin(), index_.Folders().end(), folder) - index_.Folders().begin());
            const std::size_t first = index_.FilesOfFolder(folder_place).first;
            files_model_->PutFile(index_.Files()[*place], static_cast<int>(*place - first));
        }
        if (next_file_ < batch.files.size()) break;
        settled_ = batch.settled;
        next_file_ = 0;
        pending_.erase(pending_.begin());
    }
    Refilter();
    if (!pending_.empty()) apply_timer_->start(kApplyIntervalMs);
}

void LibraryPage::Refilter()
{
    // The preset chosen in the table stays chosen, and in view, when the search still finds
    // it; otherwise the first one found is chosen and shown.
    const std::optional<LibraryItem> chosen = presets_model_->ItemOfRow(presets_view_->currentIndex().row());
    presets_model_->SetHits(index_.Search(query_));
    const int kept = chosen ? presets_model_->RowOf(chosen->path, chosen->number) : -1;
    const int row = kept >= 0 ? kept : 0;
    if (row >= presets_model_->rowCount()) {
        ShowStatus();
        return;
    }
    presets_view_->setAutoScroll(false);
    presets_view_->selectionModel()->setCurrentIndex(presets_model_->index(row, kLibraryColumnName),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    presets_view_->setAutoScroll(true);
    if (kept < 0) presets_view_->scrollToTop();
    ShowStatus();
}

void LibraryPage::ShowStatus()
{
    QString text;
    if (!note_.isEmpty()) text = note_ + QStringLiteral("  \u2014  ");
    std::size_t preset_files = 0;
    for (const LibraryFile& file : index_.Files()) preset_files += file.preset_file ? 1 : 0;
    text += QStringLiteral("%1 preset files, %2 named presets").arg(preset_files).arg(index_.PresetCount());
    if (!query_.words.empty()) text += QStringLiteral(", %1 found").arg(presets_model_->rowCount());
    if (Started() && !Settled()) text += QStringLiteral("; reading the library\u2026");
    status_->setText(text);
}

void LibraryPage::ShowNote(const QString& note)
{
    note_ = note;
    ShowStatus();
}

void LibraryPage::FocusSearch()
{
    for (QWidget* up = parentWidget(); up != nullptr; up = up->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(up)) {
            tabs->setCurrentWidget(this);
            break;
        }
    }
    search_->setFocus(Qt::ShortcutFocusReason);
    search_->selectAll();
}

bool LibraryPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        if (watched == files_view_) tree_used_last_ = true;
        if (watched == presets_view_ || watched == search_) tree_used_last_ = false;
    }
    if (watched == search_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // The arrows move in the results while the cursor stays in the field.
            QCoreApplication::sendEvent(presets_view_, event);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter: OpenChosen(); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LibraryPage::ShowContextMenu(QWidget* view, const QPoint& at)
{
    tree_used_last_ = view == files_view_;
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("pmLibrary"));
    const bool file = !ChosenFile().empty();
    open_->setEnabled(file);
    compare_->setEnabled(file);
    copy_preset_->setEnabled(ChosenPreset().has_value());
    copy_bank_->setEnabled(ChosenBank().has_value());
    const std::string folder = ChosenFolder();
    remove_folder_->setEnabled(!folder.empty() && folder != default_folder_);
    menu.addActions({open_, copy_preset_, copy_bank_, compare_});
    menu.addSeparator();
    menu.addActions({add_folder_, remove_folder_});
    auto* scroll = qobject_cast<QAbstractItemView*>(view);
    menu.exec(scroll ? scroll->viewport()->mapToGlobal(at) : view->mapToGlobal(at));
    for (QAction* action : {open_, copy_preset_, copy_bank_, compare_, remove_folder_}) action->setEnabled(true);
}

std::optional<LibraryItem> LibraryPage::ChosenPreset() const
{
    if (tree_used_last_) return std::nullopt;
    return presets_model_->ItemOfRow(presets_view_->currentIndex().row());
}

std::optional<LibraryItem> LibraryPage::ChosenBank() const
{
    if (tree_used_last_) return LibraryFilesModel::BankOf(files_view_->currentIndex());
    std::optional<LibraryItem> preset = ChosenPreset();
    if (!preset) return std::nullopt;
    preset->bank = true;
    preset->number = static_cast<std::uint8_t>(preset->number / kPresetsPerBank);
    return preset;
}

std::string LibraryPage::ChosenFile() const
{
    if (!tree_used_last_) {
        const std::optional<LibraryItem> preset = ChosenPreset();
        return preset ? preset->path : std::string();
    }
    const QModelIndex current = files_view_->currentIndex();
    if (!current.isValid() || LibraryFilesModel::KindOf(current) == LibraryFilesModel::Kind::Folder) return {};
    return LibraryFilesModel::PathOf(current);
}

std::string LibraryPage::ChosenFolder() const
{
    const QModelIndex current = files_view_->currentIndex();
    if (tree_used_last_ && current.isValid() && LibraryFilesModel::KindOf(current) == LibraryFilesModel::Kind::Folder)
        return LibraryFilesModel::PathOf(current);
    const std::string file = ChosenFile();
    for (const std::string& folder : index_.Folders())
        if (!file.empty() && IsInFolder(file, folder)) return folder;
    return {};
}

bool LibraryPage::ReadItem(const LibraryItem& item, LibrarySource& source)
{
    const FileResult read = ReadLibraryItem(item, source);
    if (read.status == FileStatus::Done) return true;
    const std::string text =
        read.status == FileStatus::NotFound ? "The file \"" + item.path + "\" is no longer there." : read.reason;
    if (hooks_.show_error) hooks_.show_error(text);
    return false;
}

void LibraryPage::OpenChosen()
{
    const std::string path = ChosenFile();
    if (path.empty() || !hooks_.open) return;
    const std::optional<LibraryItem> preset = ChosenPreset();
    hooks_.open(path, preset ? preset->number : -1);
}

void LibraryPage::CopyChosenPreset()
{
    const std::optional<LibraryItem> item = ChosenPreset();
    LibrarySource source;
    if (!item || !hooks_.grid || !ReadItem(*item, source)) return;
    hooks_.grid->CopyPresetFrom(source.table, source.row);
    ShowNote(QStringLiteral("Preset %1 of %2 copied: \"Paste preset\" in the preset grid puts it in")
                 .arg(QtText(TwoDigitNumber(item->number)), LastPart(item->path)));
}

void LibraryPage::CopyChosenBank()
{
    const std::optional<LibraryItem> item = ChosenBank();
    LibrarySource source;
    if (!item || !hooks_.grid || !ReadItem(*item, source)) return;
    hooks_.grid->CopyBankFrom(source.table, source.row);
    ShowNote(QStringLiteral("Bank %1 of %2 copied: \"Paste bank\" in the preset grid puts it in")
                 .arg(item->number)
                 .arg(LastPart(item->path)));
}

void LibraryPage::CompareChosen()
{
    const std::string path = ChosenFile();
    if (!path.empty() && hooks_.compare) hooks_.compare(path);
}

void LibraryPage::DropOnGrid(const QByteArray& dropped, int table_row)
{
    const std::optional<LibraryItem> item = DecodeLibraryItem(dropped.toStdString());
    LibrarySource source;
    if (!item || !hooks_.grid || !ReadItem(*item, source)) return;
    if (item->bank)
        hooks_.grid->DropBank(source.table, source.row, table_row);
    else
        hooks_.grid->DropPreset(source.table, source.row, table_row);
}

}  // namespace orvel
