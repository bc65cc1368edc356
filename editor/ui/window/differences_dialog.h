// The list of differences a "Compare with controller" or "Compare with file" found: one line
// per difference with where it is, the field, the editor's value and the controller's (or
// the file's). It stays open beside the window; choosing a line (a click, or Enter on it)
// asks the window to show that cell.
#pragma once

#include <vector>

#include <QDialog>

#include "model/setup_compare.h"

class QLabel;
class QTreeWidget;

namespace orvel {

class DifferencesDialog : public QDialog {
    Q_OBJECT
public:
    explicit DifferencesDialog(QWidget* parent);

    // Fills the list (the previous one goes) and shows the dialog. `file_name`: the preset
    // file compared with; empty for the controller.
    void ShowDifferences(const std::vector<SetupDifference>& differences, const QString& file_name = {});
    // Empties the list and hides the dialog.
    void Clear();

    QTreeWidget* List() const { return list_; }
    const std::vector<SetupDifference>& Differences() const { return differences_; }

signals:
    // The user chose the line of this difference.
    void differenceChosen(const SetupDifference& difference);

private:
    void LineChosen();

    QLabel* summary_ = nullptr;
    QTreeWidget* list_ = nullptr;
    std::vector<SetupDifference> differences_;
};

}  // namespace orvel
