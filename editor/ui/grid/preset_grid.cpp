#include "ui/grid/preset_grid.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QDropEvent>
#include <QEvent>
#include <QItemSelectionModel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include "model/bank_functions.h"
#include "model/bank_rows.h"
#include "model/cell_paste.h"
#include "model/change_recorder.h"
#include "model/preset_popup.h"
#include "model/preset_table.h"
#include "ui/grid/grid_view.h"
#include "ui/grid/preset_table_model.h"
#include "ui/qt_values.h"
#include "ui/rules/cell_colours.h"
#include "ui/rules/edit_captions.h"
#include "ui/rules/grid_header_captions.h"
#include "ui/rules/grid_tooltips.h"
#include "ui/rules/popup_captions.h"
#include "ui/rules/preset_grid_sizes.h"

namespace orvel {

namespace {

QAction* AddItem(QMenu* menu, const char* name, std::string_view caption, bool enabled = true)
{
    QAction* action = menu->addAction(QtText(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    return action;
}

void ShowItem(QAction* action, const std::string& caption, bool enabled)
{
    action->setText(QString::fromStdString(caption));
    action->setEnabled(enabled);
}

}  // namespace

PresetGrid::PresetGrid(PresetTable& table, QWidget* parent) : QWidget(parent), table_(table)
{
    setObjectName(QStringLiteral("asgbanks"));
    model_ = new PresetTableModel(table_, this);
    model_->SetPalette(palette());
    view_ = new FrozenGridView(this);
    view_->setObjectName(QStringLiteral("asgbanksBody"));
    view_->SetModel(model_);
    view_->SetSpans(MergedCells());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);

    for (GridView* view : view_->Views()) {
        connect(view, &GridView::mouseOverCell, this, [this](int row, int) { MoveCurrentRow(row); });
        connect(view, &GridView::extendPressed, this, [this](int row, int column) {
            view_->setAutoScroll(false);  // the row clicked stays under the pointer
            view_->ExtendSelectionTo(row, column);
            view_->setAutoScroll(true);
            view_->setFocus(Qt::MouseFocusReason);
        });
        connect(view, &GridView::digitCellPressed, this, [this](int row) {
            // As for any press: the row clicked stays where it is under the pointer.
            MoveCurrentRow(row);
            view_->setAutoScroll(false);
            SelectCurrentRow();
            view_->setAutoScroll(true);
            view_->setFocus(Qt::MouseFocusReason);
        });
        connect(view, &GridView::currentRowChanged, this, &PresetGrid::MoveCurrentRow);
        connect(view, &SpreadsheetView::copyKeys, this, &PresetGrid::CopyCells);
        connect(view, &SpreadsheetView::pasteKeys, this, &PresetGrid::PasteCells);
        connect(view, &SpreadsheetView::clearKeys, this, &PresetGrid::ClearCells);
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this,
                [this, view](const QPoint& position) { popup_->popup(view->viewport()->mapToGlobal(position)); });
    }
    connect(view_, &SpreadsheetView::keyOnReadOnlyCell, this,
            [this](const QModelIndex& index) { ReportInactiveCell(index.row()); });
    connect(model_, &PresetTableModel::nameEdited, this, &PresetGrid::nameEdited);
    connect(model_, &PresetTableModel::edited, this, &PresetGrid::setupEdited);
    connect(model_, &PresetTableModel::entryRefused, this, [this](const QString& message) {
        QApplication::beep();
        emit entryRefused(message);
    });

    BuildPopup();
    BuildBankButtons();
}

void PresetGrid::BuildPopup()
{
    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("pm"));
    copy_bank_ = AddItem(popup_, "Copybank1", kCopyBankCaption);
    paste_bank_ = AddItem(popup_, "Pastebank1", kPasteBankCaption, false);
    popup_->addSeparator();
    copy_preset_ = AddItem(popup_, "Copypreset1", kCopyPresetCaption);
    paste_preset_ = AddItem(popup_, "Pastepreset1", kPastePresetCaption, false);
    popup_->addSeparator();
    read_bank_ = AddItem(popup_, "ReadbankfromKPX1", kReadBankCaption);
    write_bank_ = AddItem(popup_, "WritebanktoKPX1", kWriteBankCaption);
    popup_->addSeparator();
    read_preset_ = AddItem(popup_, "ReadpresetfromKPX21", kReadPresetCaption);
    write_preset_ = AddItem(popup_, "WritepresettoKPX1", kWritePresetCaption);

    connect(popup_, &QMenu::aboutToShow, this, &PresetGrid::PopupOpening);
    connect(copy_bank_, &QAction::triggered, this, &PresetGrid::CopyBank);
    connect(paste_bank_, &QAction::triggered, this, &PresetGrid::PasteBank);
    connect(copy_preset_, &QAction::triggered, this, &PresetGrid::CopyPreset);
    connect(paste_preset_, &QAction::triggered, this, &PresetGrid::PastePreset);
}

void PresetGrid::BuildBankButtons()
{
    GridView* columns = view_->View(GridPane::Columns);
    for (int digit = 0; digit < kBankCount; ++digit) {
        const int row = BankButtonRow(digit);
        auto* button = new QPushButton(QtText(BankFunctionCaption(table_.BankFunction(digit))));
        button->setObjectName(QStringLiteral("bankButton%1").arg(digit));
        button->setFocusPolicy(Qt::NoFocus);
        button->setToolTip(QtText(kBankButtonTooltip));
        connect(button, &QPushButton::clicked, this, [this, row] { BankButtonPressed(row); });
        columns->setIndexWidget(model_->index(row, kColumnBank), button);
        bank_buttons_[static_cast<std::size_t>(digit)] = button;
    }
}

void PresetGrid::ApplyLayout(int screen_width, int screen_height)
{
    std::vector<int> widths;
    for (int column = 0; column < kColumnCount; ++column) widths.push_back(ColumnWidthPixels(column, screen_width));
    std::vector<int> heights;
    for (int row = 0; row < kTableRowCount; ++row) heights.push_back(RowHeightPixels(row, screen_height));
    view_->SetSizes(widths, heights);
    setFixedWidth(GridWidthPixels(screen_width));
}

void PresetGrid::Refresh()
{
    model_->AllChanged();
    for (int digit = 0; digit < kBankCount; ++digit) BankFunctionChanged(digit);
}

void PresetGrid::RowChanged(int table_row)
{
    if (!IsPresetTableRow(table_row)) return;
    table_.ApplyModifier(table_row, table_.Cell(table_row, kColumnModifier).text);
    model_->RowsChanged(table_row, table_row);
}

void PresetGrid::BankFunctionChanged(int bank_digit)
{
    if (bank_digit < 0 || bank_digit >= kBankCount) return;
    bank_buttons_[static_cast<std::size_t>(bank_digit)]->setText(
        QtText(BankFunctionCaption(table_.BankFunction(bank_digit))));
}

int PresetGrid::CurrentRow() const
{
    return table_.CurrentRow();
}

void PresetGrid::EnsureCurrentPresetRow()
{
    MoveCurrentRow(MoveCurrentRowToPresets(table_));
    SelectCurrentRow();
}

void PresetGrid::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) model_->SetPalette(palette());
    QWidget::changeEvent(event);
}

void PresetGrid::MoveCurrentRow(int table_row)
{
    const int previous = table_.CurrentRow();
    if (table_row < 0 || table_row >= kTableRowCount || table_row == previous) return;
    table_.SetCurrentRow(table_row);
    model_->RowsChanged(previous, previous);
    model_->RowsChanged(table_row, table_row);
}

// The whole current row becomes the selection; the current cell keeps its column when
// that is an editable one.
void PresetGrid::SelectCurrentRow()
{
    const int row = table_.CurrentRow();
    if (!IsPresetTableRow(row)) return;
    const int column = std::max(view_->currentIndex().column(), kFixedColumnCount);
    view_->SelectRow(model_->index(row, column));
}

void PresetGrid::PopupOpening()
{
    EnsureCurrentPresetRow();
    const RowCommandCaptions captions = CaptionsForRow(table_, table_.CurrentRow());
    copy_bank_->setText(QString::fromStdString(captions.copy_bank));
    copy_preset_->setText(QString::fromStdString(captions.copy_preset));
    write_bank_->setText(QString::fromStdString(captions.write_bank));
    read_bank_->setText(QString::fromStdString(captions.read_bank));
    write_preset_->setText(QString::fromStdString(captions.write_preset));
    read_preset_->setText(QString::fromStdString(captions.read_preset));
}

void PresetGrid::CopyPreset()
{
    clipboard_.CopyPreset(table_, table_.CurrentRow());
    ShowPasteItems();
}

void PresetGrid::SetRecorder(ChangeRecorder* recorder)
{
    recorder_ = recorder;
    model_->SetRecorder(recorder);
}

void PresetGrid::CopyCells()
{
    // The selection is always whole rows: what is drawn as selected.
    const auto [top, bottom] = view_->SelectedRows();
    if (top < 0) return;
    const std::string text = FormatCellText(CopyTableCells(table_, top, bottom, kFixedColumnCount, kColumnCount - 1));
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void PresetGrid::PasteCells()
{
    CellBlock block = ParseCellText(QGuiApplication::clipboard()->text().toStdString());
    if (block.empty()) return;
    const QModelIndex current = view_->selectionModel()->currentIndex();
    int row = current.isValid() && IsPresetTableRow(current.row()) ? current.row() : CommandRow(table_.CurrentRow());
    int column = current.isValid() ? std::max(current.column(), kFixedColumnCount) : kColumnModifier;
    const auto [top, bottom] = view_->SelectedRows();
    if (bottom > top && row >= top && row <= bottom) {
        row = top;
        if (block.size() == 1) block.assign(static_cast<std::size_t>(bottom - top + 1), block.front());
    }
    const auto whole_row = [](const std::vector<std::string>& line) {
        return line.size() == static_cast<std::size_t>(kColumnCount - kFixedColumnCount);
    };
    if (std::all_of(block.begin(), block.end(), whole_row)) column = kColumnModifier;
    PasteCount count;
    RecordChange(recorder_, PasteCellsStep(), [&] { count = PasteTableCells(table_, row, column, block); });
    if (count.refused > 0) QApplication::beep();
    model_->RowsChanged(row, std::min(row + static_cast<int>(block.size()) - 1, kTableRowCount - 1));
    if (count.stored > 0) {
        emit nameEdited();  // names may have changed: the preview draws again
        emit setupEdited();
    }
    emit cellsPasted(QString::fromStdString(PasteStatusText(count.stored, count.refused, count.skipped)));
}

void PresetGrid::ClearCells()
{
    const QModelIndex current = view_->currentIndex();
    auto [first_row, last_row] = view_->SelectedRows();
    int first_column = kFixedColumnCount;
    int last_column = kColumnCount - 1;
    if (last_row <= first_row) {  // no selection of several rows: the current cell alone
        if (!current.isValid() || !IsPresetTableRow(current.row()) || current.column() < kFixedColumnCount) return;
        if (!table_.Cell(current.row(), current.column()).active) {
            ReportInactiveCell(current.row());
            return;
        }
        first_row = last_row = current.row();
        first_column = last_column = current.column();
    }
    int cleared = 0;
    RecordChange(recorder_, ClearCellsStep(),
                 [&] { cleared = ClearTableCells(table_, first_row, last_row, first_column, last_column); });
    model_->RowsChanged(first_row, last_row);
    if (cleared == 0) return;
    if (first_column <= kColumnName && last_column >= kColumnName) emit nameEdited();
    emit setupEdited();
}

void PresetGrid::ReportInactiveCell(int table_row)
{
    const std::string& type = table_.Cell(table_row, kColumnModifier).text;
    emit inactiveCellKey(tr("This cell is not used by a %1 preset").arg(QString::fromStdString(type)));
}

void PresetGrid::PastePreset()
{
    const int row = CommandRow(table_.CurrentRow());
    PastePresetFrom(clipboard_, row, PastePresetStep(table_.PresetNumberOfRow(row).value_or(0)));
    ShowPasteItems();
}

void PresetGrid::PastePresetFrom(PresetClipboard& clipboard, int table_row, const std::string& step)
{
    bool pasted = false;
    RecordChange(recorder_, step, [&] { pasted = clipboard.PastePreset(table_, table_row); });
    if (pasted) {
        model_->RowsChanged(table_row, table_row);
        BankFunctionChanged(BankDigitOfTableRow(table_row));
        emit setupEdited();
    }
}

void PresetGrid::CopyBank()
{
    clipboard_.CopyBank(table_, table_.CurrentRow());
    ShowPasteItems();
}

void PresetGrid::PasteBank()
{
    const int first = FirstRowOfBank(table_.CurrentRow());
    PasteBankFrom(clipboard_, first, PasteBankStep(BankDigitOfTableRow(first)));
    ShowPasteItems();
}

void PresetGrid::PasteBankFrom(PresetClipboard& clipboard, int table_row, const std::string& step)
{
    const int first = FirstRowOfBank(table_row);
    bool pasted = false;
    RecordChange(recorder_, step, [&] { pasted = clipboard.PasteBank(table_, first); });
    if (pasted) {
        model_->RowsChanged(first, first + kPresetsPerBank - 1);
        BankFunctionChanged(BankDigitOfTableRow(first));
        emit setupEdited();
    }
}

void PresetGrid::CopyPresetFrom(const PresetTable& source, int source_row)
{
    clipboard_.CopyPreset(source, source_row);
    ShowPasteItems();
}

void PresetGrid::CopyBankFrom(const PresetTable& source, int source_row)
{
    clipboard_.CopyBank(source, source_row);
    ShowPasteItems();
}

void PresetGrid::DropPreset(const PresetTable& source, int source_row, int target_row)
{
    if (!IsPresetTableRow(target_row)) return;
    PresetClipboard once;
    once.CopyPreset(source, source_row);
    PastePresetFrom(once, target_row, DropPresetStep(table_.PresetNumberOfRow(target_row).value_or(0)));
    MoveCurrentRow(target_row);
    SelectCurrentRow();
}

void PresetGrid::DropBank(const PresetTable& source, int source_row, int target_row)
{
    if (!IsPresetTableRow(target_row)) return;
    PresetClipboard once;
    once.CopyBank(source, source_row);
    PasteBankFrom(once, target_row, DropBankStep(BankDigitOfTableRow(target_row)));
    MoveCurrentRow(target_row);
    SelectCurrentRow();
}

void PresetGrid::AcceptDrops(const QString& mime_type)
{
    drop_type_ = mime_type;
    for (GridView* view : view_->Views()) {
        view->viewport()->setAcceptDrops(true);
        view->viewport()->installEventFilter(this);
    }
}

int PresetGrid::DropRowAt(QObject* viewport, const QPoint& at) const
{
    for (GridView* view : view_->Views()) {
        if (view->viewport() != viewport) continue;
        const int row = view->indexAt(at).row();
        return IsPresetTableRow(row) ? row : -1;
    }
    return -1;
}

bool PresetGrid::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (drop_type_.isEmpty() || (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop))
        return QWidget::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const int row = drop->mimeData()->hasFormat(drop_type_) ? DropRowAt(watched, drop->position().toPoint()) : -1;
    if (type == QEvent::DragEnter) {
        // Entering over a header still lets the drag move on to a preset row.
        if (drop->mimeData()->hasFormat(drop_type_))
            drop->acceptProposedAction();
        else
            drop->ignore();
        return true;
    }
    if (row < 0) {
        drop->ignore();
        return true;
    }
    drop->acceptProposedAction();
    if (type == QEvent::DragMove) {
        // The row that would receive the drop is shown as the current row.
        MoveCurrentRow(row);
        SelectCurrentRow();
    } else {
        emit itemDropped(drop->mimeData()->data(drop_type_), row);
    }
    return true;
}

void PresetGrid::BankButtonPressed(int table_row)
{
    int digit = -1;
    RecordChange(recorder_, BankButtonStep(BankDigitOfTableRow(table_row)),
                 [&] { digit = ToggleBankFunctionOfRow(table_, table_row); });
    BankFunctionChanged(digit);
    emit setupEdited();
}

void PresetGrid::MarkDifferences(const std::vector<std::pair<int, int>>& cells, const std::vector<int>& bank_digits)
{
    model_->SetMarkedCells(cells);
    bank_marked_.fill(false);
    for (int digit : bank_digits)
        if (digit >= 0 && digit < kBankCount) bank_marked_[static_cast<std::size_t>(digit)] = true;
    const QString marked = QStringLiteral("QPushButton { background-color: %1; }").arg(QtColour(kDifferenceRgb).name());
    for (std::size_t digit = 0; digit < bank_buttons_.size(); ++digit)
        bank_buttons_[digit]->setStyleSheet(bank_marked_[digit] ? marked : QString());
}

void PresetGrid::ClearMarks()
{
    model_->ClearMarks();
    for (std::size_t digit = 0; digit < bank_buttons_.size(); ++digit) {
        if (bank_marked_[digit]) bank_buttons_[digit]->setStyleSheet(QString());
        bank_marked_[digit] = false;
    }
}

bool PresetGrid::IsMarked(int table_row, int column) const
{
    return model_->IsMarked(table_row, column);
}

bool PresetGrid::IsBankMarked(int bank_digit) const
{
    return bank_digit >= 0 && bank_digit < kBankCount && bank_marked_[static_cast<std::size_t>(bank_digit)];
}

void PresetGrid::ShowCell(int table_row, int column)
{
    if (!IsPresetTableRow(table_row) || column < 0 || column >= kColumnCount) return;
    MoveCurrentRow(table_row);
    const QModelIndex cell = model_->index(table_row, std::max(column, kFixedColumnCount));
    view_->SelectRow(cell);
    view_->scrollTo(cell);
    view_->setFocus(Qt::OtherFocusReason);
}

void PresetGrid::ShowPasteItems()
{
    const PasteItem& preset = clipboard_.PastePresetItem();
    const PasteItem& bank = clipboard_.PasteBankItem();
    ShowItem(paste_preset_, PastePresetCaption(preset), preset.Enabled());
    ShowItem(paste_bank_, PasteBankCaption(bank), bank.Enabled());
}

}  // namespace orvel
