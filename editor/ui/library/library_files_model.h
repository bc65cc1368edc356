// The library's files as a tree: each library folder, the files found under it (the path
// below the folder, the time it was last changed, how many presets it names) and, under a
// preset file, its ten banks in the grid's order. A file that is not a preset file is
// greyed with the reason. A bank can be dragged onto the preset grid.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include <QStandardItemModel>

#include "files/library/library_item.h"
#include "files/library/library_record.h"

namespace orvel {

class LibraryFilesModel : public QStandardItemModel {
    Q_OBJECT
public:
    enum Column { kFileColumn, kModifiedColumn, kNamedColumn, kColumnCount };
    enum class Kind { Folder, File, Bank };

    explicit LibraryFilesModel(QObject* parent = nullptr);

    // The folders, in order, with no files under them yet; `default_folder` is marked so.
    void SetFolders(const std::vector<std::string>& folders, const std::string& default_folder);
    // Puts a file's row at `row` under its folder (the position the index gave it there),
    // in the place of the row it had.
    void PutFile(const LibraryFile& file, int row);
    void RemoveFile(const std::string& path);

    // What a row is, the path of its folder or file, and a bank's digit.
    static Kind KindOf(const QModelIndex& index);
    static std::string PathOf(const QModelIndex& index);
    static std::optional<LibraryItem> BankOf(const QModelIndex& index);

    QModelIndex IndexOfFile(const std::string& path) const;
    QModelIndex IndexOfFolder(const std::string& folder) const;

    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

private:
    QList<QStandardItem*> FileRow(const LibraryFile& file) const;

    std::vector<std::string> folders_;
    std::unordered_map<std::string, QStandardItem*> files_;  // path to the file's first item
};

}  // namespace orvel
