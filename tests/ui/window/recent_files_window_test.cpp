// The File menu's recent files: opening and saving put a file on top, eight at most, kept
// in the user's folder; a file that is gone is taken off with a message naming it.
#include <filesystem>

#include <QAction>
#include <QFile>
#include <gtest/gtest.h>

#include "tests/support/window_test_support.h"

namespace orvel {
namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

TEST(RecentFilesMenu, OpenAndSaveListTheNewestFirstUpToEight)
{
    testing::WindowFixture f;
    TMainForm& window = f.Start();
    EXPECT_TRUE(window.Recent().empty());
    EXPECT_FALSE(window.RecentItems()[0]->isVisible());

    for (int i = 1; i <= 9; ++i) window.SaveFileAs(Q(f.folder() / ("set" + std::to_string(i))));
    ASSERT_EQ(window.Recent().size(), 8u);
    EXPECT_EQ(window.Recent()[0], f.folder() / "set9.ini");
    EXPECT_EQ(window.Recent()[7], f.folder() / "set2.ini");
    EXPECT_TRUE(window.RecentItems()[7]->isVisible());
    EXPECT_EQ(window.RecentItems()[0]->text(), Q("&1 " + f.folder() / "set9.ini"));
    EXPECT_TRUE(std::filesystem::exists(f.folder() / "user/recent.ini"));

    // Choosing one opens it as Open does and puts it on top.
    window.State().table.SetText(TableRowOfPreset(4), kColumnName, "Changed");
    window.RecentItems()[3]->trigger();
    EXPECT_EQ(window.State().current_file, f.folder() / "set6.ini");
    EXPECT_EQ(window.State().table.Cell(TableRowOfPreset(4), kColumnName).text, "");
    EXPECT_EQ(window.Recent()[0], f.folder() / "set6.ini");
    EXPECT_EQ(window.Recent()[1], f.folder() / "set9.ini");
    EXPECT_TRUE(f.messages().shown.empty());

    // A plain Save counts too; a failed one does not.
    window.SaveFileAs(Q(f.folder() / "set3"));
    window.Save1Click();
    EXPECT_EQ(window.Recent()[0], f.folder() / "set3.ini");
    window.SaveFileAs(Q(f.folder() / "no-such-folder/x.ini"));
    EXPECT_EQ(window.Recent()[0], f.folder() / "set3.ini");
}

TEST(RecentFilesMenu, AFileThatIsGoneIsTakenOffWithAMessage)
{
    testing::WindowFixture f;
    TMainForm& window = f.Start();
    window.SaveFileAs(Q(f.folder() / "old"));
    window.SaveFileAs(Q(f.folder() / "kept"));
    ASSERT_EQ(window.Recent().size(), 2u);
    std::filesystem::remove(f.folder() / "old.ini");

    window.RecentItems()[1]->trigger();
    ASSERT_EQ(f.messages().shown.size(), 1u);
    EXPECT_EQ(f.messages().shown[0].text,
              "The file \"" + f.folder() / "old.ini" + "\" no longer exists. It was taken off the recent files.");
    EXPECT_EQ(window.Recent(), (RecentFiles{f.folder() / "kept.ini"}));
    EXPECT_FALSE(window.RecentItems()[1]->isVisible());
    EXPECT_EQ(window.State().current_file, f.folder() / "kept.ini");
    EXPECT_EQ(LoadRecentFiles(f.folder() / "user"), window.Recent());
}

}  // namespace
}  // namespace orvel
