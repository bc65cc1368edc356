// asgprint: the print settings dialog of the preset grid. Its pages (borders, general,
// fonts, date and time, title, pages, margins, spacing, orientation) set the print layout,
// with measures in millimetres; a preview beside them shows the pages and follows every
// change; the destination is a printer or a PDF file. "Save settings" keeps the layout in
// print.ini in the user's configuration folder, where the next dialog reads it from.
// OK leaves the settings for the print; Cancel puts back what they were when it opened.
#pragma once

#include <functional>
#include <string>

#include <QDialog>
#include <QPrinter>

#include "ui/print/pdf_output.h"
#include "ui/print/print_settings.h"
#include "ui/print/table_painter.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFontComboBox;
class QLabel;
class QLineEdit;
class QPrintPreviewWidget;
class QPushButton;
class QRadioButton;
class QListWidget;
class QStackedWidget;
class QLayout;

namespace orvel {

class PresetTable;

class PrintSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // settings_folder: the user's configuration folder (empty: settings cannot be saved).
    PrintSettingsDialog(const PresetTable& table, std::string settings_folder, QWidget* parent = nullptr);
    ~PrintSettingsDialog() override;

    const PrintSettings& Settings() const { return settings_; }
    void SetSettings(const PrintSettings& settings);  // shows them and updates the preview

    // The destination: a printer by name, or the PDF file (the last entry of the list). The
    // file's name is kept as bytes, as the system names files; the field shows it as text.
    bool ToPdf() const;
    const std::string& PdfFile() const { return pdf_file_; }
    void SetPdfFile(const std::string& path);  // chooses "PDF file" too

    // Asked, with the PDF file's name, before printing replaces a file that is there; true
    // to replace it. By default a question box; tests answer it themselves.
    using ReplaceQuestion = std::function<bool(const std::string& path)>;
    void SetReplaceQuestion(ReplaceQuestion ask);

    // Writes print.ini; false (and the reason shown in the dialog) when it cannot.
    bool SaveSettings();

    // Pages of the last preview (0 when the settings leave no room).
    int PreviewPageCount() const { return preview_pages_; }
    QPrintPreviewWidget* Preview() const { return preview_; }

    // Sends the table to the chosen destination with the dialog's settings.
    PdfResult PrintTable(const PrintHooks& hooks);

    int exec() override;
    void accept() override;

private:
    void BuildPages();
    void AddPage(QLayout* layout, const QString& caption);
    void BuildDestination();
    void ReadControls();  // controls -> settings_, then the preview
    void ShowSettings();  // settings_ -> controls
    void PaintPreview(QPrinter* printer);
    void ChoosePdfFile();
    void DestinationChanged();

    const PresetTable& table_;
    std::string folder_;
    PrintSettings settings_;
    PrintSettings kept_;  // what Cancel returns to
    QPrinter preview_printer_;
    int preview_pages_ = 0;
    bool showing_ = false;  // controls are being filled; their signals are not changes

    QListWidget* page_list_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QPrintPreviewWidget* preview_ = nullptr;
    QLabel* page_count_ = nullptr;
    QLabel* note_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* save_ = nullptr;
    QComboBox* destination_ = nullptr;
    QLineEdit* pdf_path_ = nullptr;
    std::string pdf_file_;  // the PDF file's name as bytes
    ReplaceQuestion ask_replace_;
    QPushButton* browse_ = nullptr;

    QCheckBox* grid_lines_ = nullptr;
    QCheckBox* outer_frame_ = nullptr;
    QCheckBox* cell_graphics_ = nullptr;
    QCheckBox* column_colours_ = nullptr;
    struct FontControls {
        QFontComboBox* family = nullptr;
        QDoubleSpinBox* points = nullptr;
        QCheckBox* bold = nullptr;
        QCheckBox* italic = nullptr;
    };
    FontControls cell_font_, fixed_font_, header_font_, footer_font_;
    QCheckBox* show_date_ = nullptr;
    QLineEdit* date_format_ = nullptr;
    QCheckBox* show_time_ = nullptr;
    QLineEdit* time_format_ = nullptr;
    QComboBox* date_place_ = nullptr;
    QCheckBox* show_title_ = nullptr;
    QLineEdit* title_ = nullptr;
    QComboBox* title_place_ = nullptr;
    QCheckBox* page_numbers_ = nullptr;
    QComboBox* page_number_place_ = nullptr;
    QComboBox* paper_ = nullptr;
    QDoubleSpinBox* margin_top_ = nullptr;
    QDoubleSpinBox* margin_bottom_ = nullptr;
    QDoubleSpinBox* margin_left_ = nullptr;
    QDoubleSpinBox* margin_right_ = nullptr;
    QDoubleSpinBox* column_spacing_ = nullptr;
    QDoubleSpinBox* row_spacing_ = nullptr;
    QDoubleSpinBox* title_spacing_ = nullptr;
    QRadioButton* landscape_ = nullptr;
    QRadioButton* portrait_ = nullptr;
};

}  // namespace orvel
