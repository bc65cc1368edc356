// The preset table as a Qt item model: a thin view of the table the window owns, with the
// header rows as rows 0 and 1, colours from the table's colour rules, and entries checked
// before they are stored.
#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QPalette>

namespace orvel {

class ChangeRecorder;
class PresetTable;

// Roles beyond Qt's that the grid's delegate draws from.
enum PresetGridRole {
    TurnedRole = Qt::UserRole + 1,  // bool: the caption is drawn turned by 90 degrees
    InactiveRole,                   // bool: an inactive cell, drawn as a plain silver box
    CurrentRowRole,                 // bool: a cell of the current row (drawn yellow)
};

class PresetTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    explicit PresetTableModel(PresetTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Edit role: the entry is validated for its column; a refused entry is not stored,
    // entryRefused is emitted and false returned. A new TYPE applies its modifier to the
    // row. Check state role: sets a check box. Neither asks whether the row is current, so
    // an editor closed after the current row moved on still stores its entry.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // Header cells carry their tooltip (what the columns hold and take).

    // The colours for the platform's roles: fixed cells use the button colours, the MIDI
    // columns the tooltip colours.
    void SetPalette(const QPalette& palette);

    // Tell the views that rows of the table changed (contents, active cells, current row).
    void RowsChanged(int first_row, int last_row);
    void AllChanged();

    PresetTable& Table() { return table_; }

    // Cells found different from the controller's: drawn in the difference colour (an
    // inactive cell too, with its value) until the marks are cleared.
    void SetMarkedCells(const std::vector<std::pair<int, int>>& cells);  // (table row, column)
    void ClearMarks();
    bool IsMarked(int row, int column) const;
    // Where stored entries go as undo steps; null runs them directly.
    void SetRecorder(ChangeRecorder* recorder) { recorder_ = recorder; }

signals:
    // The text names the column and what it accepts.
    void entryRefused(const QString& message);
    void nameEdited();
    // An entry or a check box changed a cell (an editor closed on the same text did not).
    void edited();

private:
    PresetTable& table_;
    QPalette palette_;
    std::vector<bool> marked_;  // by table row x column; empty without marks
    ChangeRecorder* recorder_ = nullptr;
};

}  // namespace orvel
