#include "ui/library/library_presets_model.h"

#include <QFile>
#include <QMimeData>

#include "files/library/library_table.h"
#include "ui/qt_values.h"

namespace orvel {

LibraryPresetsModel::LibraryPresetsModel(const LibraryIndex& index, QObject* parent)
    : QAbstractTableModel(parent), index_(index)
{
}

void LibraryPresetsModel::SetHits(std::vector<LibraryHit> hits)
{
    beginResetModel();
    hits_ = std::move(hits);
    endResetModel();
}

std::optional<LibraryItem> LibraryPresetsModel::ItemOfRow(int row) const
{
    if (row < 0 || row >= rowCount()) return std::nullopt;
    const LibraryHit& hit = hits_[static_cast<std::size_t>(row)];
    const LibraryFile& file = index_.Files()[hit.file];
    return LibraryItem{file.path, false, file.presets[hit.preset].number};
}

int LibraryPresetsModel::RowOf(const std::string& path, int number) const
{
    for (std::size_t row = 0; row < hits_.size(); ++row) {
        const LibraryFile& file = index_.Files()[hits_[row].file];
        if (file.presets[hits_[row].preset].number == number && file.path == path) return static_cast<int>(row);
    }
    return -1;
}

int LibraryPresetsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(hits_.size());
}

int LibraryPresetsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kLibraryColumnCount;
}

QVariant LibraryPresetsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const LibraryHit& hit = hits_[static_cast<std::size_t>(index.row())];
    const LibraryFile& file = index_.Files()[hit.file];
    switch (role) {
    case Qt::DisplayRole:
        return QString::fromStdString(LibraryCellText(file, file.presets[hit.preset], index.column()));
    case Qt::ToolTipRole:
        return index.column() == kLibraryColumnFile ? QFile::decodeName(QByteArray::fromStdString(file.path))
                                                    : QVariant();
    case Qt::TextAlignmentRole:
        return index.column() == kLibraryColumnFile || index.column() == kLibraryColumnName
                   ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                   : QVariant(Qt::AlignCenter);
    default: return {};
    }
}

QVariant LibraryPresetsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QtText(LibraryColumnCaption(section));
}

Qt::ItemFlags LibraryPresetsModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList LibraryPresetsModel::mimeTypes() const
{
    return {QtText(kLibraryItemMimeType)};
}

QMimeData* LibraryPresetsModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty()) return nullptr;
    const std::optional<LibraryItem> item = ItemOfRow(indexes.front().row());
    if (!item) return nullptr;
    auto* data = new QMimeData;
    data->setData(QtText(kLibraryItemMimeType), QByteArray::fromStdString(EncodeLibraryItem(*item)));
    return data;
}

}  // namespace orvel
