#include "ui/grid/preset_table_model.h"

#include <optional>
#include <string>

#include <QBrush>
#include <QColor>

#include "model/cell_editor.h"
#include "model/change_recorder.h"
#include "model/entry_rules.h"
#include "model/model_constants.h"
#include "model/preset_entry.h"
#include "model/preset_table.h"
#include "ui/qt_values.h"
#include "ui/rules/cell_colours.h"
#include "ui/rules/edit_captions.h"
#include "ui/rules/grid_header_captions.h"
#include "ui/rules/grid_tooltips.h"

namespace orvel {

namespace {

bool IsCheckBoxCell(int row, int column)
{
    return IsPresetTableRow(row) && IsCheckBoxColumn(column);
}

bool IsTurnedCaption(int row, int column)
{
    const HeaderCaption* caption = HeaderCaptionAt(row, column);
    return caption != nullptr && caption->turned;
}

// A header cell shows its caption; every other cell its text in the table.
const std::string& TextOfCell(const TableCell& cell, int row, int column)
{
    static const std::string kNoCaption;
    if (IsPresetTableRow(row)) return cell.text;
    const HeaderCaption* caption = HeaderCaptionAt(row, column);
    return caption != nullptr ? caption->text : kNoCaption;
}

// Captions keep the table's "\r" line breaks; Qt draws lines broken by "\n".
QString DisplayText(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace

PresetTableModel::PresetTableModel(PresetTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table) {}

int PresetTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kTableRowCount;
}

int PresetTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant PresetTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int row = index.row();
    const int column = index.column();
    const TableCell& cell = table_.Cell(row, column);

    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (IsCheckBoxCell(row, column)) return {};
        return DisplayText(TextOfCell(cell, row, column));
    case Qt::CheckStateRole:
        if (!IsCheckBoxCell(row, column)) return {};
        return cell.checked ? Qt::Checked : Qt::Unchecked;
    case Qt::TextAlignmentRole: return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
    case Qt::BackgroundRole: {
        if (IsMarked(row, column)) return QBrush(QtColour(kDifferenceRgb));
        const CellColours colours = ColoursOfCell(table_, row, column);
        if (colours.background == CellBackground::Fixed) return QBrush(palette_.color(QPalette::Button));
        if (colours.background == CellBackground::Info) return QBrush(palette_.color(QPalette::ToolTipBase));
        return QBrush(QtColour(*RgbOfBackground(colours.background)));
    }
    case Qt::ForegroundRole: {
        if (IsMarked(row, column)) return QBrush(QtColour(kTextRgb));
        const CellColours colours = ColoursOfCell(table_, row, column);
        if (colours.background == CellBackground::Fixed) return QBrush(palette_.color(QPalette::ButtonText));
        if (colours.background == CellBackground::Info) return QBrush(palette_.color(QPalette::ToolTipText));
        return QBrush(QtColour(colours.text_rgb));
    }
    case TurnedRole: return IsTurnedCaption(row, column);
    case InactiveRole: return IsPresetTableRow(row) && !cell.active && !IsMarked(row, column);
    case CurrentRowRole: return row == table_.CurrentRow();
    case Qt::ToolTipRole: {
        if (IsPresetTableRow(row)) return {};
        const std::string_view tip = HeaderTooltipAt(row, column);
        if (tip.empty()) return {};
        return QtText(tip);
    }
    default: return {};
    }
}

Qt::ItemFlags PresetTableModel::flags(const QModelIndex& index) const
{
    // Header rows and digit columns are fixed: the keyboard cannot reach them.
    if (!index.isValid() || !IsPresetTableRow(index.row()) || index.column() < kFixedColumnCount)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (table_.CanEdit(index.row(), index.column()))
        flags |= IsCheckBoxColumn(index.column()) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return flags;
}

bool PresetTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || !IsPresetTableRow(index.row()) || index.column() < kFixedColumnCount) return false;
    const int row = index.row();
    const int column = index.column();

    const std::uint8_t preset = table_.PresetNumberOfRow(row).value_or(0);
    if (role == Qt::CheckStateRole) {
        if (!IsCheckBoxColumn(column)) return false;
        const bool checked = value.value<Qt::CheckState>() == Qt::Checked;
        const bool changed = table_.Cell(row, column).checked != checked;
        RecordChange(recorder_, CheckBoxStep(preset), [&] { table_.SetChecked(row, column, checked); });
        RowsChanged(row, row);
        if (changed) emit edited();
        return true;
    }
    if (role != Qt::EditRole || IsCheckBoxColumn(column)) return false;

    const QString entry = value.toString();
    const std::optional<std::string> accepted = ValidatePresetEntry(column, entry.toStdString());
    if (!accepted) {
        emit entryRefused(QString::fromStdString(RefusedEntryText(PresetEntryRule(column), entry.toStdString())));
        return false;
    }
    const bool changed = table_.Cell(row, column).text != *accepted;
    if (column == kColumnModifier)
        RecordChange(recorder_, TypeChangeStep(preset), [&] { table_.SetModifier(row, *accepted); });
    else
        RecordChange(recorder_, CellEditStep(preset), [&] { table_.SetText(row, column, *accepted); });
    RowsChanged(row, row);
    if (column == kColumnName) emit nameEdited();
    if (changed) emit edited();
    return true;
}

void PresetTableModel::SetPalette(const QPalette& palette)
{
    palette_ = palette;
    AllChanged();
}

void PresetTableModel::RowsChanged(int first_row, int last_row)
{
    emit dataChanged(index(first_row, 0), index(last_row, kColumnCount - 1));
}

void PresetTableModel::SetMarkedCells(const std::vector<std::pair<int, int>>& cells)
{
    marked_.assign(static_cast<std::size_t>(kTableRowCount * kColumnCount), false);
    for (const auto& [row, column] : cells) {
        if (row < 0 || row >= kTableRowCount || column < 0 || column >= kColumnCount) continue;
        marked_[static_cast<std::size_t>(row * kColumnCount + column)] = true;
    }
    AllChanged();
}

void PresetTableModel::ClearMarks()
{
    if (marked_.empty()) return;
    marked_.clear();
    AllChanged();
}

bool PresetTableModel::IsMarked(int row, int column) const
{
    if (marked_.empty() || row < 0 || row >= kTableRowCount || column < 0 || column >= kColumnCount) return false;
    return marked_[static_cast<std::size_t>(row * kColumnCount + column)];
}

void PresetTableModel::AllChanged()
{
    RowsChanged(0, kTableRowCount - 1);
}

}  // namespace orvel
