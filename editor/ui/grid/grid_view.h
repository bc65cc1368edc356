// The views of the preset grid. The body shows the whole table and scrolls; three panes
// laid over its top-left corner show the same model and selection and keep the header
// rows, the digit columns and their corner in view while the body scrolls.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include "ui/grid/spreadsheet_view.h"
#include "ui/rules/grid_header_captions.h"

namespace orvel {

enum class GridPane {
    Body,     // the whole table; the only view that edits
    Rows,     // header rows 0 and 1, scrolled sideways with the body
    Columns,  // digit columns 0 and 1, scrolled up and down with the body
    Corner,   // where the two meet; never scrolls
};

// One view of the grid with the grid's mouse rules: a press over a header row, or over no
// cell, only reports the cell; a press on a digit cell of a preset row reports the row for
// selection; a Shift+left press on a preset row reports it for extending the selection and
// does nothing else; a left press on an editable cell of the body opens its editor at once,
// and a drop-down list that cannot be typed into (TYPE) opens its list too.
class GridView : public SpreadsheetView {
    Q_OBJECT

public:
    explicit GridView(GridPane pane, QWidget* parent = nullptr);

    GridPane Pane() const { return pane_; }

    // The panes do not scroll on their own: they follow the body.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

signals:
    // A mouse button went down or up over the cell (row and column -1 where there is
    // none), reported before the view does anything else with the press or release.
    void mouseOverCell(int row, int column);
    // A press on the bank or preset digit of a preset row.
    void digitCellPressed(int row);
    // A Shift+left press on a preset row: the selection is to reach it (column -1 or a digit
    // column where the press was not on a cell that takes an entry).
    void extendPressed(int row, int column);
    // The current cell moved to another row or column (mouse, keyboard or program),
    // reported before the view redraws or asks for an editor.
    void currentRowChanged(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    GridPane pane_;
    bool extending_press_ = false;  // the press under way extends the selection
};

// The body with its three panes.
class FrozenGridView : public GridView {
    Q_OBJECT

public:
    explicit FrozenGridView(QWidget* parent = nullptr);

    // Every view shows the model through a delegate of its own (a delegate's editor
    // signals reach every view it is set on) and shares the body's selection.
    void SetModel(QAbstractItemModel* model);

    // Merges cells in every view that shows them whole.
    void SetSpans(const std::vector<CellSpan>& spans);

    // Column widths and row heights in pixels, for every view.
    void SetSizes(const std::vector<int>& column_widths, const std::vector<int>& row_heights);

    GridView* View(GridPane pane);
    std::array<GridView*, 4> Views();

    // Scrolls so that the cell is visible beside and below the panes, not under them.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // Selects the whole row of `cell` alone and makes the cell current: the row where a
    // selection extended with Shift starts.
    void SelectRow(const QModelIndex& cell);
    // Selects the whole rows from where the selection started to `row` and makes (row,
    // column) the current cell; a digit column keeps the current cell's column.
    void ExtendSelectionTo(int row, int column);
    // The first and last selected rows; (-1, -1) without a selection.
    std::pair<int, int> SelectedRows() const;

protected:
    void updateGeometries() override;
    // Shift with the arrow, page, Home and End keys extends the selection over whole rows.
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void PlacePanes();
    // The cursor movement of a key that Shift turns into extending the selection; false for
    // other keys. Ctrl+PgUp and Ctrl+PgDown are the window's page keys.
    static bool ExtendingMove(const QKeyEvent* event, CursorAction* action);

    int anchor_row_ = -1;  // where a selection extended with Shift starts

    GridView* columns_ = nullptr;
    GridView* rows_ = nullptr;
    GridView* corner_ = nullptr;
};

}  // namespace orvel
