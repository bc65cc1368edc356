// aSetup: the settings grid, a view of the MIDI channels and CTRL numbers of a SettingsData.
// Rows 0 and 1 are fixed header rows ("MIDI Channel", "Ctrl  Number", "Ctrl  Number or
// MIDI Channel" over merged cells, then the numbers); row 2 holds the values and opens an
// editable drop-down per cell, edited from the keyboard as the preset grid is. An entry the
// settings refuse is not stored. Ctrl+C and Ctrl+V move the value cells' text through the
// system clipboard.
#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

#include "model/settings_data.h"
#include "ui/grid/spreadsheet_view.h"

namespace orvel {

class ChangeRecorder;

class SettingsGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    SettingsGridModel(SettingsData& settings, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The settings were replaced (a file was loaded, the controller was read).
    void Reload();

    // Value cells found different from the controller's: drawn in the difference colour
    // until the marks are cleared.
    void SetMarkedColumns(const std::vector<int>& columns);
    void ClearMarks() { SetMarkedColumns({}); }
    bool IsMarked(int column) const;
    SettingsData& Settings() { return settings_; }
    // Where stored entries go as undo steps; null runs them directly.
    void SetRecorder(ChangeRecorder* recorder) { recorder_ = recorder; }
    ChangeRecorder* Recorder() const { return recorder_; }

signals:
    // An entry was refused and not stored; the text says why.
    void entryRefused(const QString& message);
    // An entry changed a value (an editor closed on the same text did not).
    void edited();

private:
    SettingsData& settings_;
    std::vector<int> marked_;
    ChangeRecorder* recorder_ = nullptr;
};

// The drop-downs of the value row.
class SettingsCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

signals:
    // An entry was stored in the cell (the grid then marks the cell and takes the focus).
    void entryStored(const QModelIndex& index) const;
};

class SettingsGrid : public SpreadsheetView {
    Q_OBJECT
public:
    SettingsGrid(SettingsData& settings, QWidget* parent);

    SettingsGridModel* Model() const { return model_; }

    // Column widths and row heights in pixels.
    void ApplyLayout(int column_width, int row_height);

    // Ctrl+C: the current value cell's text to the system clipboard.
    void CopyCells();
    // Ctrl+V: the clipboard's first line from the current value cell on, each value checked
    // by its column's rule; one undo step.
    void PasteCells();
    // Delete and Backspace: a setting has no empty value, so the current value cell is
    // given the empty entry, which the rule refuses with the values it takes.
    void ClearCell();

signals:
    void entryRefused(const QString& message);
    // A Ctrl+V has ended; the text says how many values were stored and refused.
    void cellsPasted(const QString& message);

private:
    SettingsGridModel* model_;
};

}  // namespace orvel
