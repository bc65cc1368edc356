#include "ui/library/library_files_model.h"

#include <algorithm>

#include <QApplication>
#include <QDateTime>
#include <QFile>
#include <QMimeData>
#include <QPalette>

#include "files/library/library_table.h"
#include "model/model_constants.h"
#include "model/preset_numbering.h"
#include "ui/qt_values.h"

namespace orvel {

namespace {

constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kPathRole = Qt::UserRole + 2;
constexpr int kBankRole = Qt::UserRole + 3;
constexpr std::int64_t kNanosecondsPerMillisecond = 1000000;

const QString kDefaultMark = QStringLiteral(" (default)");
const QString kModifiedFormat = QStringLiteral("yyyy-MM-dd HH:mm");

QString ShownBytes(const std::string& bytes)
{
    return QFile::decodeName(QByteArray::fromStdString(bytes));
}

QStandardItem* Cell(const QString& text, LibraryFilesModel::Kind kind, const std::string& path, int bank = -1)
{
    auto* item = new QStandardItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setData(static_cast<int>(kind), kKindRole);
    item->setData(QByteArray::fromStdString(path), kPathRole);
    item->setData(bank, kBankRole);
    return item;
}

QString NamedCount(qsizetype count)
{
    return count == 1 ? QStringLiteral("1 named") : QStringLiteral("%1 named").arg(count);
}

QString FileCount(int count)
{
    return count == 1 ? QStringLiteral("1 file") : QStringLiteral("%1 files").arg(count);
}

}  // namespace

LibraryFilesModel::LibraryFilesModel(QObject* parent) : QStandardItemModel(0, kColumnCount, parent)
{
    setHorizontalHeaderLabels({QStringLiteral("File"), QStringLiteral("Modified"), QStringLiteral("Presets")});
}

void LibraryFilesModel::SetFolders(const std::vector<std::string>& folders, const std::string& default_folder)
{
    removeRows(0, rowCount());
    files_.clear();
    folders_ = folders;
    for (const std::string& folder : folders_) {
        QString shown = ShownBytes(folder);
        if (folder == default_folder) shown += kDefaultMark;
        QStandardItem* first = Cell(shown, Kind::Folder, folder);
        first->setToolTip(ShownBytes(folder));
        appendRow({first, Cell({}, Kind::Folder, folder), Cell({}, Kind::Folder, folder)});
    }
}

QList<QStandardItem*> LibraryFilesModel::FileRow(const LibraryFile& file) const
{
    const QDateTime modified = QDateTime::fromMSecsSinceEpoch(file.modified_ns / kNanosecondsPerMillisecond);
    QList<QStandardItem*> row{Cell(ShownBytes(file.shown_name), Kind::File, file.path),
                              Cell(modified.toString(kModifiedFormat), Kind::File, file.path),
                              Cell(file.preset_file ? NamedCount(static_cast<qsizetype>(file.presets.size()))
                                                    : QString::fromStdString(file.reason),
                                   Kind::File, file.path)};
    row[0]->setToolTip(ShownBytes(file.path));
    if (!file.preset_file) {
        // Listed, greyed, never read in part: the reason says why it is not a preset file.
        const QBrush grey = QApplication::palette().brush(QPalette::Disabled, QPalette::Text);
        for (QStandardItem* item : row) {
            item->setForeground(grey);
            item->setToolTip(QString::fromStdString(file.reason));
        }
        return row;
    }
    // The ten banks in the grid's order (1 to 9, then 0), with the names they hold.
    for (int bank_row = 0; bank_row < kBankCount; ++bank_row) {
        const int digit = BankDigitOfRow(bank_row * kPresetsPerBank);
        QStringList names;
        for (const LibraryPreset& preset : file.presets)
            if (preset.number / kPresetsPerBank == digit)
                names << QStringLiteral("%1 %2").arg(QtText(TwoDigitNumber(preset.number)),
                                                     QString::fromStdString(preset.name));
        // One cell a bank: a thousand files make ten thousand banks.
        QStandardItem* bank =
            Cell(QStringLiteral("Bank %1: %2").arg(digit).arg(NamedCount(names.size())), Kind::Bank, file.path, digit);
        bank->setFlags(bank->flags() | Qt::ItemIsDragEnabled);
        bank->setToolTip(names.join(QLatin1Char('\n')));
        row[0]->appendRow(bank);
    }
    return row;
}

void LibraryFilesModel::PutFile(const LibraryFile& file, int row)
{
    const QModelIndex folder = IndexOfFolder(file.folder);
    if (!folder.isValid()) return;
    RemoveFile(file.path);
    QStandardItem* parent = itemFromIndex(folder);
    const QList<QStandardItem*> items = FileRow(file);
    parent->insertRow(std::clamp(row, 0, parent->rowCount()), items);
    files_[file.path] = items.front();
    item(folder.row(), kNamedColumn)->setText(FileCount(parent->rowCount()));
}

void LibraryFilesModel::RemoveFile(const std::string& path)
{
    const auto found = files_.find(path);
    if (found == files_.end()) return;
    QStandardItem* parent = found->second->parent();
    parent->removeRow(found->second->row());
    files_.erase(found);
    item(parent->row(), kNamedColumn)->setText(FileCount(parent->rowCount()));
}

LibraryFilesModel::Kind LibraryFilesModel::KindOf(const QModelIndex& index)
{
    return static_cast<Kind>(index.data(kKindRole).toInt());
}

std::string LibraryFilesModel::PathOf(const QModelIndex& index)
{
    return index.data(kPathRole).toByteArray().toStdString();
}

std::optional<LibraryItem> LibraryFilesModel::BankOf(const QModelIndex& index)
{
    if (!index.isValid() || KindOf(index) != Kind::Bank) return std::nullopt;
    return LibraryItem{PathOf(index), true, static_cast<std::uint8_t>(index.data(kBankRole).toInt())};
}

QModelIndex LibraryFilesModel::IndexOfFile(const std::string& path) const
{
    const auto found = files_.find(path);
    return found == files_.end() ? QModelIndex() : found->second->index();
}

QModelIndex LibraryFilesModel::IndexOfFolder(const std::string& folder) const
{
    const auto found = std::find(folders_.begin(), folders_.end(), folder);
    if (found == folders_.end()) return {};
    return index(static_cast<int>(found - folders_.begin()), kFileColumn);
}

QStringList LibraryFilesModel::mimeTypes() const
{
    return {QtText(kLibraryItemMimeType)};
}

QMimeData* LibraryFilesModel::mimeData(const QModelIndexList& indexes) const
{
    if (indexes.isEmpty()) return nullptr;
    const std::optional<LibraryItem> bank = BankOf(indexes.front());
    if (!bank) return nullptr;
    auto* data = new QMimeData;
    data->setData(QtText(kLibraryItemMimeType), QByteArray::fromStdString(EncodeLibraryItem(*bank)));
    return data;
}

}  // namespace orvel
