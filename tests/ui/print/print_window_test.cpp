// "Print" in the window: the dialog asgprint with its preview, Cancel printing nothing,
// OK printing every page with lPrinting following, the set-up untouched, and saved
// settings coming back at the next print.
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "tests/support/pdf_tools.h"
#include "tests/support/wheel_turns.h"
#include "tests/support/window_test_support.h"
#include "ui/print/print_dialog.h"

namespace orvel::testing {
namespace {

// Triggers "Print" and runs `answer` on the dialog once it is open. The dialog is closed
// whatever the answer does, so that a failing check cannot leave the test waiting.
void PrintWith(WindowFixture& f, const std::function<void(PrintSettingsDialog&)>& answer)
{
    QTimer::singleShot(0, &f.window(), [&f, answer] {
        PrintSettingsDialog* dialog = f.window().asgprint();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        answer(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    f.Action("Print1")->trigger();
}

template <typename T>
T* Control(PrintSettingsDialog& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// Every cell of the table, as one text, to compare before and after.
std::string TableText(const PresetTable& table)
{
    std::string text;
    for (int row = 0; row < kTableRowCount; ++row) {
        for (int column = 0; column < kColumnCount; ++column) {
            const TableCell& cell = table.Cell(row, column);
            text += cell.text + (cell.checked ? "+" : "-") + (cell.active ? "a" : "i") + "|";
        }
        text += "\n";
    }
    for (int bank = 0; bank < kBankCount; ++bank) text += table.BankFunction(bank) ? "1" : "0";
    return text + std::to_string(table.CurrentRow());
}

TEST(Print, CancelPrintsNothingAndPutsTheSettingsBack)
{
    WindowFixture f;
    f.Start();
    const std::string pdf = f.folder() / "cancelled.pdf";
    PrintWith(f, [&](PrintSettingsDialog& dialog) {
        EXPECT_GT(dialog.PreviewPageCount(), 0);
        Control<QDoubleSpinBox>(dialog, "asgprintMarginTop")->setValue(20.0);
        EXPECT_EQ(dialog.Settings().margin_top, 200);
        dialog.SetPdfFile(pdf);
        dialog.reject();
    });
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_EQ(f.window().lPrinting()->text(), QStringLiteral("Printing page "));
    EXPECT_EQ(f.window().asgprint()->Settings(), PrintSettings{});
    EXPECT_TRUE(f.messages().shown.empty());
}

TEST(Print, OkPrintsEveryPageAndLeavesGridDataAndFileAsTheyWere)
{
    ASSERT_TRUE(HavePoppler());
    WindowFixture f;
    TMainForm& window = f.Start();
    const std::string setup = f.folder() / "setup.ini";
    window.SaveFileAs(QString::fromStdString(setup));
    window.State().table.SetText(TableRowOfPreset(37), kColumnName, "Not saved yet");
    window.State().table.SetModifier(TableRowOfPreset(52), "MIDI");
    window.State().table.SetCurrentRow(TableRowOfPreset(52));
    window.RefreshViews();
    const std::string table_before = TableText(window.State().table);
    const std::string file_before = ReadText(setup);
    const bool save_before = window.State().save_enabled;

    QStringList status;
    QObject::connect(window.sbKPX(), &QStatusBar::messageChanged, [&](const QString& text) { status << text; });
    const std::string pdf = f.folder() / "table.pdf";
    int preview_pages = 0;
    PrintWith(f, [&](PrintSettingsDialog& dialog) {
        preview_pages = dialog.PreviewPageCount();
        // OK without a file name keeps the dialog open and says why.
        dialog.SetPdfFile("");
        Control<QPushButton>(dialog, "asgprintOk")->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(Control<QLabel>(dialog, "asgprintNote")->text().isEmpty());
        dialog.SetPdfFile(pdf);
        Control<QPushButton>(dialog, "asgprintOk")->click();
    });

    const int pages = PdfPageCount(pdf);
    ASSERT_GT(pages, 1);
    EXPECT_EQ(pages, preview_pages);
    const QString count = QString::number(pages);
    EXPECT_EQ(window.lPrinting()->text(), QStringLiteral("Printing page ") + count + QStringLiteral(" of") + count);
    EXPECT_TRUE(window.lPrinting()->isHidden());
    // The status bar told the user each page, and steps aside at the end.
    QStringList expected_status;
    for (int page = 1; page <= pages; ++page)
        expected_status << QStringLiteral("Printing page %1 of %2").arg(page).arg(pages);
    expected_status << QString();
    EXPECT_EQ(status, expected_status);
    EXPECT_NE(PdfPageText(pdf, 1).find("Not saved yet"), std::string::npos);
    EXPECT_EQ(TableText(window.State().table), table_before);
    EXPECT_EQ(ReadText(setup), file_before);
    EXPECT_EQ(window.State().save_enabled, save_before);
    EXPECT_TRUE(f.messages().shown.empty());
}

TEST(Print, AFailedPrintIsShownAndWritesNothing)
{
    WindowFixture f;
    f.Start();
    const std::string pdf = f.folder() / "no/such/folder/table.pdf";
    PrintWith(f, [&](PrintSettingsDialog& dialog) {
        dialog.SetPdfFile(pdf);
        dialog.accept();
    });
    EXPECT_FALSE(std::filesystem::exists(pdf));
    ASSERT_EQ(f.messages().shown.size(), 1u);
    EXPECT_EQ(f.messages().shown[0].icon, MessageIcon::Error);
    EXPECT_NE(f.messages().shown[0].text.find("table.pdf"), std::string::npos);
}

TEST(Print, APdfNameKeepsItsBytesAndAFileThereIsReplacedOnlyWhenTheUserSaysSo)
{
    WindowFixture f;
    f.Start();
    // "café.pdf" in Latin-1: no UTF-8 text can name it.
    const std::string pdf = f.folder() / "caf\xe9.pdf";
    WriteText(pdf, "kept");
    std::vector<std::string> asked;
    PrintWith(f, [&](PrintSettingsDialog& dialog) {
        dialog.SetPdfFile(pdf);
        dialog.SetReplaceQuestion([&](const std::string& path) {
            asked.push_back(path);
            return false;
        });
        Control<QPushButton>(dialog, "asgprintOk")->click();
        EXPECT_TRUE(dialog.isVisible()) << "refused: the dialog stays for another name";
        EXPECT_EQ(ReadText(pdf), "kept");
        dialog.SetReplaceQuestion([&](const std::string& path) {
            asked.push_back(path);
            return true;
        });
        Control<QPushButton>(dialog, "asgprintOk")->click();
    });
    EXPECT_EQ(asked, (std::vector<std::string>{pdf, pdf}));
    EXPECT_EQ(ReadText(pdf).substr(0, 5), "%PDF-");
    EXPECT_FALSE(std::filesystem::exists(f.folder() / "caf\xef\xbf\xbd.pdf"));
    EXPECT_TRUE(f.messages().shown.empty());
}

TEST(Print, PreviewFollowsChangesAndSavedSettingsComeBackAtTheNextPrint)
{
    WindowFixture f;
    f.Start();
    PrintWith(f, [&](PrintSettingsDialog& dialog) {
        // Margins that leave no room: no pages, and OK is refused until they are put right.
        Control<QDoubleSpinBox>(dialog, "asgprintMarginTop")->setValue(100.0);
        Control<QDoubleSpinBox>(dialog, "asgprintMarginBottom")->setValue(100.0);
        EXPECT_EQ(dialog.PreviewPageCount(), 0);
        EXPECT_FALSE(Control<QPushButton>(dialog, "asgprintOk")->isEnabled());
        Control<QDoubleSpinBox>(dialog, "asgprintMarginTop")->setValue(5.0);
        Control<QDoubleSpinBox>(dialog, "asgprintMarginBottom")->setValue(5.0);
        EXPECT_TRUE(Control<QPushButton>(dialog, "asgprintOk")->isEnabled());
        // Wider row spacing: taller rows, more pages.
        const int pages = dialog.PreviewPageCount();
        Control<QDoubleSpinBox>(dialog, "asgprintRowSpacing")->setValue(3.0);
        EXPECT_GT(dialog.PreviewPageCount(), pages);
        Control<QDoubleSpinBox>(dialog, "asgprintRowSpacing")->setValue(0.3);
        Control<QRadioButton>(dialog, "asgprintPortrait")->setChecked(true);
        EXPECT_FALSE(dialog.Settings().landscape);
        Control<QDoubleSpinBox>(dialog, "asgprintMarginLeft")->setValue(12.5);
        Control<QCheckBox>(dialog, "asgprintShowDate")->setChecked(true);
        Control<QPushButton>(dialog, "asgprintSave")->click();
        dialog.reject();  // what was saved stays saved
    });

    // The next run of the editor, with the same configuration folders.
    MainFormOptions options;
    options.screen = ScreenSize{1024, 768};
    options.dpi = 96;
    options.config_places = f.window().ConfigFolders();
    options.transport = TransportKind::UsbConverter;
    RecordingMessages messages;
    options.messages = &messages;
    options.image_version = [] { return std::optional<std::string>(); };
    TMainForm next(QStringList{QStringLiteral("orvel")}, options);
    const std::string pdf = f.folder() / "dated.pdf";
    QTimer::singleShot(0, &next, [&] {
        PrintSettingsDialog* dialog = next.asgprint();
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->Settings().landscape);
        EXPECT_EQ(dialog->Settings().margin_left, 125);
        EXPECT_TRUE(Control<QRadioButton>(*dialog, "asgprintPortrait")->isChecked());
        EXPECT_DOUBLE_EQ(Control<QDoubleSpinBox>(*dialog, "asgprintMarginLeft")->value(), 12.5);
        dialog->SetPdfFile(pdf);
        dialog->accept();
    });
    next.findChild<QAction*>(QStringLiteral("Print1"))->trigger();
    if (!HavePoppler()) return;
    const std::string today = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString();
    EXPECT_NE(PdfPageText(pdf, 1).find(today), std::string::npos) << "the date, as dd/mm/yyyy";
}

// The wheel over a drop-down of the dialog once changed its choice.
TEST(Print, TheWheelChangesNoDropDown)
{
    PresetTable table;
    PrintSettingsDialog dialog(table, std::string());
    dialog.show();
    auto* pages = Control<QStackedWidget>(dialog, "asgprintPages");
    ASSERT_NE(pages, nullptr);
    int turned = 0;
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
            if (!box->isVisible() || box->count() < 2) continue;
            box->setCurrentIndex(0);
            TurnWheel(box, box->rect().center(), 1);
            EXPECT_EQ(box->currentIndex(), 0) << box->objectName().toStdString();
            ++turned;
        }
    }
    EXPECT_GE(turned, 3);  // the three places at least (date, title, page number)
}

}  // namespace
}  // namespace orvel::testing
