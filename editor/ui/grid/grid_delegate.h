// How the preset grid draws its cells and edits them: check boxes centred and toggled by a
// click, "BUFFER" turned on its side, inactive cells as plain silver boxes, and the
// drop-down and text editors of each column built when an editor opens.
#pragma once

#include <QStyledItemDelegate>

namespace orvel {

class GridDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    // Stores the entry only when it differs from the cell's text, so that closing an
    // editor untouched never stores (or refuses) anything.
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    // Editors fill their cell; a bank's button (the widget in its digit cell, which spans
    // the bank's ten rows) covers the first of those rows only.
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    // Enter in a drop-down stores its entry once: here, and not again when the drop-down
    // reports the entry as picked.
    bool eventFilter(QObject* object, QEvent* event) override;

    // An editable check box toggles on a left click anywhere in its cell, or on Space.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};

}  // namespace orvel
