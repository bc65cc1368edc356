#include <algorithm>
#include <filesystem>
#include <functional>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/preset_table.h"
#include "model/settings_constants.h"
#include "tests/support/qt_warning_recorder.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/window_test_support.h"
#include "ui/grid/grid_view.h"
#include "ui/grid/preset_grid.h"
#include "ui/settings/option_tile.h"
#include "ui/settings/settings_grid.h"

namespace orvel::testing {
namespace {

const char* const kPresetItems[] = {"Readall1", "Writeall1",   "N5",           "Readbank1", "Writebank1",
                                    "N6",       "Readpreset1", "Writepreset1", "N7"};

TEST(StartUp, ShowsTheDefaultsOnThePresetsPage)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Orvel version 2.4"));
    EXPECT_EQ(f.Find<QTabWidget>("Configuration2")->currentWidget(), f.Find<QWidget>("TabSheet1"));
    EXPECT_TRUE(f.Action("Save1")->isEnabled());  // without a file name it runs "Save As"
    EXPECT_TRUE(f.Find<QToolButton>("ToolButton1")->isEnabled());
    EXPECT_TRUE(f.Find<QToolButton>("ToolButton9")->isEnabled());

    // every preset row is the default preset, every bank function on
    const PresetTable fresh;
    for (int row = 0; row < kTableRowCount; ++row)
        for (int column = 0; column < kColumnCount; ++column) {
            const TableCell& cell = window.State().table.Cell(row, column);
            ASSERT_EQ(cell.text, fresh.Cell(row, column).text) << row << "," << column;
            ASSERT_EQ(cell.checked, fresh.Cell(row, column).checked) << row << "," << column;
        }
    for (int bank = 0; bank < kBankCount; ++bank) EXPECT_TRUE(window.State().table.BankFunction(bank));
    auto* grid_view = f.Find<QTableView>("asgbanksBody");
    ASSERT_NE(grid_view, nullptr);
    EXPECT_EQ(grid_view->model()->index(2, kColumnModifier).data().toString(), QStringLiteral("PRESET"));
    EXPECT_EQ(grid_view->model()->index(101, kColumnMidi1).data().toString(), QStringLiteral("unu"));

    const QStringList values = {"1", "2", "3", "81", "82", "83", "84", "85", "86", "87"};
    QAbstractItemModel* settings = window.aSetup()->model();
    for (int column = 0; column < 10; ++column) EXPECT_EQ(settings->index(2, column).data().toString(), values[column]);
    const QStringList codes = {"cb1", "uP0", "uL1", "ot0", "tt0", "n3P", "tu1", "AF1"};
    for (int tile = 1; tile <= 8; ++tile)
        EXPECT_EQ(f.Find<OptionTile>(qPrintable(QStringLiteral("asg%1").arg(tile)))->text(), codes[tile - 1]);

    EXPECT_EQ(f.Find<QSpinBox>("sePort")->value(), 6);
    EXPECT_TRUE(f.Find<QSpinBox>("sePort")->isHidden());  // USB transport
    EXPECT_TRUE(f.Find<QWidget>("Label1")->isHidden());
    EXPECT_TRUE(f.Find<QProgressBar>("pb")->isHidden());
    EXPECT_TRUE(window.timerKPX()->isActive());
    EXPECT_EQ(window.timerKPX()->interval(), 1000);
    EXPECT_FALSE(window.timercurrentpreset()->isActive());
    EXPECT_EQ(window.timercurrentpreset()->interval(), 200);
    EXPECT_EQ(window.StatusPanel(1), QString());
    EXPECT_TRUE(f.messages().shown.empty());
}

TEST(StartUp, TitleCarriesTheUploadableImageVersion)
{
    WindowFixture f;
    WindowSetup setup;
    setup.image_version = "2.25";
    EXPECT_EQ(f.Start(setup).windowTitle(), QStringLiteral("Orvel version 2.4 / 2.25"));
    EXPECT_EQ(f.window().BaseTitle(), QStringLiteral("Orvel version 2.4 / 2.25"));
}

TEST(Title, MakecaptionPutsTheRightTextAfterSpaces)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    window.makecaption(window.BaseTitle(), QStringLiteral("KPX firmware version: 2.2x"));
    const QString title = window.windowTitle();
    EXPECT_TRUE(title.startsWith(QStringLiteral("Orvel version 2.4 ")));
    EXPECT_TRUE(title.endsWith(QStringLiteral(" KPX firmware version: 2.2x")));
    const int spaces =
        static_cast<int>(title.size() - QStringLiteral("Orvel version 2.4KPX firmware version: 2.2x").size());
    EXPECT_TRUE(spaces == 1 || spaces >= 4) << spaces;
    EXPECT_GT(spaces, 10);  // a 973 pixel wide window has room to spare
}

TEST(StartUp, PortBoxShownOnTheSerialPortTransport)
{
    WindowFixture f;
    WindowSetup setup;
    setup.transport = TransportKind::SerialPort;
    f.Start(setup);
    EXPECT_FALSE(f.Find<QSpinBox>("sePort")->isHidden());
    EXPECT_FALSE(f.Find<QWidget>("Label1")->isHidden());
}

TEST(StartUp, TestWordIsTheFirstArgumentInAnyCase)
{
    const struct {
        QStringList arguments;
        bool shown;
    } cases[] = {
        {{"orvel", "ZEBU"}, true}, {{"orvel", "zebu"}, true},           {{"orvel", "Zebu", "--serial-port"}, true},
        {{"orvel"}, false},        {{"orvel", "other", "ZEBU"}, false},
    };
    for (const auto& c : cases) {
        WindowFixture f;
        WindowSetup setup;
        setup.arguments = c.arguments;
        TMainForm& window = f.Start(setup);
        QAction* check = f.Action("Checkdefault1");
        ASSERT_NE(check, nullptr);
        EXPECT_EQ(check->text(), QStringLiteral("Check &default"));
        EXPECT_EQ(check->isVisible(), c.shown) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(window.TestMode(), c.shown);
    }
}

TEST(StartUp, AppliesOrvelIni)
{
    WindowFixture f;
    const std::string chosen = f.folder() / "setup.txt";
    WriteText(chosen, "anything");
    WriteText(f.folder() / "setup.ini",
              "[preset11]\nname=Clean\nmodifier=LOOP\n[settings]\nkey1=cb3\nmidi1=5\n[bank]\nwp3=0\n");
    WriteText(f.folder() / "Orvel.ini", "[CONFIG]\nCOM=12\nFILE=" + chosen + "\n");
    TMainForm& window = f.Start();

    EXPECT_EQ(f.Find<QSpinBox>("sePort")->value(), 12);
    EXPECT_TRUE(f.Action("Save1")->isEnabled());
    EXPECT_TRUE(f.Find<QToolButton>("ToolButton1")->isEnabled());
    EXPECT_EQ(window.StatusPanel(1), QString::fromStdString(chosen));
    EXPECT_EQ(window.State().table.Cell(2, kColumnName).text, "Clean");
    EXPECT_EQ(f.Find<QTableView>("asgbanksBody")->model()->index(2, kColumnName).data().toString(), "Clean");
    EXPECT_FALSE(window.State().table.Cell(2, kFirstSwitchColumn).active);  // LOOP applied
    EXPECT_FALSE(window.State().table.BankFunction(3));
    EXPECT_EQ(f.Find<QWidget>("bankButton3")->property("text").toString(), QStringLiteral("Pr9"));
    EXPECT_EQ(f.Find<OptionTile>("asg1")->text(), QStringLiteral("cb3"));
    EXPECT_EQ(window.aSetup()->model()->index(kSetupValueRow, kSetupFirstChannelColumn).data().toString(),
              QStringLiteral("5"));
}

TEST(StartUp, ForgetsARememberedFileThatIsGone)
{
    WindowFixture f;
    WriteText(f.folder() / "Orvel.ini", "[CONFIG]\nCOM=3\nFILE=" + (f.folder() / "gone.ini") + "\n");
    TMainForm& window = f.Start();
    EXPECT_EQ(window.State().current_file, "");
    EXPECT_EQ(window.StatusPanel(1), QString());
    EXPECT_TRUE(f.Action("Save1")->isEnabled());
    EXPECT_EQ(f.Find<QSpinBox>("sePort")->value(), 3);
}

// A preset file on the command line opens after Orvel.ini, winning over the file it
// remembers; one that is not a preset file is refused as Open refuses it. Names are bytes.
TEST(StartUp, AFileOnTheCommandLineWinsOverTheRememberedOne)
{
    WindowFixture f;
    WriteText(f.folder() / "remembered.ini", "[preset11]\nname=Remembered\n");
    WriteText(f.folder() / "Orvel.ini", "[CONFIG]\nFILE=" + (f.folder() / "remembered.ini") + "\n");
    const std::string named = f.folder() / "caf\xe9.ini";
    WriteText(named, "[preset11]\nname=Named\n");
    WindowSetup setup;
    setup.start_file = named;
    TMainForm& window = f.Start(setup);
    EXPECT_EQ(window.State().current_file, named);
    EXPECT_EQ(window.State().table.GetRow(TableRowOfPreset(11)).name, "Named");
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("caf\uFFFD.ini \u2014 ")));  // shown, not dirty
    EXPECT_TRUE(f.messages().shown.empty());

    WindowFixture g;
    WriteText(g.folder() / "notes.ini", "[shopping]\nmilk=1\n");
    setup.start_file = g.folder() / "notes.ini";
    TMainForm& refused = g.Start(setup);
    ASSERT_EQ(g.messages().shown.size(), 1u);
    EXPECT_NE(g.messages().shown[0].text.find("not a preset file"), std::string::npos);
    EXPECT_EQ(refused.State().current_file, "");
    EXPECT_EQ(refused.windowTitle(), QStringLiteral("Orvel version 2.4"));
}

// Settings go to the user's configuration folder: a run started in the home folder leaves
// nothing new there but that folder.
TEST(Close, StartedInTheHomeFolderLeavesNothingThere)
{
    TempFolder home;
    const std::filesystem::path before = std::filesystem::current_path();
    const ScopedEnvironment home_variable("HOME", home.path());
    const ScopedEnvironment config_variable("XDG_CONFIG_HOME", "");  // empty: ~/.config
    std::filesystem::current_path(home.path());
    {
        MainFormOptions options;
        options.screen = ScreenSize{1024, 768};
        TMainForm window(QStringList{QStringLiteral("orvel")}, options);
        window.sePort()->setValue(8);
        window.show();
        window.close();
    }
    std::filesystem::current_path(before);
    // Qt's file dialogs keep their own state in ~/.config/QtProject.conf.
    std::vector<std::string> entries;
    for (const auto& entry : std::filesystem::directory_iterator(home.path()))
        entries.push_back(entry.path().filename().string());
    EXPECT_EQ(entries, std::vector<std::string>{".config"});
    EXPECT_TRUE(std::filesystem::is_regular_file(home / ".config/orvel/Orvel.ini"));
    EXPECT_NE(ReadText(home / ".config/orvel/Orvel.ini").find("COM=8"), std::string::npos);
}

TEST(Close, WritesOrvelIniWithThePortOfTheHiddenBox)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    f.Find<QSpinBox>("sePort")->setValue(9);
    window.close();
    const std::string written = ReadText(f.folder() / "user/Orvel.ini");
    EXPECT_NE(written.find("COM=9"), std::string::npos) << written;
    EXPECT_NE(written.find("FILE=.ini"), std::string::npos) << written;
}

TEST(Menus, ElementsCarryTheirNamesAndCaptions)
{
    WindowFixture f;
    f.Start();
    auto captions = [](QMenu* menu) {
        QStringList list;
        for (QAction* action : menu->actions())
            list << (action->isSeparator() ? QStringLiteral("-") : action->objectName() + "=" + action->text());
        return list;
    };
    QMenu* file = f.Find<QMenu>("Loadfr1");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), QStringLiteral("&File"));
    // Below Print, the recent files (none yet, so hidden).
    EXPECT_EQ(captions(file),
              (QStringList{"Open1=Open", "Save1=Save", "SaveAs1=Save As", "Comparewithfile1=Compare with file\u2026",
                           "-", "Print1=Print", "-", "RecentFile1=", "RecentFile2=", "RecentFile3=", "RecentFile4=",
                           "RecentFile5=", "RecentFile6=", "RecentFile7=", "RecentFile8=", "-", "Quit1=&Quit"}));
    QMenu* transfer = f.Find<QMenu>("Datatransfer1");
    ASSERT_NE(transfer, nullptr);
    EXPECT_EQ(transfer->title(), QStringLiteral("Data transfer"));
    EXPECT_EQ(captions(transfer),
              (QStringList{"Readall1=Read all presets", "Writeall1=Write all presets", "-", "Readbank1=Read bank",
                           "Writebank1=Write bank", "-", "Readpreset1=Read preset", "Writepreset1=Write preset", "-",
                           "Readsettings1=Read settings", "Writesettings1=Write settings",
                           "Checkdefault1=Check &default", "-", "Comparewithcontroller1=Compare with controller"}));
    EXPECT_EQ(f.Action("Firmwareupgrade1")->text(), QStringLiteral("Firmware upgrade"));
    EXPECT_EQ(f.Action("Firmwareupgrade1")->menu(), nullptr);
    EXPECT_EQ(captions(f.Find<QMenu>("pmSettings")),
              (QStringList{"Readsettings2=Read settings", "Writesettings2=Write settings"}));

    // the toolbar's buttons are the "&File" items
    EXPECT_EQ(f.Find<QToolButton>("ToolButton9")->defaultAction(), f.Action("Open1"));
    EXPECT_EQ(f.Find<QToolButton>("ToolButton1")->defaultAction(), f.Action("Save1"));
    EXPECT_EQ(f.Find<QToolButton>("ToolButton2")->defaultAction(), f.Action("Print1"));
    EXPECT_EQ(f.Find<QStatusBar>("sbKPX"), f.window().statusBar());
}

TEST(PageRule, SwitchesTransferItemsAndThePreviewTimer)
{
    WindowFixture f;
    WindowSetup setup;
    setup.arguments = QStringList{"orvel", "ZEBU"};  // "Check &default" shown, so it can be enabled
    TMainForm& window = f.Start(setup);
    auto* pages = f.Find<QTabWidget>("Configuration2");
    auto expect_page = [&](bool presets, bool settings, bool preview, const char* page) {
        for (const char* name : kPresetItems) EXPECT_EQ(f.Action(name)->isEnabled(), presets) << name << " on " << page;
        EXPECT_EQ(f.Action("Readsettings1")->isEnabled(), settings) << page;
        EXPECT_EQ(f.Action("Writesettings1")->isEnabled(), settings) << page;
        EXPECT_EQ(window.timercurrentpreset()->isActive(), preview) << page;
        for (const char* name : {"Checkdefault1", "Open1", "SaveAs1", "Comparewithfile1", "Print1", "Firmwareupgrade1"})
            EXPECT_TRUE(f.Action(name)->isEnabled()) << name << " on " << page;
    };
    expect_page(true, false, false, "Presets");
    pages->setCurrentWidget(f.Find<QWidget>("tsSetup"));
    expect_page(false, true, false, "Settings");
    pages->setCurrentWidget(f.Find<QWidget>("tsPreview"));
    expect_page(false, false, true, "Preview");
    pages->setCurrentWidget(f.Find<QWidget>("tsLibrary"));
    expect_page(false, false, false, "Library");
    EXPECT_FALSE(f.Action("Comparewithcontroller1")->isEnabled());
    pages->setCurrentWidget(f.Find<QWidget>("TabSheet1"));
    expect_page(true, false, false, "Presets");
    pages->setCurrentWidget(f.Find<QWidget>("tsPreview"));
    pages->setCurrentWidget(f.Find<QWidget>("tsSetup"));
    expect_page(false, true, false, "Settings after Preview");
}

TEST(PageRule, TransferControlsStopTheMonitorAndKeepThePageItems)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    const char* popup_items[] = {"ReadbankfromKPX1", "WritebanktoKPX1", "ReadpresetfromKPX21", "WritepresettoKPX1"};

    window.SetTransferControls(false);
    EXPECT_FALSE(window.timerKPX()->isActive());
    EXPECT_FALSE(f.Find<QProgressBar>("pb")->isHidden());
    for (const char* name : popup_items) EXPECT_FALSE(f.Action(name)->isEnabled()) << name;
    for (const char* name : kPresetItems) EXPECT_TRUE(f.Action(name)->isEnabled()) << name;  // "Presets" shown
    EXPECT_FALSE(f.Action("Readsettings1")->isEnabled());

    window.SetTransferControls(true);
    EXPECT_TRUE(window.timerKPX()->isActive());
    EXPECT_TRUE(f.Find<QProgressBar>("pb")->isHidden());
    for (const char* name : popup_items) EXPECT_TRUE(f.Action(name)->isEnabled()) << name;
    EXPECT_FALSE(f.Action("Readsettings1")->isEnabled());

    f.Find<QTabWidget>("Configuration2")->setCurrentIndex(0);
    window.SetTransferControls(false);
    EXPECT_TRUE(f.Action("Readsettings1")->isEnabled());
    EXPECT_FALSE(f.Action("Readall1")->isEnabled());
}

TEST(Menus, DataTransferCaptionsFollowTheCurrentRow)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    window.Datatransfer1Click();  // current row still a header row: the first preset row
    EXPECT_EQ(f.Action("Writepreset1")->text(), QStringLiteral("Write preset 11"));
    EXPECT_EQ(f.Action("Readpreset1")->text(), QStringLiteral("Read preset 11"));
    EXPECT_EQ(f.Action("Writebank1")->text(), QStringLiteral("Write bank 1"));
    EXPECT_EQ(f.Action("Readbank1")->text(), QStringLiteral("Read bank 1"));
    EXPECT_EQ(window.asgbanks()->CurrentRow(), 2);

    window.State().table.SetCurrentRow(TableRowOfPreset(7));
    window.Datatransfer1Click();
    EXPECT_EQ(f.Action("Writepreset1")->text(), QStringLiteral("Write preset 07"));
    EXPECT_EQ(f.Action("Readbank1")->text(), QStringLiteral("Read bank 0"));
}

TEST(Files, SaveWithoutANameAsksForOneThenSavesThere)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    const QString chosen = QString::fromStdString(f.folder() / "mine.txt");
    WhenDialogOpens(window, "sdialog", [chosen](QFileDialog& dialog) {
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Configuration file (*.ini)")});
        EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();  // QFileDialog::accept, checks as the OK button does
    });
    window.Save1Click();

    const std::string saved = ReadText(f.folder() / "mine.ini");
    EXPECT_NE(saved.find("[preset11]"), std::string::npos);
    EXPECT_EQ(window.State().current_file, f.folder() / "mine.ini");
    EXPECT_EQ(window.StatusPanel(1), QString::fromStdString(f.folder() / "mine.ini"));
    EXPECT_TRUE(f.Find<QToolButton>("ToolButton1")->isEnabled());
    EXPECT_TRUE(f.messages().shown.empty());
}

TEST(Files, OpenThroughTheDialogLoadsTheIniBesideTheChosenFile)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    WriteText(f.folder() / "live.txt", "");
    WriteText(f.folder() / "live.ini", "[settings]\nkey2=uP2\nctrl7=100\n");
    const QString chosen = QString::fromStdString(f.folder() / "live.txt");
    WhenDialogOpens(window, "odialog", [chosen](QFileDialog& dialog) {
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.nameFilters(), QStringList{QStringLiteral("Configuration file (*.ini)")});
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();  // QFileDialog::accept, checks as the OK button does
    });
    window.Open1Click();
    EXPECT_EQ(window.StatusPanel(1), chosen);
    EXPECT_EQ(f.Find<OptionTile>("asg2")->text(), QStringLiteral("uP2"));
    EXPECT_EQ(window.aSetup()->model()->index(kSetupValueRow, kSetupFirstCtrlColumn + 6).data().toString(),
              QStringLiteral("100"));
    EXPECT_TRUE(f.Action("Save1")->isEnabled());
}

TEST(Files, FailuresAreShownWithTheirReason)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    window.SaveFileAs(QString::fromStdString(f.folder() / "no-such-folder/x.ini"));
    ASSERT_EQ(f.messages().shown.size(), 1u);
    EXPECT_EQ(f.messages().shown[0].icon, MessageIcon::Error);
    EXPECT_NE(f.messages().shown[0].text.find("no-such-folder/x.ini"), std::string::npos);
    EXPECT_EQ(window.State().current_file, "");  // a failed save names nothing

    std::filesystem::create_directory(f.folder() / "odd.ini");  // not a file that can be read
    WriteText(f.folder() / "odd.txt", "");
    window.OpenFile(QString::fromStdString(f.folder() / "odd.txt"));
    ASSERT_EQ(f.messages().shown.size(), 2u);
    EXPECT_NE(f.messages().shown[1].text.find("odd.ini"), std::string::npos);
}

TEST(Files, OpeningWhatIsNoPresetFileSaysSoAndChangesNothing)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    const int row = TableRowOfPreset(11);
    WriteText(f.folder() / "mine.ini", "[preset11]\nname=Mine\nmidi1=12\n");
    window.OpenFile(QString::fromStdString(f.folder() / "mine.ini"));
    ASSERT_TRUE(f.messages().shown.empty());
    const QString mine = window.StatusPanel(1);
    const PresetTable loaded = window.State().table;
    const auto unchanged = [&] {
        for (int r = kHeaderRowCount; r < kTableRowCount; ++r)
            if (!(window.State().table.GetRow(r) == loaded.GetRow(r))) return false;
        return true;
    };

    std::string noise(5000, '\0');
    std::uint32_t seed = 7;
    for (char& c : noise) {
        seed = seed * 1664525u + 1013904223u;
        c = static_cast<char>(seed >> 24);
    }
    for (const auto& [name, text] : {std::pair<std::string, std::string>{"noise.ini", noise}, {"empty.ini", ""}}) {
        SCOPED_TRACE(name);
        const std::size_t shown = f.messages().shown.size();
        WriteText(f.folder() / name, text);
        window.OpenFile(QString::fromStdString(f.folder() / name));
        ASSERT_EQ(f.messages().shown.size(), shown + 1);
        EXPECT_EQ(f.messages().shown.back().icon, MessageIcon::Error);
        EXPECT_NE(f.messages().shown.back().text.find("not a preset file"), std::string::npos);
        EXPECT_EQ(window.State().table.GetRow(row).name, "Mine");
        EXPECT_TRUE(unchanged());
        EXPECT_EQ(window.StatusPanel(1), mine);
        EXPECT_EQ(ReadText(f.folder() / name), text);
    }

    WindowFixture fresh;  // before any file: still no name
    TMainForm& other = fresh.Start();
    WriteText(fresh.folder() / "empty.ini", "");
    other.OpenFile(QString::fromStdString(fresh.folder() / "empty.ini"));
    EXPECT_EQ(other.State().current_file, "");
    EXPECT_EQ(other.StatusPanel(1), QString());

    WriteText(fresh.folder() / "channels.ini", "[Settings]\nmidi2=14\n");
    other.OpenFile(QString::fromStdString(fresh.folder() / "channels.ini"));
    EXPECT_EQ(other.aSetup()->model()->index(kSetupValueRow, kSetupFirstChannelColumn + 1).data().toString(),
              QStringLiteral("14"));
    EXPECT_TRUE(fresh.Action("Save1")->isEnabled());
}

// Keys go where the user's keys go: to the widget with the focus.
void KeyToFocus(int key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
}

TEST(PageKeys, ChangePagesFromAnywhereWithTheRule)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QtWarningRecorder recorder;
    auto* pages = f.Find<QTabWidget>("Configuration2");
    auto* body = f.Find<FrozenGridView>("asgbanksBody");
    ASSERT_NE(body, nullptr);
    const int row = TableRowOfPreset(23);
    auto page = [&] { return pages->currentWidget()->objectName(); };

    // From an open drop-down of the preset grid: the entry is stored, then the page changes.
    const QModelIndex midi1 = body->model()->index(row, kColumnMidi1);
    body->scrollTo(midi1);
    QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, body->visualRect(midi1).center());
    ASSERT_TRUE(body->IsEditing());
    QTest::keyClicks(QApplication::focusWidget(), "42");
    KeyToFocus(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(page(), "tsPreview");
    EXPECT_EQ(window.State().table.Cell(row, kColumnMidi1).text, "42");
    EXPECT_FALSE(f.Action("Readall1")->isEnabled());
    EXPECT_TRUE(window.timercurrentpreset()->isActive());

    KeyToFocus(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(page(), "TabSheet1");
    EXPECT_FALSE(window.timercurrentpreset()->isActive());
    EXPECT_TRUE(f.Action("Readall1")->isEnabled());

    // From the grid itself, without an editor.
    body->setFocus();
    body->setCurrentIndex(body->model()->index(row, kColumnName));
    KeyToFocus(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(page(), "tsSetup");
    EXPECT_TRUE(f.Action("Readsettings1")->isEnabled());
    EXPECT_FALSE(f.Action("Readall1")->isEnabled());
    EXPECT_EQ(body->currentIndex(), body->model()->index(row, kColumnName));  // the grid did not move

    // From an open editor of the settings grid, and round the end of the pages.
    SettingsGrid* settings = window.aSetup();
    const QModelIndex channel = settings->model()->index(kSetupValueRow, kSetupFirstChannelColumn + 2);
    QTest::mouseClick(settings->viewport(), Qt::LeftButton, {}, settings->visualRect(channel).center());
    ASSERT_TRUE(settings->IsEditing());
    QTest::keyClicks(QApplication::focusWidget(), "5");
    KeyToFocus(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(page(), "tsLibrary");
    EXPECT_EQ(window.State().settings.midi_channels[2], "5");
    KeyToFocus(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(page(), "tsSetup");
    KeyToFocus(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(page(), "TabSheet1");
    KeyToFocus(Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);  // as some keyboards send it
    EXPECT_EQ(page(), "tsSetup");
    EXPECT_TRUE(recorder.warnings().isEmpty()) << recorder.warnings().join('\n').toStdString();
}

TEST(PresetGrid, KeysOnAnInactiveCellSayWhyInTheStatusBar)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* body = f.Find<FrozenGridView>("asgbanksBody");
    const int row = TableRowOfPreset(12);
    window.State().table.SetModifier(row, "SWITCH");
    window.RefreshViews();
    const QModelIndex midi1 = body->model()->index(row, kColumnMidi1);
    body->scrollTo(midi1);
    QTest::mouseClick(body->viewport(), Qt::LeftButton, {}, body->visualRect(midi1).center());
    KeyToFocus(Qt::Key_1);
    EXPECT_EQ(window.sbKPX()->currentMessage(), QStringLiteral("This cell is not used by a SWITCH preset"));
    EXPECT_EQ(window.State().table.CurrentRow(), row);
}

TEST(Layout, WindowAndTilesFollowTheScreen)
{
    for (const ScreenSize screen : {ScreenSize{1024, 768}, ScreenSize{1920, 1080}}) {
        WindowFixture f;
        WindowSetup setup;
        setup.screen = screen;
        TMainForm& window = f.Start(setup);
        const QRect placed_before_shown = f.Find<QWidget>("asg5")->geometry();
        window.show();
        window.Configuration2()->setCurrentIndex(0);
        QApplication::processEvents();
        EXPECT_EQ(f.Find<QWidget>("asg5")->geometry(), placed_before_shown);
        const WindowLayout expected = LayOutWindow(screen);
        EXPECT_EQ(window.size(), QSize(expected.window.width, expected.window.height));
        EXPECT_EQ(f.Find<QWidget>("Configuration2")->size(), QSize(expected.pages.width, expected.pages.height));

        auto* sheet = f.Find<QWidget>("tsSetup");
        const SettingsPageLayout page = LayOutSettingsPage(screen, sheet->width(), 96);
        EXPECT_EQ(f.Find<QWidget>("i_kpx")->geometry(),
                  QRect(page.picture.x, page.picture.y, page.picture.width, page.picture.height));
        const QPoint picture = f.Find<QWidget>("i_kpx")->pos();
        const bool full_hd = screen.width == 1920;
        const QRect tile2 = f.Find<QWidget>("asg2")->geometry().translated(-picture);
        EXPECT_EQ(tile2, full_hd ? QRect(424, 362, 82, 82) : QRect(223, 193, 44, 44));
        const QRect tile6 = f.Find<QWidget>("asg6")->geometry().translated(-picture);
        EXPECT_EQ(tile6, full_hd ? QRect(251, 114, 82, 82) : QRect(134, 61, 44, 44));
        // every tile inside the picture
        for (int tile = 1; tile <= 8; ++tile)
            EXPECT_TRUE(f.Find<QWidget>("i_kpx")->geometry().contains(
                f.Find<QWidget>(qPrintable(QStringLiteral("asg%1").arg(tile)))->geometry()))
                << tile;
    }
}

TEST(Layout, PresetRowsDoubleOnScreensOf1152PixelsAndMore)
{
    auto row_height = [](int screen_height) {
        WindowFixture f;
        WindowSetup setup;
        setup.screen = ScreenSize{1280, screen_height};
        f.Start(setup);
        return f.Find<QTableView>("asgbanksBody")->rowHeight(5);
    };
    const int design = row_height(1151);
    EXPECT_GT(design, 0);
    EXPECT_EQ(row_height(1152), 2 * design);
    EXPECT_EQ(row_height(1200), 2 * design);
    EXPECT_EQ(row_height(768), design);
}

}  // namespace
}  // namespace orvel::testing
