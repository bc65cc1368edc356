// A table view edited the way a spreadsheet is, for both grids of the window:
//  - a key never moves the current cell by itself (no type-to-search);
//  - a printable key on an editable cell opens its editor with that key replacing the text;
//    F2, Enter and a double click open it with the whole text selected;
//  - Tab and Shift+Tab move to the next and previous cell of the same row that takes an
//    entry (an editable text or an active check box), opening a text cell's editor with its
//    text selected; the current row never changes this way;
//  - keys on a cell that takes no entry do nothing, and say so through keyOnReadOnlyCell;
//  - Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDown and Ctrl+PgUp are left to the window (pages);
//  - Ctrl+C and Ctrl+V (the platform's copy and paste keys) outside an open editor are
//    handed over through copyKeys and pasteKeys: the grid's owner moves the cells' text;
//    Delete and Backspace likewise through clearKeys;
//  - the current cell, where typing, Space and paste act, carries a frame in every column.
#pragma once

#include <QTableView>

namespace orvel {

class SpreadsheetView : public QTableView {
    Q_OBJECT

public:
    explicit SpreadsheetView(QWidget* parent = nullptr);

    void keyboardSearch(const QString& search) override;

    // Whether a cell's editor is open.
    bool IsEditing() const { return state() == EditingState; }

    // The next (step 1) or previous (step -1) cell after `from` in its row that takes an
    // entry; invalid when there is none.
    QModelIndex NextCellInRow(const QModelIndex& from, int step) const;

    // Whether this view draws the current cell's frame (views that only show part of a
    // grid leave it to the view that edits).
    void SetShowsCurrentCell(bool shows) { shows_current_cell_ = shows; }
    // Where the frame is drawn: the current cell's rectangle in the viewport, or an empty one
    // when there is no frame (no current cell, or one the keyboard cannot reach).
    QRect CurrentCellFrame() const;

signals:
    // A printable key on a cell that takes no entry (read-only or inactive); nothing changed.
    void keyOnReadOnlyCell(const QModelIndex& index);
    // Ctrl+C or Ctrl+V on the view (not in an open editor).
    void copyKeys();
    void pasteKeys();
    // Delete or Backspace on the view (not in an open editor).
    void clearKeys();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void StepAlongRow(int step);

    bool shows_current_cell_ = true;
};

}  // namespace orvel
