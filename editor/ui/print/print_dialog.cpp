#include "ui/print/print_dialog.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QFontComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "files/file_result.h"
#include "model/preset_table.h"
#include "ui/wheel_to_parent.h"

namespace orvel {

namespace {

const QString kPdfEntry = QStringLiteral("PDF file");
constexpr double kMaxMarginMm = kMaxPrintMargin / static_cast<double>(kPrintUnitsPerMm);
constexpr double kMaxSpacingMm = kMaxPrintSpacing / static_cast<double>(kPrintUnitsPerMm);
constexpr int kPreviewMinWidth = 560;
constexpr int kPreviewMinHeight = 420;

QWidget* Named(QWidget* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QDoubleSpinBox* MillimetreBox(const char* name, double maximum)
{
    auto* box = new QDoubleSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, maximum);
    box->setDecimals(1);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

QComboBox* PlaceBox(const char* name)
{
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(name));
    box->addItems({QStringLiteral("Left"), QStringLiteral("Centre"), QStringLiteral("Right")});
    return box;
}

double ToMm(int units)
{
    return units / static_cast<double>(kPrintUnitsPerMm);
}

int ToUnits(double mm)
{
    return static_cast<int>(std::lround(mm * kPrintUnitsPerMm));
}

}  // namespace

PrintSettingsDialog::PrintSettingsDialog(const PresetTable& table, std::string settings_folder, QWidget* parent)
    : QDialog(parent),
      table_(table),
      folder_(std::move(settings_folder)),
      settings_(LoadPrintSettings(folder_)),
      kept_(settings_),
      preview_printer_(QPrinter::HighResolution)
{
    setObjectName(QStringLiteral("asgprint"));
    setWindowTitle(QStringLiteral("Print"));
    ask_replace_ = [this](const std::string& path) {
        const QString text = QStringLiteral("\"%1\" already exists. Do you want to replace it?")
                                 .arg(QFile::decodeName(QByteArray::fromStdString(path)));
        return QMessageBox::question(this, windowTitle(), text) == QMessageBox::Yes;
    };
    preview_printer_.setOutputFormat(QPrinter::PdfFormat);
    preview_printer_.setFullPage(true);
    preview_printer_.setPageLayout(PageLayoutFor(settings_));

    // The pages as a list beside them: nine tabs would not fit the dialog's width.
    page_list_ = new QListWidget;
    page_list_->setObjectName(QStringLiteral("asgprintPageList"));
    pages_ = new QStackedWidget;
    pages_->setObjectName(QStringLiteral("asgprintPages"));
    connect(page_list_, &QListWidget::currentRowChanged, pages_, &QStackedWidget::setCurrentIndex);
    BuildPages();
    page_list_->setCurrentRow(0);
    page_list_->setFixedWidth(page_list_->sizeHintForColumn(0) + 2 * page_list_->frameWidth() + 8);

    preview_ = new QPrintPreviewWidget(&preview_printer_);
    preview_->setObjectName(QStringLiteral("asgprintPreview"));
    preview_->setMinimumSize(kPreviewMinWidth, kPreviewMinHeight);
    preview_->setViewMode(QPrintPreviewWidget::SinglePageView);
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this, &PrintSettingsDialog::PaintPreview);
    page_count_ = new QLabel;
    page_count_->setObjectName(QStringLiteral("asgprintPageCount"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setText(QStringLiteral("Print"));
    ok_->setObjectName(QStringLiteral("asgprintOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("asgprintCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &PrintSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PrintSettingsDialog::reject);
    save_ = new QPushButton(QStringLiteral("Save settings"));
    save_->setObjectName(QStringLiteral("asgprintSave"));
    save_->setEnabled(!folder_.empty());
    save_->setToolTip(QString::fromStdString(PrintSettingsPath(folder_)));
    connect(save_, &QPushButton::clicked, this, &PrintSettingsDialog::SaveSettings);
    note_ = new QLabel;
    note_->setObjectName(QStringLiteral("asgprintNote"));
    note_->setWordWrap(true);

    auto* settings_pages = new QHBoxLayout;
    settings_pages->addWidget(page_list_);
    settings_pages->addWidget(pages_, 1);
    auto* left = new QVBoxLayout;
    left->addLayout(settings_pages);
    BuildDestination();
    auto* destination = new QFormLayout;
    auto* file_row = new QHBoxLayout;
    file_row->addWidget(pdf_path_);
    file_row->addWidget(browse_);
    destination->addRow(QStringLiteral("Print to"), destination_);
    destination->addRow(QStringLiteral("File"), file_row);
    left->addLayout(destination);
    left->addWidget(save_);
    left->addWidget(note_);
    left->addStretch(1);

    auto* right = new QVBoxLayout;
    right->addWidget(preview_, 1);
    right->addWidget(page_count_);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(columns, 1);
    whole->addWidget(buttons);

    // The wheel over a drop-down goes on to the dialog: a choice is made by a click or a key.
    for (QComboBox* box : findChildren<QComboBox*>()) PassWheelToParent(box);

    ShowSettings();
    DestinationChanged();
}

PrintSettingsDialog::~PrintSettingsDialog() = default;

void PrintSettingsDialog::AddPage(QLayout* layout, const QString& caption)
{
    auto* page = new QWidget;
    page->setLayout(layout);
    pages_->addWidget(page);
    page_list_->addItem(caption);
}

void PrintSettingsDialog::BuildPages()
{
    const auto changed = [this] { ReadControls(); };

    grid_lines_ = new QCheckBox(QStringLiteral("Lines round every cell"));
    outer_frame_ = new QCheckBox(QStringLiteral("Frame round the table"));
    auto* borders = new QVBoxLayout;
    borders->addWidget(Named(grid_lines_, "asgprintGridLines"));
    borders->addWidget(Named(outer_frame_, "asgprintOuterFrame"));
    borders->addStretch(1);
    AddPage(borders, QStringLiteral("Borders"));

    cell_graphics_ = new QCheckBox(QStringLiteral("Check boxes and bank buttons"));
    column_colours_ = new QCheckBox(QStringLiteral("Column colours"));
    auto* general = new QVBoxLayout;
    general->addWidget(Named(cell_graphics_, "asgprintCellGraphics"));
    general->addWidget(Named(column_colours_, "asgprintColumnColours"));
    general->addWidget(
        new QLabel(QStringLiteral("The table is always fitted to the page width; inactive cells "
                                  "print silver.")));
    general->addStretch(1);
    AddPage(general, QStringLiteral("General"));

    auto* fonts = new QFormLayout;
    const auto font_row = [&](FontControls& font, const QString& caption, const QString& name) {
        font.family = new QFontComboBox;
        font.family->setObjectName(QStringLiteral("asgprint%1Font").arg(name));
        font.points = new QDoubleSpinBox;
        font.points->setObjectName(QStringLiteral("asgprint%1Size").arg(name));
        font.points->setRange(4, 36);
        font.points->setDecimals(1);
        font.points->setSuffix(QStringLiteral(" pt"));
        font.bold = new QCheckBox(QStringLiteral("Bold"));
        font.italic = new QCheckBox(QStringLiteral("Italic"));
        auto* row = new QHBoxLayout;
        row->addWidget(font.family, 1);
        row->addWidget(font.points);
        row->addWidget(font.bold);
        row->addWidget(font.italic);
        fonts->addRow(caption, row);
    };
    font_row(cell_font_, QStringLiteral("Cells"), QStringLiteral("Cell"));
    font_row(fixed_font_, QStringLiteral("Fixed cells"), QStringLiteral("Fixed"));
    font_row(header_font_, QStringLiteral("Header"), QStringLiteral("Header"));
    font_row(footer_font_, QStringLiteral("Footer"), QStringLiteral("Footer"));
    AddPage(fonts, QStringLiteral("Fonts"));

    show_date_ = new QCheckBox(QStringLiteral("Print the date"));
    date_format_ = new QLineEdit;
    date_format_->setToolTip(QStringLiteral("d day, m month, y year"));
    show_time_ = new QCheckBox(QStringLiteral("Print the time"));
    time_format_ = new QLineEdit;
    time_format_->setToolTip(QStringLiteral("h hour, m minute"));
    date_place_ = PlaceBox("asgprintDatePlace");
    auto* date = new QFormLayout;
    date->addRow(Named(show_date_, "asgprintShowDate"));
    date->addRow(QStringLiteral("Date format"), Named(date_format_, "asgprintDateFormat"));
    date->addRow(Named(show_time_, "asgprintShowTime"));
    date->addRow(QStringLiteral("Time format"), Named(time_format_, "asgprintTimeFormat"));
    date->addRow(QStringLiteral("At the bottom"), date_place_);
    AddPage(date, QStringLiteral("Date and time"));

    show_title_ = new QCheckBox(QStringLiteral("Print a title"));
    title_ = new QLineEdit;
    title_place_ = PlaceBox("asgprintTitlePlace");
    auto* title = new QFormLayout;
    title->addRow(Named(show_title_, "asgprintShowTitle"));
    title->addRow(QStringLiteral("Title"), Named(title_, "asgprintTitle"));
    title->addRow(QStringLiteral("At the top"), title_place_);
    AddPage(title, QStringLiteral("Title"));

    page_numbers_ = new QCheckBox(QStringLiteral("Page numbers (page/count)"));
    page_number_place_ = PlaceBox("asgprintPageNumberPlace");
    paper_ = new QComboBox;
    paper_->addItems(PaperNames());
    auto* pages = new QFormLayout;
    pages->addRow(Named(page_numbers_, "asgprintPageNumbers"));
    pages->addRow(QStringLiteral("At the bottom"), page_number_place_);
    pages->addRow(QStringLiteral("Paper"), Named(paper_, "asgprintPaper"));
    AddPage(pages, QStringLiteral("Pages"));

    margin_top_ = MillimetreBox("asgprintMarginTop", kMaxMarginMm);
    margin_bottom_ = MillimetreBox("asgprintMarginBottom", kMaxMarginMm);
    margin_left_ = MillimetreBox("asgprintMarginLeft", kMaxMarginMm);
    margin_right_ = MillimetreBox("asgprintMarginRight", kMaxMarginMm);
    auto* margins = new QFormLayout;
    margins->addRow(QStringLiteral("Header"), margin_top_);
    margins->addRow(QStringLiteral("Footer"), margin_bottom_);
    margins->addRow(QStringLiteral("Left"), margin_left_);
    margins->addRow(QStringLiteral("Right"), margin_right_);
    AddPage(margins, QStringLiteral("Margins"));

    column_spacing_ = MillimetreBox("asgprintColumnSpacing", kMaxSpacingMm);
    row_spacing_ = MillimetreBox("asgprintRowSpacing", kMaxSpacingMm);
    title_spacing_ = MillimetreBox("asgprintTitleSpacing", kMaxSpacingMm);
    auto* spacing = new QFormLayout;
    spacing->addRow(QStringLiteral("Between columns"), column_spacing_);
    spacing->addRow(QStringLiteral("Between rows"), row_spacing_);
    spacing->addRow(QStringLiteral("Under the title"), title_spacing_);
    AddPage(spacing, QStringLiteral("Spacing"));

    landscape_ = new QRadioButton(QStringLiteral("Landscape"));
    portrait_ = new QRadioButton(QStringLiteral("Portrait"));
    auto* orientation = new QVBoxLayout;
    orientation->addWidget(Named(landscape_, "asgprintLandscape"));
    orientation->addWidget(Named(portrait_, "asgprintPortrait"));
    orientation->addStretch(1);
    AddPage(orientation, QStringLiteral("Orientation"));

    for (QCheckBox* box :
         {grid_lines_, outer_frame_, cell_graphics_, column_colours_, show_date_, show_time_, show_title_,
          page_numbers_, cell_font_.bold, cell_font_.italic, fixed_font_.bold, fixed_font_.italic, header_font_.bold,
          header_font_.italic, footer_font_.bold, footer_font_.italic})
        connect(box, &QCheckBox::toggled, this, changed);
    for (QDoubleSpinBox* box :
         {margin_top_, margin_bottom_, margin_left_, margin_right_, column_spacing_, row_spacing_, title_spacing_,
          cell_font_.points, fixed_font_.points, header_font_.points, footer_font_.points})
        connect(box, &QDoubleSpinBox::valueChanged, this, changed);
    for (QLineEdit* edit : {date_format_, time_format_, title_}) connect(edit, &QLineEdit::textChanged, this, changed);
    for (QComboBox* box : {date_place_, title_place_, page_number_place_, paper_})
        connect(box, &QComboBox::currentIndexChanged, this, changed);
    for (QFontComboBox* box : {cell_font_.family, fixed_font_.family, header_font_.family, footer_font_.family})
        connect(box, &QFontComboBox::currentFontChanged, this, changed);
    connect(landscape_, &QRadioButton::toggled, this, changed);
}

void PrintSettingsDialog::BuildDestination()
{
    destination_ = new QComboBox;
    destination_->setObjectName(QStringLiteral("asgprintDestination"));
    // A machine without printers still writes PDF files.
    destination_->addItems(QPrinterInfo::availablePrinterNames());
    destination_->addItem(kPdfEntry);
    const QString preferred = QPrinterInfo::defaultPrinterName();
    const int found = preferred.isEmpty() ? -1 : destination_->findText(preferred);
    destination_->setCurrentIndex(found >= 0 ? found : destination_->count() - 1);
    pdf_path_ = new QLineEdit;
    pdf_path_->setObjectName(QStringLiteral("asgprintPdfPath"));
    pdf_path_->setPlaceholderText(QStringLiteral("presets.pdf"));
    browse_ = new QPushButton(QStringLiteral("Browse..."));
    browse_->setObjectName(QStringLiteral("asgprintBrowse"));
    connect(destination_, &QComboBox::currentIndexChanged, this, &PrintSettingsDialog::DestinationChanged);
    connect(browse_, &QPushButton::clicked, this, &PrintSettingsDialog::ChoosePdfFile);
    // A name typed in is taken as the system's bytes for that text; one set as bytes stays so.
    connect(pdf_path_, &QLineEdit::textEdited, this,
            [this](const QString& text) { pdf_file_ = QFile::encodeName(text.trimmed()).toStdString(); });
}

void PrintSettingsDialog::ShowSettings()
{
    showing_ = true;
    const PrintSettings& s = settings_;
    grid_lines_->setChecked(s.grid_lines);
    outer_frame_->setChecked(s.outer_frame);
    cell_graphics_->setChecked(s.cell_graphics);
    column_colours_->setChecked(s.column_colours);
    const auto show_font = [](FontControls& controls, const PrintFont& font) {
        controls.family->setCurrentFont(QFont(QString::fromStdString(font.family)));
        controls.points->setValue(font.points);
        controls.bold->setChecked(font.bold);
        controls.italic->setChecked(font.italic);
    };
    show_font(cell_font_, s.cell_font);
    show_font(fixed_font_, s.fixed_font);
    show_font(header_font_, s.header_font);
    show_font(footer_font_, s.footer_font);
    show_date_->setChecked(s.show_date);
    date_format_->setText(QString::fromStdString(s.date_format));
    show_time_->setChecked(s.show_time);
    time_format_->setText(QString::fromStdString(s.time_format));
    date_place_->setCurrentIndex(static_cast<int>(s.date_place));
    show_title_->setChecked(s.show_title);
    title_->setText(QString::fromStdString(s.title));
    title_place_->setCurrentIndex(static_cast<int>(s.title_place));
    page_numbers_->setChecked(s.page_numbers);
    page_number_place_->setCurrentIndex(static_cast<int>(s.page_number_place));
    paper_->setCurrentIndex(std::max(0, paper_->findText(QString::fromStdString(s.paper))));
    margin_top_->setValue(ToMm(s.margin_top));
    margin_bottom_->setValue(ToMm(s.margin_bottom));
    margin_left_->setValue(ToMm(s.margin_left));
    margin_right_->setValue(ToMm(s.margin_right));
    column_spacing_->setValue(ToMm(s.column_spacing));
    row_spacing_->setValue(ToMm(s.row_spacing));
    title_spacing_->setValue(ToMm(s.title_spacing));
    landscape_->setChecked(s.landscape);
    portrait_->setChecked(!s.landscape);
    showing_ = false;
    ReadControls();
}

void PrintSettingsDialog::ReadControls()
{
    if (showing_ || ok_ == nullptr) return;  // filling the controls, or still building them
    PrintSettings s = settings_;
    s.grid_lines = grid_lines_->isChecked();
    s.outer_frame = outer_frame_->isChecked();
    s.cell_graphics = cell_graphics_->isChecked();
    s.column_colours = column_colours_->isChecked();
    const auto read_font = [](const FontControls& controls, PrintFont& font) {
        font.family = controls.family->currentFont().family().toStdString();
        font.points = controls.points->value();
        font.bold = controls.bold->isChecked();
        font.italic = controls.italic->isChecked();
    };
    read_font(cell_font_, s.cell_font);
    read_font(fixed_font_, s.fixed_font);
    read_font(header_font_, s.header_font);
    read_font(footer_font_, s.footer_font);
    s.show_date = show_date_->isChecked();
    s.date_format = date_format_->text().toStdString();
    s.show_time = show_time_->isChecked();
    s.time_format = time_format_->text().toStdString();
    s.date_place = static_cast<TextPlace>(date_place_->currentIndex());
    s.show_title = show_title_->isChecked();
    s.title = title_->text().toStdString();
    s.title_place = static_cast<TextPlace>(title_place_->currentIndex());
    s.page_numbers = page_numbers_->isChecked();
    s.page_number_place = static_cast<TextPlace>(page_number_place_->currentIndex());
    s.paper = paper_->currentText().toStdString();
    s.margin_top = ToUnits(margin_top_->value());
    s.margin_bottom = ToUnits(margin_bottom_->value());
    s.margin_left = ToUnits(margin_left_->value());
    s.margin_right = ToUnits(margin_right_->value());
    s.column_spacing = ToUnits(column_spacing_->value());
    s.row_spacing = ToUnits(row_spacing_->value());
    s.title_spacing = ToUnits(title_spacing_->value());
    s.landscape = landscape_->isChecked();
    settings_ = s;
    preview_printer_.setPageLayout(PageLayoutFor(settings_));
    preview_->updatePreview();
}

void PrintSettingsDialog::SetSettings(const PrintSettings& settings)
{
    settings_ = settings;
    ShowSettings();
}

void PrintSettingsDialog::PaintPreview(QPrinter* printer)
{
    const PaintResult painted =
        PaintPresetTable(*printer, table_, settings_, CurrentPlatformColours(), QDateTime::currentDateTime());
    preview_pages_ = painted.pages;
    ok_->setEnabled(painted.error.empty());
    page_count_->setText(painted.error.empty() ? (painted.pages == 1 ? QStringLiteral("1 page")
                                                                     : QStringLiteral("%1 pages").arg(painted.pages))
                                               : QString::fromStdString(painted.error));
}

bool PrintSettingsDialog::ToPdf() const
{
    return destination_->currentText() == kPdfEntry && destination_->currentIndex() == destination_->count() - 1;
}

void PrintSettingsDialog::SetPdfFile(const std::string& path)
{
    destination_->setCurrentIndex(destination_->count() - 1);
    pdf_file_ = path;
    pdf_path_->setText(QFile::decodeName(QByteArray::fromStdString(path)));
}

void PrintSettingsDialog::SetReplaceQuestion(ReplaceQuestion ask)
{
    ask_replace_ = std::move(ask);
}

void PrintSettingsDialog::DestinationChanged()
{
    pdf_path_->setEnabled(ToPdf());
    browse_->setEnabled(ToPdf());
}

void PrintSettingsDialog::ChoosePdfFile()
{
    // Printing asks before it replaces a file, so the file dialog does not ask as well.
    QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Print to PDF file"), pdf_path_->text(),
                                     QStringLiteral("PDF file (*.pdf)"), nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty()) return;
    if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) path += QStringLiteral(".pdf");
    SetPdfFile(QFile::encodeName(path).toStdString());
}

bool PrintSettingsDialog::SaveSettings()
{
    const FileResult saved = SavePrintSettings(folder_, settings_);
    const bool done = saved.status == FileStatus::Done;
    note_->setText(done
                       ? QStringLiteral("Settings saved to %1.").arg(QString::fromStdString(PrintSettingsPath(folder_)))
                       : QString::fromStdString(saved.reason));
    return done;
}

PdfResult PrintSettingsDialog::PrintTable(const PrintHooks& hooks)
{
    const QDateTime now = QDateTime::currentDateTime();
    if (ToPdf()) return WritePresetTablePdf(pdf_file_, table_, settings_, CurrentPlatformColours(), now, hooks);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(destination_->currentText());
    printer.setFullPage(true);
    printer.setPageLayout(PageLayoutFor(settings_));
    printer.setDocName(QString::fromStdString(settings_.title));
    const PaintResult painted = PaintPresetTable(printer, table_, settings_, CurrentPlatformColours(), now, hooks);
    return {painted.pages, painted.error};
}

int PrintSettingsDialog::exec()
{
    kept_ = settings_;
    note_->clear();
    preview_->updatePreview();
    const int result = QDialog::exec();
    if (result != QDialog::Accepted) SetSettings(kept_);
    return result;
}

void PrintSettingsDialog::accept()
{
    if (ToPdf() && pdf_file_.empty()) {
        note_->setText(QStringLiteral("Choose the PDF file to print to."));
        pdf_path_->setFocus();
        return;
    }
    // Printing over a file that is there replaces it: the user says so first.
    std::error_code error;
    if (ToPdf() && std::filesystem::exists(std::filesystem::path(pdf_file_), error) && !ask_replace_(pdf_file_)) {
        pdf_path_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace orvel
