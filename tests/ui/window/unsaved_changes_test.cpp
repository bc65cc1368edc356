// Nothing the user made is dropped without a question: the title marks a set-up that differs
// from its file, and closing, opening another file or a recent one asks first. On the real
// window offscreen, with real files.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QUndoStack>
#include <gtest/gtest.h>

#include "sim/simulator.h"
#include "tests/support/scoped_environment.h"
#include "tests/support/window_test_support.h"
#include "ui/settings/option_tile.h"
#include "ui/window/undo_history.h"

namespace orvel::testing {
namespace {

const QString kBase = QStringLiteral("Orvel version 2.4");

// A window with first.ini saved and open, one tile click away from it.
TMainForm& StartEdited(WindowFixture& f, const WindowSetup& setup = {})
{
    TMainForm& window = f.Start(setup);
    EXPECT_TRUE(window.SaveFileAs(QString::fromStdString(f.folder() / "first.ini")));
    window.TileClick(2);
    return window;
}

// The code of tile 2 as first.ini holds it.
std::string Tile2InFile(WindowFixture& f)
{
    const std::string text = ReadText(f.folder() / "first.ini");
    return text.substr(text.find("key2=") + 5, 3);
}

TEST(Unsaved, TheTitleMarksChangesUntilSavedOrUndone)
{
    WindowFixture f;
    TMainForm& window = f.Start();
    EXPECT_EQ(window.windowTitle(), kBase);
    window.TileClick(2);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Untitled* \u2014 ") + kBase);
    ASSERT_TRUE(window.SaveFileAs(QString::fromStdString(f.folder() / "first.ini")));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("first.ini \u2014 ") + kBase);

    window.TileClick(3);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("first.ini* \u2014 ") + kBase);
    f.Action("Undo1")->trigger();  // back to the saved set-up
    EXPECT_EQ(window.windowTitle(), QStringLiteral("first.ini \u2014 ") + kBase);
    f.Action("Undo1")->trigger();  // before the save: it differs again
    EXPECT_EQ(window.windowTitle(), QStringLiteral("first.ini* \u2014 ") + kBase);
    f.Action("Redo1")->trigger();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("first.ini \u2014 ") + kBase);
    EXPECT_TRUE(f.save_questions.empty());
}

// Close, Open and a recent file each ask; Cancel changes nothing, Discard goes on, Save
// saves first. Nothing is asked when nothing differs.
TEST(Unsaved, CloseOpenAndRecentFilesAskFirst)
{
    enum class Act { Close, Open, Recent };
    const struct {
        Act act;
        SaveAnswer answer;
        bool goes_on;
        const char* saved_tile;
    } cases[] = {
        {Act::Close, SaveAnswer::Cancel, false, "uP0"}, {Act::Close, SaveAnswer::Discard, true, "uP0"},
        {Act::Close, SaveAnswer::Save, true, "uP1"},    {Act::Open, SaveAnswer::Cancel, false, "uP0"},
        {Act::Open, SaveAnswer::Discard, true, "uP0"},  {Act::Recent, SaveAnswer::Cancel, false, "uP0"},
        {Act::Recent, SaveAnswer::Save, true, "uP1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.act) * 10 + static_cast<int>(c.answer));
        WindowFixture f;
        TMainForm& window = StartEdited(f);
        const std::string first = f.folder() / "first.ini";
        window.show();
        const std::string other = f.folder() / "other.ini";
        WriteText(other, "[preset11]\nname=Other\n");
        window.OpenFile(QString::fromStdString(other));  // in the recent files, then back
        window.OpenFile(QString::fromStdString(first));
        window.TileClick(2);
        f.save_answer = c.answer;
        bool dialog_shown = false;
        QTimer reject_dialog;  // the Open dialog, if it comes, is closed at once
        QObject::connect(&reject_dialog, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialog_shown = true;
                dialog->reject();
            }
        });
        reject_dialog.start(10);
        switch (c.act) {
        case Act::Close: window.close(); break;
        case Act::Open: window.Open1Click(); break;
        case Act::Recent: window.RecentItems()[1]->trigger(); break;
        }
        ASSERT_EQ(f.save_questions, std::vector<std::string>{"Save changes to first.ini?"});
        EXPECT_EQ(Tile2InFile(f), c.saved_tile);
        if (c.act == Act::Close) {
            EXPECT_EQ(window.isVisible(), !c.goes_on);
        } else if (c.act == Act::Open) {
            EXPECT_EQ(dialog_shown, c.goes_on);
        } else {
            EXPECT_EQ(window.State().current_file, c.goes_on ? other : first);
        }
        if (!c.goes_on) {
            EXPECT_EQ(window.Tile(2)->text(), QStringLiteral("uP1"));
        }
    }

    // Nothing unsaved: nothing asked.
    WindowFixture f;
    TMainForm& window = StartEdited(f);
    window.Save1Click();
    window.show();
    window.close();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(f.save_questions.empty());
}

// Ctrl+S without a file name runs "Save As"; a set-up read from the controller and never saved
// counts as unsaved even when it equals what the editor started with.
TEST(Unsaved, SaveWithoutANameAndAReadFromTheController)
{
    WindowFixture f;
    kpxsim::Simulator sim;  // holds the factory defaults, as the editor starts
    const ScopedEnvironment port(PortVariable(5), sim.SlavePath());
    WindowSetup setup;
    setup.transport = TransportKind::SerialPort;
    TMainForm& window = f.Start(setup);
    window.sePort()->setValue(5);
    window.Readsettings1Click();
    ASSERT_TRUE(WaitUntilDeviceIdle(window));
    EXPECT_EQ(window.History().Stack().count(), 0);  // nothing changed in the set-up
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("Untitled* \u2014 ") + kBase));

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QString chosen = QString::fromStdString(f.folder() / "read.ini");
    WhenDialogOpens(window, "sdialog", [chosen](QFileDialog& dialog) {
        dialog.selectFile(chosen);
        static_cast<QDialog&>(dialog).accept();
    });
    QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(window.State().current_file, f.folder() / "read.ini");
    EXPECT_TRUE(window.windowTitle().startsWith(QStringLiteral("read.ini \u2014 ") + kBase));
    window.close();
    EXPECT_TRUE(f.save_questions.empty());
}

// The question as the user meets it: a box naming the file with Save, Discard and Cancel.
TEST(Unsaved, TheQuestionIsABoxWithThreeAnswers)
{
    WindowFixture f;
    WindowSetup setup;
    setup.save_question_box = true;
    TMainForm& window = StartEdited(f, setup);
    window.show();
    QString text;
    QTimer::singleShot(0, &window, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->objectName(), QStringLiteral("SaveChangesBox"));
        text = box->text();
        EXPECT_NE(box->button(QMessageBox::Save), nullptr);
        EXPECT_NE(box->button(QMessageBox::Discard), nullptr);
        box->button(QMessageBox::Cancel)->click();
    });
    f.Action("Quit1")->trigger();
    EXPECT_EQ(text, QStringLiteral("Save changes to first.ini?"));
    EXPECT_TRUE(window.isVisible());
}

}  // namespace
}  // namespace orvel::testing
