// The "Library" page in the real window, offscreen, over real files: listing, search from
// the keyboard, opening, presets and banks brought into the grid by drop and by the popup's
// clipboard (one undo step each), comparing with a file, and following the folders.
#include <filesystem>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeView>
#include <QTreeWidget>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "files/library/library_item.h"
#include "tests/support/library_test_files.h"
#include "tests/support/window_test_support.h"
#include "ui/grid/grid_view.h"
#include "ui/grid/preset_grid.h"
#include "ui/library/library_files_model.h"
#include "ui/library/library_page.h"
#include "ui/library/library_presets_model.h"
#include "ui/window/differences_dialog.h"
#include "ui/window/undo_history.h"

namespace orvel::testing {
namespace {

int PresetRow(int preset)
{
    return TableRowOfPreset(static_cast<std::uint8_t>(preset));
}

class LibraryWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        // gig.ini: presets 37 "Lead" (a LOOP with MIDI1 12) and 31 "Intro", bank 3 "Pr9";
        // sub/rehearsal.ini: preset 12 "lead rhythm"; other.ini: no preset file.
        PresetTable table;
        PresetData lead;
        lead.modifier = "LOOP";
        lead.name = "Lead";
        lead.loops = {true, false, true, false, false, false};
        lead.midi1 = "12";
        table.SetRow(PresetRow(37), lead);
        table.SetText(PresetRow(31), kColumnName, "Intro");
        table.SetBankFunction(3, false);
        std::filesystem::create_directories(library + "/sub");
        SavePresetFile(library + "/gig.ini", table, SettingsData{});
        WriteNamedSetup(library + "/sub/rehearsal.ini", {{12, "lead rhythm"}});
        WriteText(library + "/other.ini", "[window]\nwidth=3\n");

        window = &fixture.Start();
        window->show();
        page = window->tsLibrary();
        ASSERT_NE(page, nullptr);
    }

    void ShowLibrary()
    {
        window->Configuration2()->setCurrentWidget(page);
        ASSERT_TRUE(WaitUntil([&] { return page->Settled() && page->Index().Files().size() == 3; }));
    }

    // The row of the library's table showing a preset of a file; -1 when none does.
    int TableRow(const std::string& file, int preset) const
    {
        return page->PresetsModel()->RowOf(library + "/" + file, preset);
    }

    // A drag carrying `data` dropped on a preset row of the grid, as the grid's view gets it.
    void DropOnGrid(QMimeData* data, int table_row)
    {
        auto* body = window->asgbanks()->findChild<FrozenGridView*>();
        const QModelIndex cell = body->model()->index(table_row, kColumnName);
        body->scrollTo(cell);
        const QPointF at = body->visualRect(cell).center();
        QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(body->viewport(), &enter);
        QDragMoveEvent move(at.toPoint(), Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(body->viewport(), &move);
        EXPECT_TRUE(move.isAccepted());
        QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, {});
        QApplication::sendEvent(body->viewport(), &drop);
        delete data;
    }

    QAction* PopupItem(const char* name) const { return window->asgbanks()->Popup()->findChild<QAction*>(name); }
    int Steps() const { return window->History().Stack().count(); }

    WindowFixture fixture;
    const std::string library = fixture.folder() / "data/orvel/library";
    TMainForm* window = nullptr;
    LibraryPage* page = nullptr;
};

TEST_F(LibraryWindow, ListsEveryFileAndSearchesAndOpensFromTheKeyboard)
{
    // Nothing is read or made before the page is first shown.
    EXPECT_FALSE(page->Started());
    EXPECT_EQ(window->Configuration2()->tabText(3), "Library");
    std::filesystem::remove_all(library);
    window->Configuration2()->setCurrentWidget(page);
    EXPECT_TRUE(std::filesystem::is_directory(library));
    WriteNamedSetup(library + "/gig.ini", {{37, "Lead"}, {31, "Intro"}});
    std::filesystem::create_directories(library + "/sub");
    WriteNamedSetup(library + "/sub/rehearsal.ini", {{12, "lead rhythm"}});
    WriteText(library + "/other.ini", "[window]\nwidth=3\n");
    ASSERT_TRUE(WaitUntil([&] { return page->Settled() && page->Index().Files().size() == 3; }));

    // The tree: the folder, its three files; the one that is no preset file greyed, with why.
    LibraryFilesModel* files = page->FilesModel();
    const QModelIndex folder = files->index(0, 0);
    ASSERT_EQ(files->rowCount(folder), 3);
    const QModelIndex other = files->IndexOfFile(library + "/other.ini");
    EXPECT_EQ(other.siblingAtColumn(LibraryFilesModel::kNamedColumn).data().toString().left(23),
              "it is not a preset file");
    EXPECT_EQ(other.data(Qt::ForegroundRole).value<QBrush>().color(),
              QApplication::palette().color(QPalette::Disabled, QPalette::Text));
    EXPECT_EQ(files->rowCount(other), 0);
    const QModelIndex gig = files->IndexOfFile(library + "/gig.ini");
    EXPECT_EQ(gig.siblingAtColumn(LibraryFilesModel::kNamedColumn).data().toString(), "2 named");
    EXPECT_EQ(files->rowCount(gig), 10);
    EXPECT_EQ(files->index(2, 0, gig).data().toString(), "Bank 3: 2 named");

    // Ctrl+F from another page; typing filters; the arrows move in the results; Enter opens.
    window->Configuration2()->setCurrentIndex(1);
    QTest::keyClick(window, Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(window->Configuration2()->currentWidget(), page);
    EXPECT_TRUE(page->SearchField()->hasFocus());
    QTest::keyClicks(page->SearchField(), "LEAD");
    ASSERT_EQ(page->PresetsModel()->rowCount(), 2);
    EXPECT_EQ(page->PresetsView()->currentIndex().row(), 0);
    QTest::keyClick(page->SearchField(), Qt::Key_Down);
    EXPECT_EQ(page->PresetsView()->currentIndex().row(), TableRow("sub/rehearsal.ini", 12));
    EXPECT_TRUE(page->SearchField()->hasFocus());
    QTest::keyClick(page->SearchField(), Qt::Key_Return);
    EXPECT_EQ(window->State().current_file, library + "/sub/rehearsal.ini");
    EXPECT_EQ(window->Configuration2()->currentIndex(), 1);
    EXPECT_EQ(window->State().table.CurrentRow(), PresetRow(12));
    EXPECT_TRUE(fixture.save_questions.empty());

    // With unsaved changes Open asks first; Cancel keeps the set-up.
    window->TileClick(2);
    fixture.save_answer = SaveAnswer::Cancel;
    window->Configuration2()->setCurrentWidget(page);
    page->SearchField()->setText(QStringLiteral("37"));
    QTest::keyClick(page->SearchField(), Qt::Key_Enter);
    EXPECT_EQ(fixture.save_questions.size(), 1u);
    EXPECT_EQ(window->State().current_file, library + "/sub/rehearsal.ini");
}

TEST_F(LibraryWindow, DropAndPasteBringPresetsAndBanksInAsOneStepEach)
{
    ShowLibrary();
    window->State().table.SetText(PresetRow(52), kColumnName, "Mine");
    window->RefreshViews();
    const int steps = Steps();

    // A preset dropped on preset 52: every value and the name from the file, the number kept,
    // bank 5's wah-pad function from the file's bank 3.
    page->SearchField()->clear();
    const int lead_row = TableRow("gig.ini", 37);
    DropOnGrid(page->PresetsModel()->mimeData({page->PresetsModel()->index(lead_row, 0)}), PresetRow(52));
    PresetData got = window->State().table.GetRow(PresetRow(52));
    EXPECT_EQ(got.name, "Lead");
    EXPECT_EQ(got.modifier, "LOOP");
    EXPECT_EQ(got.midi1, "12");
    EXPECT_TRUE(got.loops[2]);
    EXPECT_EQ(window->State().table.PresetNumberOfRow(PresetRow(52)), 52);
    EXPECT_FALSE(window->State().table.BankFunction(5));
    EXPECT_FALSE(window->State().table.Cell(PresetRow(52), kFirstSwitchColumn).active);  // LOOP applied
    EXPECT_EQ(Steps(), steps + 1);
    EXPECT_TRUE(window->windowTitle().startsWith(QStringLiteral("Untitled*")));
    window->Undo1Click();
    EXPECT_EQ(window->State().table.Cell(PresetRow(52), kColumnName).text, "Mine");
    EXPECT_TRUE(window->State().table.BankFunction(5));
    window->Redo1Click();
    EXPECT_EQ(window->State().table.Cell(PresetRow(52), kColumnName).text, "Lead");

    // A bank of the tree dropped on a row of bank 7: the file's bank 3 in its ten rows.
    const QModelIndex bank3 = page->FilesModel()->index(2, 0, page->FilesModel()->IndexOfFile(library + "/gig.ini"));
    DropOnGrid(page->FilesModel()->mimeData({bank3}), PresetRow(75));
    EXPECT_EQ(window->State().table.Cell(PresetRow(71), kColumnName).text, "Intro");
    EXPECT_EQ(window->State().table.Cell(PresetRow(77), kColumnName).text, "Lead");
    EXPECT_EQ(window->State().table.Cell(PresetRow(72), kColumnName).text, "");
    EXPECT_FALSE(window->State().table.BankFunction(7));
    EXPECT_EQ(Steps(), steps + 2);

    // Copy in the library, "Paste preset" and "Paste bank" in the grid's popup.
    page->PresetsView()->setFocus();
    page->PresetsView()->setCurrentIndex(page->PresetsModel()->index(lead_row, 0));
    QTest::keyClick(page->PresetsView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(PopupItem("Pastepreset1")->text(), "Paste preset 37");
    ASSERT_TRUE(PopupItem("Pastepreset1")->isEnabled());
    window->asgbanks()->ShowCell(PresetRow(81), kColumnName);
    PopupItem("Pastepreset1")->trigger();
    EXPECT_EQ(window->State().table.Cell(PresetRow(81), kColumnName).text, "Lead");
    EXPECT_EQ(window->State().table.PresetNumberOfRow(PresetRow(81)), 81);
    EXPECT_EQ(Steps(), steps + 3);
    // Ctrl+C on a bank of the tree copies that bank.
    page->FilesView()->setFocus();
    page->FilesView()->setCurrentIndex(bank3);
    QTest::keyClick(page->FilesView(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(PopupItem("Pastebank1")->text(), "Paste bank 3");
    window->asgbanks()->ShowCell(PresetRow(93), kColumnName);
    PopupItem("Pastebank1")->trigger();
    EXPECT_EQ(window->State().table.Cell(PresetRow(97), kColumnName).text, "Lead");
    EXPECT_FALSE(window->State().table.BankFunction(9));
    EXPECT_EQ(Steps(), steps + 4);

    // A file gone since it was listed: said so, nothing changes.
    std::filesystem::remove(library + "/gig.ini");
    auto* stale = new QMimeData;
    stale->setData(QString::fromLatin1(kLibraryItemMimeType.data()),
                   QByteArray::fromStdString(EncodeLibraryItem({library + "/gig.ini", false, 37})));
    DropOnGrid(stale, PresetRow(11));
    EXPECT_EQ(window->State().table.Cell(PresetRow(11), kColumnName).text, "");
    EXPECT_EQ(Steps(), steps + 4);
    ASSERT_EQ(fixture.messages().shown.size(), 1u);
    EXPECT_NE(fixture.messages().shown[0].text.find("is no longer there"), std::string::npos);
}

TEST_F(LibraryWindow, ComparesWithAFileAsWithTheController)
{
    ASSERT_NE(fixture.Action("Comparewithfile1"), nullptr);
    // The set-up as gig.ini holds it, but for a name and a value written another way.
    window->OpenFile(QString::fromStdString(library + "/gig.ini"));
    window->State().table.SetText(PresetRow(37), kColumnName, "Solo");
    window->State().table.SetText(PresetRow(37), kColumnMidi1, "012");
    window->CompareWithFile(library + "/gig.ini");
    ASSERT_EQ(fixture.messages().shown.size(), 1u);
    EXPECT_EQ(fixture.messages().shown[0].text,
              "\"gig.ini\" holds the same presets, bank functions and settings as the editor.");
    EXPECT_TRUE(window->Comparison().empty());

    window->State().table.SetText(PresetRow(37), kColumnMidi1, "13");
    window->CompareWithFile(library + "/gig.ini");
    ASSERT_EQ(window->Comparison().size(), 1u);
    EXPECT_TRUE(window->asgbanks()->IsMarked(PresetRow(37), kColumnMidi1));
    QTreeWidget* list = window->dDifferences()->List();
    EXPECT_EQ(list->headerItem()->text(3), "gig.ini");
    EXPECT_EQ(list->topLevelItem(0)->text(2) + "|" + list->topLevelItem(0)->text(3), "13|12");

    window->CompareWithFile(library + "/other.ini");
    ASSERT_EQ(fixture.messages().shown.size(), 2u);
    EXPECT_NE(fixture.messages().shown[1].text.find("not a preset file"), std::string::npos);
}

TEST_F(LibraryWindow, FollowsItsFoldersWhileTheWindowRuns)
{
    ShowLibrary();
    // Saved from the window into the library: it comes in, with its names.
    window->State().table.SetText(PresetRow(44), kColumnName, "Fresh");
    ASSERT_TRUE(window->SaveFileAs(QString::fromStdString(library + "/new.ini")));
    ASSERT_TRUE(WaitUntil([&] { return TableRow("new.ini", 44) >= 0; }));
    std::filesystem::remove(library + "/gig.ini");
    ASSERT_TRUE(WaitUntil([&] { return TableRow("gig.ini", 37) < 0; }));

    // A folder of the user's: kept in library.ini, its files listed; taken off again.
    TempFolder more;
    WriteNamedSetup(more / "set.ini", {{1, "One"}});
    ASSERT_TRUE(page->AddFolder(more.path()));
    EXPECT_FALSE(page->AddFolder(more.path()));
    EXPECT_NE(ReadText(fixture.folder() / "user/library.ini").find(more.path()), std::string::npos);
    ASSERT_TRUE(WaitUntil([&] { return page->PresetsModel()->RowOf(more / "set.ini", 1) >= 0; }));
    EXPECT_FALSE(page->RemoveFolder(library));  // the default folder stays
    ASSERT_TRUE(page->RemoveFolder(more.path()));
    EXPECT_LT(page->PresetsModel()->RowOf(more / "set.ini", 1), 0);
    EXPECT_EQ(page->Folders(), std::vector<std::string>{library});
}

}  // namespace
}  // namespace orvel::testing
