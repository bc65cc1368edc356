// The window reaching the virtual controller through its USB converter: the connection
// monitor, the transfer commands, the lock while one runs, closing, the live preview and
// the firmware upgrade, all through the window's device thread.
#include <algorithm>
#include <memory>
#include <optional>
#include <stdlib.h>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include "device/controller_constants.h"
#include "model/model_constants.h"
#include "sim/simulator.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/sim_faults.h"
#include "tests/support/window_test_support.h"
#include "ui/grid/preset_grid.h"
#include "ui/grid/preset_table_model.h"
#include "ui/pictures/preview_picture.h"
#include "ui/settings/option_tile.h"
#include "ui/settings/settings_grid.h"

namespace orvel {
namespace {

using testing::WaitUntil;
using testing::WaitUntilDeviceIdle;
using namespace std::chrono_literals;

const QString kVersionTitle = QStringLiteral("KPX firmware version: KPX2-3");
const QString kConnected = QStringLiteral("KPX2-3 connected");
const char* const kPopupItems[] = {"ReadbankfromKPX1", "WritebanktoKPX1", "ReadpresetfromKPX21", "WritepresettoKPX1"};

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return QObject::eventFilter(watched, event);
    }
};

// Answers every question box that opens with one button and remembers its text.
class BoxAnswerer {
public:
    explicit BoxAnswerer(QMessageBox::StandardButton answer)
    {
        QObject::connect(&timer_, &QTimer::timeout, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->button(answer)) return;
            texts.push_back(box->text());
            box->button(answer)->click();
        });
        timer_.start(20);
    }
    std::vector<QString> texts;

private:
    QTimer timer_;
};

class UsbWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree = std::make_unique<kpxsim::ConverterTree>();
        sysroot.emplace("ORVEL_SYSROOT", tree->Root());
    }
    void TearDown() override
    {
        fixture.reset();
        port_name.reset();
        sysroot.reset();
    }
    // COM port 9 names the line of `sim`, for an upgrade.
    void MapPort(const kpxsim::Simulator& sim) { port_name.emplace(testing::PortVariable(9), sim.SlavePath()); }

    kpxsim::Simulator& AddController(int index, const std::string& serial, const kpxsim::Options& options = {})
    {
        sims.push_back(std::make_unique<kpxsim::Simulator>(options));
        tree->Add(index, serial, sims.back()->SlavePath());
        return *sims.back();
    }

    TMainForm& Start()
    {
        fixture = std::make_unique<testing::WindowFixture>();
        return fixture->Start();
    }

    // Starts the window on a controller and waits for the monitor to find it.
    TMainForm& StartIdentified()
    {
        TMainForm& window = Start();
        window.timerKPXTimer();
        EXPECT_TRUE(WaitUntil([&] { return window.windowTitle().contains(kVersionTitle); }));
        EXPECT_TRUE(WaitUntilDeviceIdle(window));
        return window;
    }

    std::vector<testing::ShownMessage>& Shown() { return fixture->messages().shown; }
    QAction* Action(const char* name) { return fixture->Action(name); }

    std::unique_ptr<kpxsim::ConverterTree> tree;
    std::optional<testing::ScopedEnvironment> sysroot;
    std::optional<testing::ScopedEnvironment> port_name;
    std::vector<std::unique_ptr<kpxsim::Simulator>> sims;
    std::unique_ptr<testing::WindowFixture> fixture;  // the window goes before the controllers
};

TEST_F(UsbWindow, TheMonitorFollowsAConverterThatComesAndGoes)
{
    TMainForm& window = Start();
    window.timerKPXTimer();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_EQ(window.windowTitle(), window.BaseTitle());
    EXPECT_EQ(window.StatusPanel(0), QString());
    for (const char* name : kPopupItems) EXPECT_FALSE(Action(name)->isEnabled()) << name;
    EXPECT_TRUE(window.timerKPX()->isActive());

    // Plugged in: the running monitor finds it at its next tick.
    AddController(0, "KPX00001");
    ASSERT_TRUE(WaitUntil([&] { return window.windowTitle().contains(kVersionTitle); }, 3s));
    EXPECT_TRUE(window.windowTitle().startsWith(window.BaseTitle() + QLatin1Char(' ')));
    EXPECT_EQ(window.StatusPanel(0), kConnected);
    for (const char* name : kPopupItems) EXPECT_TRUE(Action(name)->isEnabled()) << name;

    // Unplugged: the base title and an empty panel again.
    tree->Remove(0);
    sims[0]->Vanish();
    ASSERT_TRUE(WaitUntil([&] { return window.windowTitle() == window.BaseTitle(); }, 3s));
    EXPECT_TRUE(WaitUntil([&] { return window.StatusPanel(0).isEmpty(); }, 3s));
    EXPECT_TRUE(Shown().empty());
}

// The title loses its firmware text and the status bar says the converter is there but the
// controller does not answer, until it answers again.
TEST_F(UsbWindow, ASilentControllerIsShownAsNotAnsweringUntilItAnswersAgain)
{
    kpxsim::Simulator& sim = AddController(0, "KPX00001");
    TMainForm& window = StartIdentified();
    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    window.timerKPXTimer();
    ASSERT_TRUE(WaitUntil([&] { return window.windowTitle() == window.BaseTitle(); }, 5s));
    EXPECT_EQ(window.StatusPanel(0), QStringLiteral("KPX2-3 not answering on KPX00001"));
    for (const char* name : kPopupItems) EXPECT_TRUE(Action(name)->isEnabled()) << name;

    sim.SetFaults({});
    ASSERT_TRUE(WaitUntil([&] { return window.StatusPanel(0) == kConnected; }, 5s));
    EXPECT_TRUE(window.windowTitle().contains(kVersionTitle));
}

// A close asked while the monitor waits on a silent controller cuts that wait short and shows
// nothing of it; when the close is then cancelled at the unsaved-changes question, the monitor
// goes on by itself: it finds the controller silent, and connected once it answers again.
TEST_F(UsbWindow, ACloseCancelledDuringASilentTickLeavesTheMonitorReading)
{
    kpxsim::Simulator& sim = AddController(0, "KPX00001");
    TMainForm& window = StartIdentified();
    window.show();
    PresetData edited = window.State().table.GetRow(TableRowOfPreset(11));
    edited.name = "Edited";
    window.State().table.SetRow(TableRowOfPreset(11), edited);
    fixture->save_answer = SaveAnswer::Cancel;

    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    window.timerKPXTimer();
    window.close();
    ASSERT_TRUE(WaitUntil([&] { return fixture->save_questions.size() == 1; }, 5s));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.StatusPanel(0), kConnected) << "the tick the close cut short is not shown";
    ASSERT_TRUE(
        WaitUntil([&] { return window.StatusPanel(0) == QStringLiteral("KPX2-3 not answering on KPX00001"); }, 5s));

    sim.SetFaults({});
    ASSERT_TRUE(WaitUntil([&] { return window.StatusPanel(0) == kConnected; }, 5s));
}

TEST_F(UsbWindow, TransferCommandsFromMenusAndPopupsAndTheirFailures)
{
    kpxsim::Simulator& sim = AddController(0, "KPX00001");
    sim.WriteMemory(37, kpxsim::Block{0x01, 0, 12, 0, 0, 0, 0, 0});
    TMainForm& window = StartIdentified();
    PresetTable& table = window.State().table;

    Action("Readall1")->trigger();
    EXPECT_TRUE(window.CommandRunning());
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_EQ(table.GetRow(TableRowOfPreset(37)).midi1, "12");
    EXPECT_TRUE(table.GetRow(TableRowOfPreset(37)).buffer);

    // The popup's "Write preset" sends the current row.
    const int row4 = TableRowOfPreset(4);
    table.SetCurrentRow(row4);
    table.SetText(row4, kColumnMidi1, "5");
    window.asgbanks()->WritePresetAction()->trigger();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_EQ(sim.ReadMemory(4)[2], 5);

    // "Read settings" from the settings popup.
    sim.WriteMemory(251, kpxsim::Block{1, 2, 3, 4, 5, 6, 7, 0});
    Action("Readsettings2")->trigger();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_EQ(window.State().settings.ctrl_numbers[6], "7");
    EXPECT_TRUE(Shown().empty());

    sim.SetMemoryLocked(true);
    window.Writepreset1Click();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    sim.SetMemoryLocked(false);
    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.bad_checksum = true; }));
    window.Readbank1Click();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    window.Readpreset1Click();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    ASSERT_EQ(Shown().size(), 3u);
    EXPECT_EQ(Shown()[0].text, "103: unlock memory pressing memory lock key");
    EXPECT_EQ(Shown()[1].text, "102: checksum error");
    EXPECT_EQ(Shown()[2].text, "021: transmission error");
    EXPECT_TRUE(Action("Readall1")->isEnabled());
    EXPECT_TRUE(window.timerKPX()->isActive());
}

TEST_F(UsbWindow, TheWindowPaintsWhileAllPresetsAreWritten)
{
    kpxsim::Options paced;
    paced.paced = true;
    kpxsim::Simulator& sim = AddController(0, "KPX00001", paced);
    TMainForm& window = StartIdentified();
    window.show();
    PaintCounter counter(window.pb());
    window.Writeall1Click();
    ASSERT_TRUE(WaitUntil([&] { return counter.paints >= 3 || window.DeviceIdle(); }, 20s));
    EXPECT_FALSE(window.DeviceIdle());  // painted while the write still ran
    EXPECT_GE(counter.paints, 3);
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(sim.ReadMemory(kBlockBankFunctions)[0], 0xFF);
}

TEST_F(UsbWindow, WhileACommandRunsNoOtherStartsAndTheSetUpCannotChange)
{
    kpxsim::Options paced;
    paced.paced = true;
    kpxsim::Simulator& sim = AddController(0, "KPX00001", paced);
    sim.WriteMemory(99, kpxsim::Block{0, 0, 33, 0, 0, 0, 0, 0});
    TMainForm& window = StartIdentified();
    const SettingsData settings_before = window.State().settings;

    window.Readall1Click();
    for (const char* name :
         {"Open1", "Readall1", "Writeall1", "Readbank1", "Writebank1", "Readpreset1", "Writepreset1", "Readsettings1",
          "Writesettings1", "Readsettings2", "Writesettings2", "Checkdefault1", "Firmwareupgrade1"})
        EXPECT_FALSE(Action(name)->isEnabled()) << name;
    for (const char* name : kPopupItems) EXPECT_FALSE(Action(name)->isEnabled()) << name;
    EXPECT_FALSE(window.asgbanks()->isEnabled());
    EXPECT_FALSE(window.aSetup()->isEnabled());
    EXPECT_FALSE(window.Tile(1)->isEnabled());
    EXPECT_TRUE(Action("Save1")->isEnabled() || !window.State().save_enabled);
    EXPECT_TRUE(Action("Print1")->isEnabled());

    // Asked anyway (a shortcut, a stray call): nothing starts. A firmware upgrade here
    // would take the converter from under the read.
    window.Writeall1Click();
    window.Readbank1Click();
    window.Writebank1Click();
    window.Readpreset1Click();
    window.Writepreset1Click();
    window.Readsettings1Click();
    window.Writesettings1Click();
    window.Checkdefault1Click();
    window.Firmwareupgrade1Click();
    window.timerKPXTimer();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(window.State().table.GetRow(TableRowOfPreset(99)).midi1, "33");
    EXPECT_EQ(window.State().settings, settings_before);
    EXPECT_TRUE(Action("Readall1")->isEnabled());
    EXPECT_TRUE(window.asgbanks()->isEnabled());
}

TEST_F(UsbWindow, AMonitorTickInFlightDelaysACommand)
{
    // The first converter's controller is silent: the tick spends its identify time-out there.
    AddController(0, "KPX00001").SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    kpxsim::Simulator& second = AddController(1, "KPX00002");
    second.WriteMemory(11, kpxsim::Block{0, 0, 44, 0, 0, 0, 0, 0});
    TMainForm& window = StartIdentified();
    window.State().table.SetCurrentRow(TableRowOfPreset(11));
    window.timerKPXTimer();
    window.Readpreset1Click();
    EXPECT_TRUE(window.CommandRunning());
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_TRUE(Shown().empty());
    EXPECT_EQ(window.State().table.GetRow(TableRowOfPreset(11)).midi1, "44");
}

TEST_F(UsbWindow, ClosingDuringACommandWaitsForItsEnd)
{
    kpxsim::Options paced;
    paced.paced = true;
    kpxsim::Simulator& sim = AddController(0, "KPX00001", paced);
    sim.WriteMemory(0, kpxsim::Block{0, 0, 55, 0, 0, 0, 0, 0});
    TMainForm& window = StartIdentified();
    window.show();
    window.Readall1Click();
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    ASSERT_TRUE(WaitUntil([&] { return !window.isVisible(); }, 20s));
    EXPECT_TRUE(window.DeviceIdle());
    EXPECT_EQ(window.State().table.GetRow(TableRowOfPreset(0)).midi1, "55");  // the last row read
    EXPECT_FALSE(window.Usb().IsOpen());
    EXPECT_TRUE(Shown().empty());
}

TEST_F(UsbWindow, ThePreviewDrawsTheActiveBankAndFollowsIt)
{
    kpxsim::Options options;
    options.current_preset = 37;
    kpxsim::Simulator& sim = AddController(0, "KPX00001", options);
    TMainForm& window = StartIdentified();
    auto* model = window.asgbanks()->findChild<PresetTableModel*>();
    ASSERT_NE(model, nullptr);
    ASSERT_TRUE(model->setData(model->index(TableRowOfPreset(31), kColumnName), QStringLiteral("Clean"), Qt::EditRole));
    fixture->Find<QTabWidget>("Configuration2")->setCurrentIndex(2);
    ASSERT_TRUE(window.timercurrentpreset()->isActive());

    const QImage& canvas = window.iPreview()->Canvas();
    auto box_colour = [&](int k) {
        const PreviewPoint at = PreviewBoxOrigin(k);
        return canvas.pixelColor(at.x + 4, at.y + 4);
    };
    ASSERT_TRUE(WaitUntil([&] { return window.ShownBank() == 3 && window.ShownPreset() == 7; }));
    EXPECT_EQ(box_colour(6), QColor(Qt::red));
    EXPECT_EQ(box_colour(0), QColor(Qt::white));
    EXPECT_EQ(window.ShownPreviewLabels()[0], "Clean");

    sim.SetCurrentPreset(30);
    ASSERT_TRUE(WaitUntil([&] { return window.ShownPreset() == 0; }));
    EXPECT_EQ(box_colour(9), QColor(Qt::red));
    EXPECT_EQ(box_colour(6), QColor(Qt::white));

    // A name edit draws the same bank again at the next tick.
    ASSERT_TRUE(
        model->setData(model->index(TableRowOfPreset(31), kColumnName), QStringLiteral("ABCDEFGHIJKL"), Qt::EditRole));
    ASSERT_TRUE(WaitUntil([&] { return window.ShownPreviewLabels()[0] == "ABCDEFGHIJKL"; }));

    // Another page stops the preview; the picture stays.
    fixture->Find<QTabWidget>("Configuration2")->setCurrentIndex(1);
    EXPECT_FALSE(window.timercurrentpreset()->isActive());
    EXPECT_EQ(window.ShownBank(), 3);
}

TEST_F(UsbWindow, AnUpgradeThroughAConnectedConverterAsksNoPortNumber)
{
    kpxsim::Simulator& sim = AddController(0, "KPX00001");
    MapPort(sim);
    TMainForm& window = StartIdentified();
    BoxAnswerer no(QMessageBox::No);
    window.Firmwareupgrade1Click();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    ASSERT_EQ(no.texts.size(), 1u);
    EXPECT_TRUE(no.texts[0].endsWith(QStringLiteral("Do you want to upgrade firmware?")));
    EXPECT_EQ(window.fCOMPortNumber(), nullptr);  // never asked for a number
    EXPECT_TRUE(Shown().empty());
    EXPECT_FALSE(sim.RunsLoader());
}

// The upgrade names its steps beside the bar, counts their seconds, and shows a moving bar
// while the flash is erased (up to 31 s on a controller), so it never looks hung.
TEST_F(UsbWindow, AnUpgradeNamesItsStepsAndCountsTheErasesSeconds)
{
    kpxsim::Options paced;
    paced.paced = true;  // blocks take the line's time, so each step can be seen
    kpxsim::Simulator& sim = AddController(0, "KPX00001", paced);
    MapPort(sim);
    sim.SetEraseTime(std::chrono::milliseconds(3500));
    TMainForm& window = StartIdentified();
    BoxAnswerer yes(QMessageBox::Yes);
    window.Firmwareupgrade1Click();
    const QLabel* line = window.lCommand();
    QStringList seen;
    bool moving_bar = false;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const QString text = line->text();
            if (seen.isEmpty() || seen.back() != text) seen << text;
            if (text.contains(QStringLiteral("erasing"))) moving_bar = moving_bar || window.pb()->maximum() == 0;
            return window.DeviceIdle();
        },
        60s));
    const auto saw = [&](const QString& text) {
        return std::any_of(seen.begin(), seen.end(), [&](const QString& s) { return s.startsWith(text); });
    };
    const QString upgrade = QStringLiteral("Firmware upgrade: ");
    EXPECT_TRUE(saw(upgrade + QStringLiteral("switching to the loader"))) << seen.join("|").toStdString();
    EXPECT_TRUE(saw(upgrade + QStringLiteral("erasing the flash (up to 31 s) \u2026 2 s")));
    EXPECT_TRUE(saw(upgrade + QStringLiteral("block 1 of ")));
    EXPECT_TRUE(saw(upgrade + QStringLiteral("checking the CRC")));
    EXPECT_TRUE(moving_bar);
    EXPECT_EQ(Shown().size(), 1u);  // "Firmware upgraded successfully to …"
    EXPECT_FALSE(line->isVisible());
}

// A command after one that filled the bar starts with an empty one, and the status bar keeps
// the connection and the file in view while it runs.
TEST_F(UsbWindow, EveryCommandStartsItsBarEmptyAndTheStatusPanelsStay)
{
    kpxsim::Simulator& sim = AddController(0, "KPX00001");
    TMainForm& window = StartIdentified();
    window.Readpreset1Click();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_EQ(window.pb()->value(), 100);

    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.silent = true; }));
    window.Readsettings1Click();
    EXPECT_EQ(window.pb()->value(), 0);
    EXPECT_EQ(window.lCommand()->text(), QStringLiteral("Read settings\u2026"));
    const auto* connection = fixture->Find<QLabel>("sbKPXPanel0");
    ASSERT_TRUE(WaitUntil([&] { return window.pb()->isVisibleTo(&window); }));
    EXPECT_EQ(window.pb()->value(), 0);
    EXPECT_TRUE(connection->isVisibleTo(&window));
    EXPECT_EQ(connection->text(), kConnected);
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_EQ(Shown().size(), 1u);  // the transmission error
}

TEST_F(UsbWindow, AnUpgradeFailingAtBlock40ShowsItsText)
{
    kpxsim::Simulator& sim = AddController(0, "KPX00001");
    MapPort(sim);
    TMainForm& window = StartIdentified();
    sim.SetFaults(testing::With([](kpxsim::Faults& f) { f.block_status = kpxsim::BlockStatus{40, 2}; }));
    int highest = 0;
    QObject::connect(window.pb(), &QProgressBar::valueChanged, [&](int value) { highest = std::max(highest, value); });
    BoxAnswerer yes(QMessageBox::Yes);
    window.Firmwareupgrade1Click();
    ASSERT_TRUE(WaitUntilDeviceIdle(window, 60s));
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0].text, "data verification error");
    EXPECT_EQ(Shown()[0].caption, "Information");
    EXPECT_EQ(highest, 1 + 1 + 40);  // switch, erase, blocks 0 to 39
    EXPECT_FALSE(window.pb()->isVisible());
}

}  // namespace
}  // namespace orvel
