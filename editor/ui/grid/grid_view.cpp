#include "ui/grid/grid_view.h"

#include <algorithm>

#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "model/model_constants.h"
#include "ui/grid/grid_delegate.h"

namespace orvel {

namespace {

// Keeps [start, start + size) inside [low, high) of the viewport by moving the scroll bar.
void ScrollIntoView(QScrollBar* bar, int start, int size, int low, int high)
{
    if (start < low)
        bar->setValue(bar->value() - (low - start));
    else if (start + size > high)
        bar->setValue(bar->value() + std::min(start + size - high, start - low));
}

void FollowScrollBar(QScrollBar* leader, QScrollBar* follower)
{
    QObject::connect(leader, &QScrollBar::valueChanged, follower, &QScrollBar::setValue);
}

}  // namespace

GridView::GridView(GridPane pane, QWidget* parent) : SpreadsheetView(parent), pane_(pane)
{
    horizontalHeader()->hide();  // the header rows are rows of the table
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);  // narrow columns such as "P"
    verticalHeader()->setMinimumSectionSize(1);
    setHorizontalScrollMode(ScrollPerPixel);
    setVerticalScrollMode(ScrollPerPixel);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ContiguousSelection);  // Shift extends over rows for Ctrl+C
    setWordWrap(false);
}

void GridView::scrollTo(const QModelIndex&, ScrollHint)
{
    // The panes follow the body, which scrolls itself (FrozenGridView::scrollTo).
}

void GridView::mousePressEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    const int row = rowAt(position.y());
    const int column = columnAt(position.x());
    emit mouseOverCell(row, column);
    if (row < kHeaderRowCount || column < 0) return;
    if (event->button() == Qt::LeftButton && (event->modifiers() & Qt::ShiftModifier)) {
        extending_press_ = true;  // its release neither toggles nor edits
        emit extendPressed(row, column);
        return;
    }
    if (column < kFixedColumnCount) {
        emit digitCellPressed(row);
        return;
    }
    SpreadsheetView::mousePressEvent(event);
    if (pane_ == GridPane::Body && event->button() == Qt::LeftButton) {
        const QModelIndex index = model()->index(row, column);
        if (index.flags() & Qt::ItemIsEditable) QAbstractItemView::edit(index);
        // A list that cannot be typed into has nothing to show but its list: the press goes on
        // to it, which opens the list as its own press would, so that the button coming up
        // does not close it again.
        auto* list = qobject_cast<QComboBox*>(indexWidget(index));
        if (list && !list->isEditable()) {
            const QPoint centre = list->rect().center();
            QMouseEvent press(QEvent::MouseButtonPress, centre, list->mapToGlobal(centre), Qt::LeftButton,
                              Qt::LeftButton, event->modifiers());
            QCoreApplication::sendEvent(list, &press);
        }
    }
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    emit mouseOverCell(rowAt(position.y()), columnAt(position.x()));
    if (extending_press_) {
        extending_press_ = false;
        return;
    }
    SpreadsheetView::mouseReleaseEvent(event);
}

void GridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    if (current.isValid()) emit currentRowChanged(current.row());
    SpreadsheetView::currentChanged(current, previous);
}

void GridView::wheelEvent(QWheelEvent* event)
{
    auto* body = qobject_cast<QAbstractScrollArea*>(parentWidget());
    if (pane_ != GridPane::Body && body)
        QCoreApplication::sendEvent(body->viewport(), event);
    else
        SpreadsheetView::wheelEvent(event);
}

FrozenGridView::FrozenGridView(QWidget* parent) : GridView(GridPane::Body, parent)
{
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    columns_ = new GridView(GridPane::Columns, this);
    rows_ = new GridView(GridPane::Rows, this);
    corner_ = new GridView(GridPane::Corner, this);
    columns_->setObjectName(QStringLiteral("frozenColumns"));
    rows_->setObjectName(QStringLiteral("frozenRows"));
    corner_->setObjectName(QStringLiteral("frozenCorner"));
    for (GridView* pane : {columns_, rows_, corner_}) {
        pane->setFocusPolicy(Qt::NoFocus);
        pane->setFrameShape(QFrame::NoFrame);
        pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        pane->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        pane->setEditTriggers(NoEditTriggers);
        pane->SetShowsCurrentCell(false);
    }
    // Stacked bottom to top: body, digit columns, header rows, corner.
    viewport()->stackUnder(columns_);

    FollowScrollBar(verticalScrollBar(), columns_->verticalScrollBar());
    FollowScrollBar(columns_->verticalScrollBar(), verticalScrollBar());
    FollowScrollBar(horizontalScrollBar(), rows_->horizontalScrollBar());
    FollowScrollBar(rows_->horizontalScrollBar(), horizontalScrollBar());
}

void FrozenGridView::SetModel(QAbstractItemModel* model)
{
    for (GridView* view : Views()) {
        view->setModel(model);
        view->setItemDelegate(new GridDelegate(view));
        if (view != this) view->setSelectionModel(selectionModel());
    }
    for (int column = kFixedColumnCount; column < model->columnCount(); ++column) {
        columns_->setColumnHidden(column, true);
        corner_->setColumnHidden(column, true);
    }
    for (int row = kHeaderRowCount; row < model->rowCount(); ++row) {
        rows_->setRowHidden(row, true);
        corner_->setRowHidden(row, true);
    }
}

void FrozenGridView::SetSpans(const std::vector<CellSpan>& spans)
{
    for (const CellSpan& span : spans) {
        const bool in_rows = span.row + span.rows <= kHeaderRowCount;
        const bool in_columns = span.column + span.columns <= kFixedColumnCount;
        setSpan(span.row, span.column, span.rows, span.columns);
        if (in_rows) rows_->setSpan(span.row, span.column, span.rows, span.columns);
        if (in_columns) columns_->setSpan(span.row, span.column, span.rows, span.columns);
        if (in_rows && in_columns) corner_->setSpan(span.row, span.column, span.rows, span.columns);
    }
}

void FrozenGridView::SetSizes(const std::vector<int>& column_widths, const std::vector<int>& row_heights)
{
    for (GridView* view : Views()) {
        for (std::size_t column = 0; column < column_widths.size(); ++column)
            view->setColumnWidth(static_cast<int>(column), column_widths[column]);
        for (std::size_t row = 0; row < row_heights.size(); ++row)
            view->setRowHeight(static_cast<int>(row), row_heights[row]);
    }
    PlacePanes();
}

GridView* FrozenGridView::View(GridPane pane)
{
    switch (pane) {
    case GridPane::Rows: return rows_;
    case GridPane::Columns: return columns_;
    case GridPane::Corner: return corner_;
    case GridPane::Body: break;
    }
    return this;
}

std::array<GridView*, 4> FrozenGridView::Views()
{
    return {this, columns_, rows_, corner_};
}

void FrozenGridView::scrollTo(const QModelIndex& index, ScrollHint)
{
    if (!index.isValid()) return;
    const int frozen_height = rowHeight(0) + rowHeight(1);
    const int frozen_width = columnWidth(0) + columnWidth(1);
    if (index.row() >= kHeaderRowCount)
        ScrollIntoView(verticalScrollBar(), rowViewportPosition(index.row()), rowHeight(index.row()), frozen_height,
                       viewport()->height());
    if (index.column() >= kFixedColumnCount)
        ScrollIntoView(horizontalScrollBar(), columnViewportPosition(index.column()), columnWidth(index.column()),
                       frozen_width, viewport()->width());
}

void FrozenGridView::SelectRow(const QModelIndex& cell)
{
    if (!cell.isValid()) return;
    anchor_row_ = cell.row();
    selectionModel()->setCurrentIndex(cell, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void FrozenGridView::ExtendSelectionTo(int row, int column)
{
    if (row < kHeaderRowCount || row >= model()->rowCount()) return;
    if (column < kFixedColumnCount) column = std::max(currentIndex().column(), kFixedColumnCount);
    if (anchor_row_ < kHeaderRowCount) anchor_row_ = row;
    const int top = std::min(anchor_row_, row);
    const int bottom = std::max(anchor_row_, row);
    const QItemSelection rows(model()->index(top, 0), model()->index(bottom, model()->columnCount() - 1));
    selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    selectionModel()->setCurrentIndex(model()->index(row, column), QItemSelectionModel::NoUpdate);
}

std::pair<int, int> FrozenGridView::SelectedRows() const
{
    int top = -1;
    int bottom = -1;
    for (const QItemSelectionRange& range : selectionModel()->selection()) {
        if (range.isEmpty()) continue;
        top = top < 0 ? range.top() : std::min(top, range.top());
        bottom = std::max(bottom, range.bottom());
    }
    return {top, bottom};
}

bool FrozenGridView::ExtendingMove(const QKeyEvent* event, CursorAction* action)
{
    if (!(event->modifiers() & Qt::ShiftModifier)) return false;
    const bool control = event->modifiers() & Qt::ControlModifier;
    switch (event->key()) {
    case Qt::Key_Up: *action = MoveUp; return true;
    case Qt::Key_Down: *action = MoveDown; return true;
    case Qt::Key_Left: *action = MoveLeft; return true;
    case Qt::Key_Right: *action = MoveRight; return true;
    case Qt::Key_Home: *action = MoveHome; return true;
    case Qt::Key_End: *action = MoveEnd; return true;
    case Qt::Key_PageUp: *action = MovePageUp; return !control;
    case Qt::Key_PageDown: *action = MovePageDown; return !control;
    default: return false;
    }
}

void FrozenGridView::keyPressEvent(QKeyEvent* event)
{
    CursorAction action{};
    if (!IsEditing() && ExtendingMove(event, &action)) {
        Qt::KeyboardModifiers modifiers = event->modifiers();
        modifiers.setFlag(Qt::ShiftModifier, false);
        const QModelIndex next = moveCursor(action, modifiers);
        if (next.isValid()) ExtendSelectionTo(next.row(), next.column());
        event->accept();
        return;
    }
    GridView::keyPressEvent(event);
    if (!(event->modifiers() & Qt::ShiftModifier) && currentIndex().isValid()) anchor_row_ = currentIndex().row();
}

void FrozenGridView::mousePressEvent(QMouseEvent* event)
{
    GridView::mousePressEvent(event);
    const int row = rowAt(event->position().toPoint().y());
    const int column = columnAt(event->position().toPoint().x());
    if (!(event->modifiers() & Qt::ShiftModifier) && row >= kHeaderRowCount && column >= kFixedColumnCount)
        anchor_row_ = row;
}

void FrozenGridView::updateGeometries()
{
    GridView::updateGeometries();
    PlacePanes();
}

void FrozenGridView::PlacePanes()
{
    if (!columns_) return;
    const QRect area = viewport()->geometry();
    const int frozen_width = columnWidth(0) + columnWidth(1);
    const int frozen_height = rowHeight(0) + rowHeight(1);
    columns_->setGeometry(area.x(), area.y(), frozen_width, area.height());
    rows_->setGeometry(area.x(), area.y(), area.width(), frozen_height);
    corner_->setGeometry(area.x(), area.y(), frozen_width, frozen_height);
    columns_->verticalScrollBar()->setValue(verticalScrollBar()->value());
    rows_->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

}  // namespace orvel
