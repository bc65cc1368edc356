// The "Library" page: every set-up the user keeps in the library folders, searchable. A tree
// of the folders and their files (with each preset file's banks) beside a table of every
// named preset; a search field over the table (Ctrl+F, arrows, Enter opens); presets and
// banks go to the preset grid by drag and drop or through its popup clipboard. The files
// are read on worker threads and followed while the window runs (files/library).
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QWidget>

#include "files/library/library_index.h"
#include "files/library/library_indexer.h"
#include "files/library/library_item.h"

class QAction;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QTableView;
class QTimer;
class QTreeView;

namespace orvel {

class FolderWatch;
class LibraryFilesModel;
class LibraryPresetsModel;
class PresetGrid;

// What the page needs of the window.
struct LibraryHooks {
    PresetGrid* grid = nullptr;                 // where dropped and copied presets and banks go
    QWidget* window = nullptr;                  // Ctrl+F works anywhere in it
    std::string user_folder;                    // where library.ini is kept
    std::optional<std::string> default_folder;  // else DefaultLibraryFolder()
    // "Open" on a file: the window's Open with its question about unsaved changes; `preset`
    // is the preset chosen in it (-1 for none), shown once the file is open.
    std::function<void(const std::string& path, int preset)> open;
    // "Compare with file" on a file.
    std::function<void(const std::string& path)> compare;
    // A failure to tell the user (a dropped file that can no longer be read).
    std::function<void(const std::string& text)> show_error;
};

class LibraryPage : public QWidget {
    Q_OBJECT
public:
    explicit LibraryPage(LibraryHooks hooks, QWidget* parent = nullptr);
    ~LibraryPage() override;
    LibraryPage(const LibraryPage&) = delete;
    LibraryPage& operator=(const LibraryPage&) = delete;

    // Makes the default folder when it is missing, then lists, reads and watches the
    // folders. The page's first showing does it; later calls do nothing.
    void Start();
    bool Started() const { return indexer_ != nullptr; }
    // Every file found so far has been read and shown (and the watch's changes taken in).
    bool Settled() const { return settled_ && pending_.empty(); }

    const std::string& DefaultFolder() const { return default_folder_; }
    const std::vector<std::string>& Folders() const { return index_.Folders(); }
    // Adds a folder of the user's (kept in library.ini); false, with the reason in the status
    // line, when it cannot be added.
    bool AddFolder(const std::string& folder);
    // Takes a folder the user added off the library (its files stay where they are).
    bool RemoveFolder(const std::string& folder);

    const LibraryIndex& Index() const { return index_; }
    QLineEdit* SearchField() const { return search_; }
    QTreeView* FilesView() const { return files_view_; }
    QTableView* PresetsView() const { return presets_view_; }
    LibraryPresetsModel* PresetsModel() const { return presets_model_; }
    LibraryFilesModel* FilesModel() const { return files_model_; }
    QLabel* StatusLine() const { return status_; }

    // The commands, on what is chosen: the current preset of the table, or the current
    // file or bank of the tree when it was used last.
    void OpenChosen();
    void CopyChosenPreset();
    void CopyChosenBank();
    void CompareChosen();
    // A library item dropped on a preset grid row.
    void DropOnGrid(const QByteArray& dropped, int table_row);
    // Ctrl+F: shows the page and puts the cursor in the search field.
    void FocusSearch();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildViews();
    void BuildActions();
    void FitColumns();
    void ApplyFolders();
    void SaveFolders();
    void TakeBatch(LibraryBatch batch);
    void ApplyBatches();
    void Refilter();
    void ShowStatus();
    void ShowNote(const QString& note);
    void ShowContextMenu(QWidget* view, const QPoint& at);
    std::optional<LibraryItem> ChosenPreset() const;
    std::optional<LibraryItem> ChosenBank() const;
    std::string ChosenFile() const;
    std::string ChosenFolder() const;
    // Reads a chosen item's file; a failure is told and gives false.
    bool ReadItem(const LibraryItem& item, LibrarySource& source);

    LibraryHooks hooks_;
    std::string default_folder_;
    std::vector<std::string> user_folders_;
    LibraryIndex index_;
    LibraryQuery query_;
    std::vector<LibraryBatch> pending_;
    std::size_t next_file_ = 0;  // of the first pending batch: the next to take in
    bool settled_ = false;
    bool tree_used_last_ = false;
    QString note_;  // the last command's outcome, shown before the counts

    QLineEdit* search_ = nullptr;
    QTreeView* files_view_ = nullptr;
    QTableView* presets_view_ = nullptr;
    LibraryFilesModel* files_model_ = nullptr;
    LibraryPresetsModel* presets_model_ = nullptr;
    QLabel* status_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;  // the commands' buttons, below the views
    QTimer* apply_timer_ = nullptr;
    QAction* open_ = nullptr;
    QAction* copy_preset_ = nullptr;
    QAction* copy_bank_ = nullptr;
    QAction* compare_ = nullptr;
    QAction* add_folder_ = nullptr;
    QAction* remove_folder_ = nullptr;

    // The watch hands its changes to the indexer: it goes first.
    std::unique_ptr<LibraryIndexer> indexer_;
    std::unique_ptr<FolderWatch> watch_;
};

}  // namespace orvel
