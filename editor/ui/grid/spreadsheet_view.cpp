#include "ui/grid/spreadsheet_view.h"

#include <algorithm>

#include <QKeyEvent>
#include <QPainter>

#include "ui/qt_values.h"
#include "ui/rules/cell_colours.h"

namespace orvel {

namespace {

bool TakesEntry(const QModelIndex& index)
{
    return index.isValid() && (index.flags() & Qt::ItemIsEnabled) &&
           (index.flags() & (Qt::ItemIsEditable | Qt::ItemIsUserCheckable));
}

bool IsPrintableKey(const QKeyEvent* event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = event->text();
    return !text.isEmpty() && text.at(0).isPrint();
}

// The window's page keys: Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDown, Ctrl+PgUp.
bool IsPageKey(const QKeyEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) return false;
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: return true;
    default: return false;
    }
}

}  // namespace

SpreadsheetView::SpreadsheetView(QWidget* parent) : QTableView(parent) {}

void SpreadsheetView::keyboardSearch(const QString&)
{
    // Off: jumping to a row that starts with the typed text moved the user, unseen, to
    // another preset, and the next keys edited that one.
}

QModelIndex SpreadsheetView::NextCellInRow(const QModelIndex& from, int step) const
{
    if (!from.isValid() || !model()) return {};
    for (int column = from.column() + step; column >= 0 && column < model()->columnCount(); column += step) {
        if (isColumnHidden(column)) continue;
        const QModelIndex cell = model()->index(from.row(), column);
        if (TakesEntry(cell)) return cell;
    }
    return {};
}

void SpreadsheetView::StepAlongRow(int step)
{
    const QModelIndex next = NextCellInRow(currentIndex(), step);
    if (!next.isValid()) return;
    setCurrentIndex(next);
    if (next.flags() & Qt::ItemIsEditable) edit(next, EditKeyPressed, nullptr);
}

void SpreadsheetView::keyPressEvent(QKeyEvent* event)
{
    if (IsPageKey(event)) {
        event->ignore();
        return;
    }
    if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Paste)) {
        if (event->matches(QKeySequence::Copy))
            emit copyKeys();
        else
            emit pasteKeys();
        event->accept();
        return;
    }
    switch (event->key()) {
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (state() != EditingState && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            emit clearKeys();
            event->accept();
            return;
        }
        break;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        StepAlongRow(event->key() == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier) ? -1 : 1);
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (state() != EditingState && (currentIndex().flags() & Qt::ItemIsEditable)) {
            edit(currentIndex(), EditKeyPressed, event);
            event->accept();
            return;
        }
        break;
    default: break;
    }
    QTableView::keyPressEvent(event);
}

bool SpreadsheetView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool handled = QTableView::edit(index, trigger, event);
    if (!handled && trigger == AnyKeyPressed && event && event->type() == QEvent::KeyPress &&
        IsPrintableKey(static_cast<QKeyEvent*>(event)) && index.isValid() && !TakesEntry(index))
        emit keyOnReadOnlyCell(index);
    return handled;
}

void SpreadsheetView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem) {
        QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
        StepAlongRow(hint == QAbstractItemDelegate::EditNextItem ? 1 : -1);
        return;
    }
    QTableView::closeEditor(editor, hint);
}

QRect SpreadsheetView::CurrentCellFrame() const
{
    const QModelIndex current = currentIndex();
    if (!shows_current_cell_ || !current.isValid() || !(current.flags() & Qt::ItemIsSelectable)) return {};
    return visualRect(current);
}

void SpreadsheetView::paintEvent(QPaintEvent* event)
{
    QTableView::paintEvent(event);
    const QRect cell = CurrentCellFrame();
    if (cell.isEmpty()) return;
    // Four strips inside the cell, so that the frame shows on every cell colour and never
    // spills onto the next cell.
    QPainter painter(viewport());
    const QColor colour = QtColour(kCurrentCellFrameRgb);
    const int width = std::min({kCurrentCellFrameWidth, cell.width() / 2, cell.height() / 2});
    painter.fillRect(QRect(cell.left(), cell.top(), cell.width(), width), colour);
    painter.fillRect(QRect(cell.left(), cell.bottom() - width + 1, cell.width(), width), colour);
    painter.fillRect(QRect(cell.left(), cell.top(), width, cell.height()), colour);
    painter.fillRect(QRect(cell.right() - width + 1, cell.top(), width, cell.height()), colour);
}

}  // namespace orvel
