// The preset grid "asgbanks": the preset table the window owns, shown as 100 preset rows
// under two header rows, with the bank and preset digits and the two header rows kept in
// view while it scrolls. It edits the current row's active cells, keeps the current row
// (the row the bank and preset commands act on), runs the wah-pad bank buttons and its
// popup menu "pm" with the preset and bank clipboards. The popup's four transfer items
// are the window's to connect.
//
// Two clipboards live side by side: the popup's "Copy preset"/"Copy bank" and their
// "Paste" items keep whole presets and banks (with the bank's wah-pad function) inside the
// editor, as they always have; Ctrl+C and Ctrl+V move the selected cells' text through the
// system clipboard, to and from other programs and spreadsheets, one value per cell.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include <QWidget>

#include "model/model_constants.h"
#include "model/preset_clipboard.h"

class QAction;
class QMenu;
class QPushButton;

namespace orvel {

class ChangeRecorder;
class FrozenGridView;
class PresetTable;
class PresetTableModel;

class PresetGrid : public QWidget {
    Q_OBJECT

public:
    // The table must outlive the grid. The grid starts with the table's contents; call
    // ApplyLayout before showing it.
    explicit PresetGrid(PresetTable& table, QWidget* parent = nullptr);

    // Sizes for the screen: column widths of u width units are u x W / 1024 pixels, the
    // grid's width (fixed) is their sum + 26 pixels; row heights are the design heights
    // times H / 768 rounded (preset_grid_sizes.h). The window sets the height.
    void ApplyLayout(int screen_width, int screen_height);

    // Redraws everything from the table, bank buttons included (after a file load or a
    // transfer of many rows).
    void Refresh();

    // One row's cells changed in the table: applies the row's TYPE to its active cells
    // and redraws it.
    void RowChanged(int table_row);

    // A bank's wah-pad flag changed in the table: sets its button's caption.
    void BankFunctionChanged(int bank_digit);

    // The table's current row (0 and 1 are header rows).
    int CurrentRow() const;

    // Where every change the grid makes goes as an undo step; null runs them directly.
    void SetRecorder(ChangeRecorder* recorder);

    // Ctrl+C: the selected rows as tab-separated text on the system clipboard.
    void CopyCells();
    // Ctrl+V: the clipboard's text from the current cell on, each value checked by its
    // column's rule; one undo step. Says what it did through cellsPasted. When the current
    // cell lies in a selection of several rows, the paste starts on the selection's first
    // row and one copied line fills every selected row; whole rows (as Ctrl+C copies them)
    // go into whole rows, from TYPE on, wherever the current cell is.
    void PasteCells();
    // Delete and Backspace: the current cell, or every cell of a selection of several
    // rows, takes its column's empty value (NAME "", programs and controls "unu", check
    // boxes cleared) through the rule of typed entries; one undo step. TYPE and inactive
    // cells keep their values.
    void ClearCells();

    // Moves a current row that is a header row to the first preset row (2) and selects
    // the current row. The popup does this when it opens; the window does it when its
    // "Data transfer" menu opens.
    void EnsureCurrentPresetRow();

    // Marks the cells (table row, column) and the bank buttons (bank digits) found different
    // from the controller's; ClearMarks takes every mark away.
    void MarkDifferences(const std::vector<std::pair<int, int>>& cells, const std::vector<int>& bank_digits);
    void ClearMarks();
    bool IsMarked(int table_row, int column) const;
    bool IsBankMarked(int bank_digit) const;

    // Makes a preset row current and brings one of its cells into view as the current cell.
    void ShowCell(int table_row, int column);

    // --- Presets and banks of another set-up (a preset file of the library) -----------------
    // The row of `source` goes to the preset clipboard, or the ten rows of its bank to the bank
    // clipboard, as "Copy preset" and "Copy bank" take them from this grid; "Paste preset" and
    // "Paste bank" put them in.
    void CopyPresetFrom(const PresetTable& source, int source_row);
    void CopyBankFrom(const PresetTable& source, int source_row);
    // The row of `source` (or the bank holding it) put into the target row (or the target row's
    // bank) as "Paste preset" ("Paste bank") would: the target keeps its preset numbers, every
    // other value and the bank's wah-pad function come from `source`; one undo step. The
    // target row becomes the current row; the clipboards keep what they hold.
    void DropPreset(const PresetTable& source, int source_row, int target_row);
    void DropBank(const PresetTable& source, int source_row, int target_row);
    // Drags carrying this MIME type may be dropped on the preset rows; each drop is handed
    // on through itemDropped.
    void AcceptDrops(const QString& mime_type);

    QMenu* Popup() const { return popup_; }
    QAction* ReadBankAction() const { return read_bank_; }        // "ReadbankfromKPX1"
    QAction* WriteBankAction() const { return write_bank_; }      // "WritebanktoKPX1"
    QAction* ReadPresetAction() const { return read_preset_; }    // "ReadpresetfromKPX21"
    QAction* WritePresetAction() const { return write_preset_; }  // "WritepresettoKPX1"

signals:
    // The name of a preset was edited: the live preview must draw its bank again.
    void nameEdited();
    // An entry was refused and not stored; the text says which, for a status line.
    void entryRefused(const QString& message);
    // A key was pressed on a cell this preset's type does not use; nothing changed. The
    // text says so, for a status line.
    void inactiveCellKey(const QString& message);
    // The user changed the set-up here: an entry, a check box, a paste or a bank button.
    void setupEdited();
    // A Ctrl+V has ended; the text says how many values were stored and refused.
    void cellsPasted(const QString& message);
    // A drag of the accepted MIME type was dropped on a preset row: its data and the row.
    void itemDropped(const QByteArray& data, int table_row);

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPopup();
    void BuildBankButtons();
    void MoveCurrentRow(int table_row);
    void SelectCurrentRow();
    void PopupOpening();  // pmPopup
    void CopyPreset();    // Copypreset1
    void PastePreset();   // Pastepreset1
    void CopyBank();      // Copybank1
    void PasteBank();     // Pastebank1
    void BankButtonPressed(int table_row);
    void ReportInactiveCell(int table_row);  // inactiveCellKey
    void ShowPasteItems();
    // Pastes what `clipboard` holds into a row or its bank, as one undo step named `step`.
    void PastePresetFrom(PresetClipboard& clipboard, int table_row, const std::string& step);
    void PasteBankFrom(PresetClipboard& clipboard, int table_row, const std::string& step);
    // The preset row under a point of one of the grid's viewports; -1 for none.
    int DropRowAt(QObject* viewport, const QPoint& at) const;

    PresetTable& table_;
    PresetClipboard clipboard_;
    ChangeRecorder* recorder_ = nullptr;
    PresetTableModel* model_ = nullptr;
    FrozenGridView* view_ = nullptr;
    std::array<QPushButton*, kBankCount> bank_buttons_{};  // by bank digit
    std::array<bool, kBankCount> bank_marked_{};
    QString drop_type_;  // empty: nothing may be dropped

    QMenu* popup_ = nullptr;
    QAction* copy_bank_ = nullptr;
    QAction* paste_bank_ = nullptr;
    QAction* copy_preset_ = nullptr;
    QAction* paste_preset_ = nullptr;
    QAction* read_bank_ = nullptr;
    QAction* write_bank_ = nullptr;
    QAction* read_preset_ = nullptr;
    QAction* write_preset_ = nullptr;
};

}  // namespace orvel
