// The library's table of named presets as a Qt model: one row per preset the search found,
// the columns of files/library/library_table.h. A row can be dragged onto the preset grid.
// The index it reads must not change without a SetHits right after it.
#pragma once

#include <optional>
#include <vector>

#include <QAbstractTableModel>

#include "files/library/library_index.h"
#include "files/library/library_item.h"

namespace orvel {

class LibraryPresetsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    LibraryPresetsModel(const LibraryIndex& index, QObject* parent = nullptr);

    // The presets shown from now on (the model is reset).
    void SetHits(std::vector<LibraryHit> hits);
    const std::vector<LibraryHit>& Hits() const { return hits_; }

    // The preset of a row as a library item; nullopt outside the rows.
    std::optional<LibraryItem> ItemOfRow(int row) const;
    // The row showing this preset of this file; -1 when none does.
    int RowOf(const std::string& path, int number) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }

private:
    const LibraryIndex& index_;
    std::vector<LibraryHit> hits_;
};

}  // namespace orvel
