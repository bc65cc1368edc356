#include "ui/grid/grid_delegate.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTimer>

#include "model/cell_editor.h"
#include "model/model_constants.h"
#include "ui/grid/preset_table_model.h"
#include "ui/qt_values.h"
#include "ui/rules/cell_colours.h"
#include "ui/rules/drop_down_sizes.h"
#include "ui/wheel_to_parent.h"

namespace orvel {

namespace {

QStyle* StyleOf(const QStyleOptionViewItem& option)
{
    return option.widget ? option.widget->style() : QApplication::style();
}

void DrawCheckBox(QPainter* painter, const QStyleOptionViewItem& option, bool checked)
{
    QStyle* style = StyleOf(option);
    QStyleOptionViewItem box = option;
    const int width = style->pixelMetric(QStyle::PM_IndicatorWidth, &option, option.widget);
    const int height = style->pixelMetric(QStyle::PM_IndicatorHeight, &option, option.widget);
    box.rect = QRect(0, 0, width, height);
    box.rect.moveCenter(option.rect.center());
    box.state = (box.state & ~(QStyle::State_On | QStyle::State_Off | QStyle::State_HasFocus)) |
                (checked ? QStyle::State_On : QStyle::State_Off);
    style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, option.widget);
}

void DrawTurnedText(QPainter* painter, const QRect& rect, const QString& text)
{
    painter->save();
    painter->translate(rect.center());
    painter->rotate(-90);
    const QRect turned(-rect.height() / 2, -rect.width() / 2, rect.height(), rect.width());
    painter->drawText(turned, Qt::AlignCenter, text);
    painter->restore();
}

// A caption whose second line names the columns under it ("4 5 6 7" over controls 4 to 7):
// the first line is centred, each word of the second line sits over its own column.
// Returns false for any other text.
bool DrawCaptionOverColumns(QPainter* painter, const QRect& rect, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.size() != 2) return false;
    const QStringList words = lines[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.size() < 2) return false;
    const int line_height = painter->fontMetrics().height();
    const int top = rect.center().y() + 1 - line_height;
    painter->drawText(QRect(rect.left(), top, rect.width(), line_height), Qt::AlignCenter, lines[0]);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const int left = rect.left() + static_cast<int>(rect.width() * i / words.size());
        const int right = rect.left() + static_cast<int>(rect.width() * (i + 1) / words.size());
        painter->drawText(QRect(left, top + line_height, right - left, line_height), Qt::AlignCenter, words[i]);
    }
    return true;
}

// a mixed with percent % of b.
QColor Mixed(const QColor& a, const QColor& b, int percent)
{
    const auto mix = [percent](int x, int y) { return (x * (100 - percent) + y * percent) / 100; };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

// A drop-down that knows whether its current entry was just picked from its open list: the
// list closes right before the pick is reported.
class ListEditor : public QComboBox {
public:
    using QComboBox::QComboBox;

    bool PickedFromList() const { return list_closing_; }

    void hidePopup() override
    {
        list_closing_ = true;
        QComboBox::hidePopup();
        QTimer::singleShot(0, this, [this] { list_closing_ = false; });
    }

private:
    bool list_closing_ = false;
};

}  // namespace

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool inactive = index.data(InactiveRole).toBool();
    QColor background = inactive ? QtColour(kInactiveRgb) : opt.backgroundBrush.color();
    // Selected rows show it through their own colours; the current row is yellow instead.
    if ((opt.state & QStyle::State_Selected) && !index.data(CurrentRowRole).toBool())
        background = Mixed(background, opt.palette.color(QPalette::Active, QPalette::Highlight), kSelectionTintPercent);
    painter->fillRect(opt.rect, background);
    if (inactive) return;  // a plain box, without text or check box

    painter->save();
    painter->setClipRect(opt.rect);
    painter->setFont(opt.font);
    painter->setPen(index.data(Qt::ForegroundRole).value<QBrush>().color());
    const QVariant check = index.data(Qt::CheckStateRole);
    const QString text = index.data(Qt::DisplayRole).toString();
    if (check.isValid())
        DrawCheckBox(painter, opt, check.value<Qt::CheckState>() == Qt::Checked);
    else if (index.data(TurnedRole).toBool())
        DrawTurnedText(painter, opt.rect, text);
    else if (!DrawCaptionOverColumns(painter, opt.rect, text))
        painter->drawText(opt.rect, Qt::AlignCenter, text);
    painter->restore();
    // The current cell's frame is the view's to draw (SpreadsheetView), over every kind of cell.
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const
{
    const CellEditor kind = EditorOfColumn(index.column());
    switch (kind.kind) {
    case CellEditorKind::Text: {
        auto* edit = new QLineEdit(parent);
        edit->setMaxLength(kind.max_length);
        edit->setFrame(false);
        edit->setAlignment(Qt::AlignCenter);
        return edit;
    }
    case CellEditorKind::List:
    case CellEditorKind::EditableList: {
        auto* combo = new ListEditor(parent);
        PassWheelToParent(combo);  // the wheel scrolls the grid, never changes the entry
        for (const std::string& item : kind.items) combo->addItem(QString::fromStdString(item));
        combo->setMaxVisibleItems(PresetDropDownVisibleItems(kind));
        if (kind.kind == CellEditorKind::EditableList) {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setCompleter(nullptr);  // what is typed is what gets validated
        }
        // An entry picked from the open list is stored at once. Other changes of the
        // drop-down (arrow keys, a typed letter, a typed entry matching an item, which it
        // reports as picked when it loses the focus, even while its view closes it) are
        // stored as every entry is: by Enter, Tab or leaving the cell. (Qt's createEditor
        // is const, the delegate's signals are not.)
        auto* self = const_cast<GridDelegate*>(this);
        connect(combo, &QComboBox::activated, self, [self, combo] {
            if (!combo->PickedFromList()) return;
            emit self->commitData(combo);
            emit self->closeEditor(combo);
        });
        return combo;
    }
    case CellEditorKind::None:
    case CellEditorKind::CheckBox: break;
    }
    return nullptr;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        combo->setCurrentIndex(combo->findText(text));
        if (combo->isEditable()) {
            combo->setEditText(text);
            combo->lineEdit()->selectAll();  // the first key typed replaces the text
        }
    } else if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(text);
        edit->selectAll();
    }
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    QString text;
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        text = combo->currentText();
    else if (auto* edit = qobject_cast<QLineEdit*>(editor))
        text = edit->text();
    else
        return;
    if (text == index.data(Qt::EditRole).toString()) return;
    model->setData(index, text, Qt::EditRole);
}

void GridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    QRect rect = option.rect;
    if (index.column() == kColumnBank) rect.setHeight(rect.height() / kPresetsPerBank);
    editor->setGeometry(rect);
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* combo = qobject_cast<QComboBox*>(object);
    if (combo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            emit commitData(combo);
            emit closeEditor(combo, SubmitModelCache);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

bool GridDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                               const QModelIndex& index)
{
    if (!(index.flags() & Qt::ItemIsUserCheckable) || !(index.flags() & Qt::ItemIsEnabled)) return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: return false;  // the press selects the row; the release toggles
    case QEvent::MouseButtonDblClick: return static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint())) return false;
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select) return false;
        break;
    }
    default: return false;
    }
    const bool checked = index.data(Qt::CheckStateRole).value<Qt::CheckState>() == Qt::Checked;
    return model->setData(index, checked ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

}  // namespace orvel
