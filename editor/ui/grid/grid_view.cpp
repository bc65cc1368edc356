#include "ui/grid/grid_view.h"

#include <algorithm>

#include <QCoreApplication>
#include <QHeaderView>
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
    horizontalHeader()->hide();   // the header rows are rows of the table
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);   // narrow columns such as "P"
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
    if (column < kFixedColumnCount) {
        emit digitCellPressed(row);
        return;
    }
    SpreadsheetView::mousePressEvent(event);
    if (pane_ == GridPane::Body && event->button() == Qt::LeftButton) {
        const QModelIndex index = model()->index(row, column);
        if (index.flags() & Qt::ItemIsEditable) QAbstractItemView::edit(index);
    }
}

void GridView::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint position = event->position().toPoint();
    emit mouseOverCell(rowAt(position.y()), columnAt(position.x()));
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
        ScrollIntoView(verticalScrollBar(), rowViewportPosition(index.row()), rowHeight(index.row()),
                       frozen_height, viewport()->height());
    if (index.column() >= kFixedColumnCount)
        ScrollIntoView(horizontalScrollBar(), columnViewportPosition(index.column()),
                       columnWidth(index.column()), frozen_width, viewport()->width());
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
