#include <QApplication>
#include <QComboBox>
#include <QEnterEvent>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "model/settings_constants.h"
#include "tests/support/qt_warning_recorder.h"
#include "tests/support/wheel_turns.h"
#include "tests/support/window_test_support.h"
#include "ui/settings/balloon_hints.h"
#include "ui/settings/option_tile.h"
#include "ui/settings/settings_grid.h"
#include "ui/window/com_port_dialog.h"

namespace orvel::testing {
namespace {

OptionTile* TileOf(WindowFixture& f, int tile)
{
    return f.Find<OptionTile>(qPrintable(QStringLiteral("asg%1").arg(tile)));
}

void Enter(QWidget* widget)
{
    const QPointF centre(widget->width() / 2.0, widget->height() / 2.0);
    QEnterEvent event(centre, widget->mapTo(widget->window(), centre), widget->mapToGlobal(centre));
    QApplication::sendEvent(widget, &event);
}

void Leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

TEST(Tiles, ClicksStepTheCodesAndTheSettings)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    window.Configuration2()->setCurrentIndex(0);
    OptionTile* wah = TileOf(f, 2);
    QStringList seen;
    for (int i = 0; i < 3; ++i) {
        QTest::mouseClick(wah, Qt::LeftButton);
        seen << wah->text();
    }
    EXPECT_EQ(seen, (QStringList{"uP1", "uP2", "uP0"}));
    EXPECT_EQ(window.State().settings.keys[1], "uP0");

    QTest::mouseClick(TileOf(f, 8), Qt::LeftButton);
    EXPECT_EQ(window.State().settings.keys[7], "AF2");
    QTest::mouseClick(TileOf(f, 8), Qt::RightButton);  // only the left button steps
    EXPECT_EQ(TileOf(f, 8)->text(), QStringLiteral("AF2"));

    window.State().settings.keys[6] = "tu9";  // an unknown code from a file
    window.RefreshViews();
    QTest::mouseClick(TileOf(f, 7), Qt::LeftButton);
    EXPECT_EQ(TileOf(f, 7)->text(), QStringLiteral("tu9"));
}

TEST(Tiles, BalloonsShowTitleAndHelpTextWithTheirPauses)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    window.show();
    window.Configuration2()->setCurrentIndex(0);
    QApplication::processEvents();
    auto* hints = window.findChild<BalloonHints*>();
    ASSERT_NE(hints, nullptr);
    Balloon* balloon = hints->Window();

    Enter(TileOf(f, 1));
    EXPECT_EQ(hints->PendingDelayMs(), 200);
    EXPECT_FALSE(balloon->isVisible());
    ASSERT_TRUE(WaitUntil([&] { return balloon->isVisible(); }));
    EXPECT_EQ(balloon->Title(), QStringLiteral("BANKS"));
    EXPECT_TRUE(balloon->Text().startsWith(QStringLiteral("cb0 - constantly selected bank No. 0\ncb1 - ")));
    EXPECT_FALSE(balloon->Text().contains(QLatin1Char('\r')));

    // on to another tile: the next balloon follows after the short pause
    Leave(TileOf(f, 1));
    EXPECT_FALSE(balloon->isVisible());
    Enter(TileOf(f, 6));
    EXPECT_EQ(hints->PendingDelayMs(), 50);
    ASSERT_TRUE(WaitUntil([&] { return balloon->isVisible(); }));
    EXPECT_EQ(balloon->Title(), QStringLiteral("MIDI MODE"));

    // leaving before the pause is over opens nothing
    Leave(TileOf(f, 6));
    Enter(TileOf(f, 3));
    Leave(TileOf(f, 3));
    EXPECT_EQ(hints->PendingDelayMs(), -1);
    // A timer of the longest pause, started now, falls due after any balloon still pending.
    bool longest_pause_over = false;
    QTimer::singleShot(200, [&] { longest_pause_over = true; });
    ASSERT_TRUE(WaitUntil([&] { return longest_pause_over; }));
    EXPECT_FALSE(balloon->isVisible());
}

TEST(SettingsGrid, HeadersAndMergedCaptions)
{
    WindowFixture f;
    SettingsGrid* grid = f.Start().aSetup();
    QAbstractItemModel* model = grid->model();
    EXPECT_EQ(model->rowCount(), kSetupRowCount);
    EXPECT_EQ(model->columnCount(), kSetupColumnCount);
    EXPECT_EQ(model->index(0, kSetupFirstChannelColumn).data().toString(), QStringLiteral("MIDI Channel"));
    EXPECT_EQ(model->index(0, kSetupFirstCtrlColumn).data().toString(), QStringLiteral("Ctrl  Number"));
    EXPECT_EQ(model->index(0, kSetupFirstCtrlColumn + 3).data().toString(),
              QStringLiteral("Ctrl  Number or MIDI Channel"));
    EXPECT_EQ(grid->columnSpan(0, kSetupFirstChannelColumn), 3);
    EXPECT_EQ(grid->columnSpan(0, kSetupFirstCtrlColumn), 3);
    EXPECT_EQ(grid->columnSpan(0, kSetupFirstCtrlColumn + 3), 4);
    QStringList numbers;
    for (int column = 0; column < kSetupColumnCount; ++column) numbers << model->index(1, column).data().toString();
    EXPECT_EQ(numbers, (QStringList{"1", "2", "3", "1", "2", "3", "4", "5", "6", "7"}));
    EXPECT_FALSE(model->flags(model->index(1, kSetupFirstCtrlColumn + 1)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model->flags(model->index(kSetupValueRow, kSetupFirstCtrlColumn + 1)) & Qt::ItemIsEditable);
}

TEST(SettingsGrid, RefusedEntriesAreNotStored)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    SettingsGrid* grid = window.aSetup();
    QAbstractItemModel* model = grid->model();
    QSignalSpy refused(grid, &SettingsGrid::entryRefused);

    EXPECT_FALSE(
        model->setData(model->index(kSetupValueRow, kSetupFirstChannelColumn), QStringLiteral("17"), Qt::EditRole));
    EXPECT_FALSE(
        model->setData(model->index(kSetupValueRow, kSetupFirstChannelColumn + 1), QStringLiteral("0"), Qt::EditRole));
    EXPECT_FALSE(
        model->setData(model->index(kSetupValueRow, kSetupFirstCtrlColumn + 6), QStringLiteral("128"), Qt::EditRole));
    EXPECT_FALSE(
        model->setData(model->index(1, kSetupFirstCtrlColumn + 6), QStringLiteral("5"), Qt::EditRole));  // header
    EXPECT_EQ(refused.count(), 3);
    EXPECT_EQ(refused.at(0).at(0).toString(), "\"17\" is not a MIDI channel 1 value: enter 1 to 16.");
    EXPECT_EQ(refused.at(2).at(0).toString(), "\"128\" is not a CTRL number 7 value: enter 0 to 127.");
    EXPECT_EQ(window.State().settings.midi_channels[0], "1");
    EXPECT_EQ(window.State().settings.ctrl_numbers[6], "87");

    EXPECT_TRUE(
        model->setData(model->index(kSetupValueRow, kSetupFirstChannelColumn), QStringLiteral("16"), Qt::EditRole));
    EXPECT_TRUE(
        model->setData(model->index(kSetupValueRow, kSetupFirstCtrlColumn + 6), QStringLiteral("127"), Qt::EditRole));
    EXPECT_EQ(window.State().settings.midi_channels[0], "16");
    EXPECT_EQ(window.State().settings.ctrl_numbers[6], "127");
}

TEST(SettingsGrid, DropDownsOfferTheirRangesAndMarkWhatWasStored)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    SettingsGrid* grid = window.aSetup();
    QAbstractItemModel* model = grid->model();
    QAbstractItemDelegate* delegate = grid->itemDelegate();
    QStyleOptionViewItem option;

    std::unique_ptr<QWidget> channel_editor(
        delegate->createEditor(grid->viewport(), option, model->index(kSetupValueRow, kSetupFirstChannelColumn + 1)));
    auto* channels = qobject_cast<QComboBox*>(channel_editor.get());
    ASSERT_NE(channels, nullptr);
    EXPECT_TRUE(channels->isEditable());
    EXPECT_EQ(channels->count(), 16);
    EXPECT_EQ(channels->maxVisibleItems(), 16);
    delegate->setEditorData(channels, model->index(kSetupValueRow, kSetupFirstChannelColumn + 1));
    EXPECT_EQ(channels->currentText(), QStringLiteral("2"));
    channels->setEditText(QStringLiteral("12"));
    delegate->setModelData(channels, model, model->index(kSetupValueRow, kSetupFirstChannelColumn + 1));
    EXPECT_EQ(window.State().settings.midi_channels[1], "12");
    EXPECT_TRUE(grid->selectionModel()->isSelected(model->index(kSetupValueRow, kSetupFirstChannelColumn + 1)));

    std::unique_ptr<QWidget> ctrl_editor(
        delegate->createEditor(grid->viewport(), option, model->index(kSetupValueRow, kSetupFirstCtrlColumn + 2)));
    auto* ctrls = qobject_cast<QComboBox*>(ctrl_editor.get());
    ASSERT_NE(ctrls, nullptr);
    EXPECT_EQ(ctrls->count(), 128);
    EXPECT_EQ(ctrls->itemText(0), QStringLiteral("0"));
    EXPECT_EQ(ctrls->maxVisibleItems(), 10);
    ctrls->setEditText(QStringLiteral("abc"));
    delegate->setModelData(ctrls, model, model->index(kSetupValueRow, kSetupFirstCtrlColumn + 2));
    EXPECT_EQ(window.State().settings.ctrl_numbers[2], "83");
    EXPECT_FALSE(grid->selectionModel()->isSelected(model->index(kSetupValueRow, kSetupFirstCtrlColumn + 2)));
}

// Keys go where the user's keys go: to the widget with the focus.
void Key(int key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* target = QApplication::focusWidget();
    ASSERT_NE(target, nullptr);
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    QCoreApplication::processEvents();
}

void Type(const QString& text)
{
    for (QChar c : text) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr);
        QTest::keyClicks(target, QString(c));
    }
    QCoreApplication::processEvents();
}

QString SelectedInEditor()
{
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    return combo && combo->lineEdit() ? combo->lineEdit()->selectedText() : QStringLiteral("<no editor>");
}

TEST(SettingsGrid, EditedFromTheKeyboardLikeASpreadsheet)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    window.show();
    window.Configuration2()->setCurrentIndex(0);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QtWarningRecorder recorder;
    SettingsGrid* grid = window.aSetup();
    const SettingsData& settings = window.State().settings;
    QSignalSpy commits(grid->itemDelegate(), &QAbstractItemDelegate::commitData);

    // A click opens the drop-down with its text selected: typing replaces it.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(grid->model()->index(kSetupValueRow, kSetupFirstChannelColumn + 1)).center());
    EXPECT_EQ(SelectedInEditor(), "2");
    Type("1");
    Type("2");
    Key(Qt::Key_Tab);  // stored; on to channel 3, its text selected
    EXPECT_EQ(SelectedInEditor(), "3");
    Type(" 9");
    Key(Qt::Key_Tab);
    EXPECT_EQ(SelectedInEditor(), "81");
    Type("007");
    Key(Qt::Key_Backtab);
    EXPECT_EQ(SelectedInEditor(), "9");
    Type("17");  // no channel 17: refused, channel 3 keeps 9
    Key(Qt::Key_Return);
    EXPECT_EQ(settings.midi_channels[1], "12");
    EXPECT_EQ(settings.midi_channels[2], "9");
    EXPECT_EQ(settings.ctrl_numbers[0], "7");

    grid->setCurrentIndex(grid->model()->index(kSetupValueRow, kSetupFirstCtrlColumn + 6));
    Key(Qt::Key_F2);
    EXPECT_EQ(SelectedInEditor(), "87");
    Type("50");
    Key(Qt::Key_Escape);
    EXPECT_EQ(settings.ctrl_numbers[6], "87");
    Key(Qt::Key_Tab);  // nothing after the last cell: no editor, same cell
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(kSetupValueRow, kSetupFirstCtrlColumn + 6));
    EXPECT_EQ(commits.count(), 4);  // one per stored or refused entry

    // No key moves the current cell by itself (no type-to-search).
    Type("8");
    Key(Qt::Key_Escape);
    EXPECT_EQ(grid->currentIndex(), grid->model()->index(kSetupValueRow, kSetupFirstCtrlColumn + 6));
    EXPECT_TRUE(recorder.warnings().isEmpty()) << recorder.warnings().join('\n').toStdString();
}

// The wheel over an open drop-down once stepped the setting; the current cell had no frame.
TEST(SettingsGrid, WheelChangesNoSettingTheCurrentCellIsFramedAndDeleteSaysWhatItTakes)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    window.show();
    window.Configuration2()->setCurrentIndex(0);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    SettingsGrid* grid = window.aSetup();
    const SettingsData& settings = window.State().settings;
    const auto cell = [grid](int column) { return grid->visualRect(grid->model()->index(kSetupValueRow, column)); };

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(kSetupFirstChannelColumn + 1).center());
    auto* combo = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(combo, nullptr);
    TurnWheel(combo, combo->rect().center(), 3);
    EXPECT_EQ(combo->currentText(), "2");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      cell(kSetupFirstCtrlColumn + 2).center());  // elsewhere: stored
    EXPECT_EQ(settings.midi_channels[1], "2");

    Key(Qt::Key_Escape);
    const QImage shot = grid->viewport()->grab().toImage();
    EXPECT_EQ(shot.pixelColor(cell(kSetupFirstCtrlColumn + 2).left(), cell(kSetupFirstCtrlColumn + 2).center().y()),
              QColor(Qt::black));
    EXPECT_NE(shot.pixelColor(cell(kSetupFirstCtrlColumn + 1).left(), cell(kSetupFirstCtrlColumn + 1).center().y()),
              QColor(Qt::black));

    QSignalSpy refused(grid, &SettingsGrid::entryRefused);
    Key(Qt::Key_Delete);  // a CTRL number has no empty value
    ASSERT_EQ(refused.count(), 1);
    EXPECT_EQ(refused.at(0).at(0).toString(), "\"\" is not a CTRL number 3 value: enter 0 to 127.");
    EXPECT_EQ(settings.ctrl_numbers[2], "83");
}

TEST(PortBox, FollowsTheStateAndTheDialogAsksForANumber)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    auto* port = f.Find<QSpinBox>("sePort");
    EXPECT_EQ(port->minimum(), 1);
    EXPECT_EQ(port->maximum(), 99);
    port->setValue(42);
    EXPECT_EQ(window.State().port_number, 42);

    TfCOMPortNumber* dialog = window.CreatePortNumberDialog();
    EXPECT_EQ(window.CreatePortNumberDialog(), dialog);
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("COM port number"));
    EXPECT_EQ(dialog->seCOMPort()->objectName(), QStringLiteral("seCOMPort"));
    EXPECT_EQ(dialog->seCOMPort()->value(), 1);
    EXPECT_EQ(dialog->seCOMPort()->minimum(), 1);
    EXPECT_EQ(dialog->seCOMPort()->maximum(), 99);
    QTimer::singleShot(0, dialog, [dialog] {
        auto* ok = dialog->findChild<QPushButton*>();
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(dialog->exec(), QDialog::Accepted);
}

}  // namespace
}  // namespace orvel::testing
