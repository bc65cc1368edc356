#include "ui/settings/settings_grid.h"

#include <algorithm>

#include <QApplication>
#include <QBrush>
#include <QClipboard>
#include <QColor>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPalette>
#include <QTimer>

#include "model/cell_paste.h"
#include "model/change_recorder.h"
#include "model/entry_rules.h"
#include "model/settings_constants.h"
#include "model/settings_entry.h"
#include "ui/qt_values.h"
#include "ui/rules/cell_colours.h"
#include "ui/rules/drop_down_sizes.h"
#include "ui/rules/edit_captions.h"
#include "ui/rules/grid_header_captions.h"
#include "ui/wheel_to_parent.h"

namespace orvel {

namespace {

// The caption of a header cell; the merged captions sit in their first column.
QString HeaderText(int row, int column)
{
    if (row == 0) {
        if (column == kSetupFirstChannelColumn) return QtText(kSetupCaptionChannels);
        if (column == kSetupFirstCtrlColumn) return QtText(kSetupCaptionCtrl);
        if (column == kSetupFirstCtrlColumn + 3) return QtText(kSetupCaptionCtrlOrChannel);
        return {};
    }
    if (column < kSetupFirstCtrlColumn) return QString::number(column - kSetupFirstChannelColumn + 1);
    return QString::number(column - kSetupFirstCtrlColumn + 1);
}

}  // namespace

SettingsGridModel::SettingsGridModel(SettingsData& settings, QObject* parent)
    : QAbstractTableModel(parent), settings_(settings)
{
}

int SettingsGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kSetupRowCount;
}

int SettingsGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kSetupColumnCount;
}

QVariant SettingsGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const bool header = index.row() < kSetupHeaderRowCount;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (header) return HeaderText(index.row(), index.column());
        return QString::fromStdString(SettingsCellText(settings_, index.column()));
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole:
        if (header) return QApplication::palette().brush(QPalette::Button);
        if (IsMarked(index.column())) return QBrush(QtColour(kDifferenceRgb));
        return {};
    case Qt::ForegroundRole:
        if (header) return QApplication::palette().brush(QPalette::ButtonText);
        return {};
    default: return {};
    }
}

bool SettingsGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || index.row() != kSetupValueRow) return false;
    const QString entry = value.toString();
    const std::optional<std::string> accepted = ValidateSettingsEntry(index.column(), entry.toStdString());
    if (!accepted) {
        emit entryRefused(
            QString::fromStdString(RefusedEntryText(SettingsEntryRule(index.column()), entry.toStdString())));
        return false;
    }
    const bool changed = SettingsCellText(settings_, index.column()) != *accepted;
    RecordChange(recorder_, SettingsEditStep(), [&] { SetSettingsCellText(settings_, index.column(), *accepted); });
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    if (changed) emit edited();
    return true;
}

void SettingsGridModel::SetMarkedColumns(const std::vector<int>& columns)
{
    if (columns.empty() && marked_.empty()) return;
    marked_ = columns;
    Reload();
}

bool SettingsGridModel::IsMarked(int column) const
{
    return std::find(marked_.begin(), marked_.end(), column) != marked_.end();
}

Qt::ItemFlags SettingsGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid()) return Qt::NoItemFlags;
    if (index.row() < kSetupHeaderRowCount) return Qt::ItemIsEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

void SettingsGridModel::Reload()
{
    emit dataChanged(index(kSetupValueRow, 0), index(kSetupValueRow, kSetupColumnCount - 1));
}

QWidget* SettingsCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                            const QModelIndex& index) const
{
    const CellEditor editor = SettingsEditorOfColumn(index.column());
    if (editor.kind == CellEditorKind::None) return nullptr;
    auto* box = new QComboBox(parent);
    PassWheelToParent(box);  // the wheel never changes a setting
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& item : editor.items) box->addItem(QString::fromStdString(item));
    box->setMaxVisibleItems(SettingsDropDownVisibleItems(index.column()));
    return box;
}

void SettingsCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    opt.state &= ~QStyle::State_HasFocus;  // the grid draws the current cell's frame itself
    QStyledItemDelegate::paint(painter, opt, index);
}

void SettingsCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* box = static_cast<QComboBox*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    const int found = box->findText(text);
    if (found >= 0) box->setCurrentIndex(found);
    box->setEditText(text);
    box->lineEdit()->selectAll();  // the first key typed replaces the text
}

void SettingsCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    auto* box = static_cast<QComboBox*>(editor);
    if (model->setData(index, box->currentText(), Qt::EditRole)) emit entryStored(index);
}

SettingsGrid::SettingsGrid(SettingsData& settings, QWidget* parent)
    : SpreadsheetView(parent), model_(new SettingsGridModel(settings, this))
{
    setObjectName(QStringLiteral("aSetup"));
    setModel(model_);
    auto* delegate = new SettingsCellDelegate(this);
    setItemDelegate(delegate);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setSpan(0, kSetupFirstChannelColumn, 1, kSetupFirstCtrlColumn - kSetupFirstChannelColumn);
    setSpan(0, kSetupFirstCtrlColumn, 1, 3);
    setSpan(0, kSetupFirstCtrlColumn + 3, 1, kSetupColumnCount - kSetupFirstCtrlColumn - 3);
    selectionModel()->setCurrentIndex(model_->index(kSetupValueRow, 0), QItemSelectionModel::NoUpdate);

    connect(this, &SpreadsheetView::copyKeys, this, &SettingsGrid::CopyCells);
    connect(this, &SpreadsheetView::pasteKeys, this, &SettingsGrid::PasteCells);
    connect(this, &SpreadsheetView::clearKeys, this, &SettingsGrid::ClearCell);
    connect(model_, &SettingsGridModel::entryRefused, this, [this](const QString& message) {
        QApplication::beep();
        emit entryRefused(message);
    });
    connect(delegate, &SettingsCellDelegate::entryStored, this, [this](const QModelIndex& index) {
        selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
        // The grid takes the focus once its editor has closed, unless the user has put it
        // on another control meanwhile (keys meant for that control must not edit a
        // setting), or Tab has opened the next cell's editor. Taking it at once would
        // close the editor a second time.
        QTimer::singleShot(0, this, [this] {
            QWidget* focused = QApplication::focusWidget();
            if (!IsEditing() && (!focused || focused == this || isAncestorOf(focused))) setFocus(Qt::OtherFocusReason);
        });
    });
}

void SettingsGrid::CopyCells()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.row() != kSetupValueRow) return;
    const CellBlock block = CopySettingsCells(model_->Settings(), current.column(), current.column());
    QGuiApplication::clipboard()->setText(QString::fromStdString(FormatCellText(block)));
}

void SettingsGrid::PasteCells()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.row() != kSetupValueRow) return;
    const CellBlock block = ParseCellText(QGuiApplication::clipboard()->text().toStdString());
    if (block.empty()) return;
    PasteCount count;
    RecordChange(model_->Recorder(), PasteCellsStep(),
                 [&] { count = PasteSettingsCells(model_->Settings(), current.column(), block); });
    if (count.refused > 0) QApplication::beep();
    model_->Reload();
    if (count.stored > 0) emit model_->edited();
    emit cellsPasted(QString::fromStdString(PasteStatusText(count.stored, count.refused, count.skipped)));
}

void SettingsGrid::ClearCell()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && current.row() == kSetupValueRow) model_->setData(current, QString(), Qt::EditRole);
}

void SettingsGrid::ApplyLayout(int column_width, int row_height)
{
    for (int column = 0; column < kSetupColumnCount; ++column) setColumnWidth(column, column_width);
    for (int row = 0; row < kSetupRowCount; ++row) setRowHeight(row, row_height);
}

}  // namespace orvel
