#include "ui/rules/drop_down_sizes.h"

#include <gtest/gtest.h>

#include "model/model_constants.h"
#include "model/settings_entry.h"

namespace orvel {
namespace {

TEST(DropDownSizes, ShortListsShowEverythingLongOnesScroll)
{
    EXPECT_EQ(PresetDropDownVisibleItems(EditorOfColumn(kColumnModifier)), 4);
    EXPECT_EQ(PresetDropDownVisibleItems(EditorOfColumn(kColumnMidi1)), 20);
    EXPECT_EQ(PresetDropDownVisibleItems(EditorOfColumn(kLastControlColumn)), 20);

    EXPECT_EQ(SettingsEditorOfColumn(2).items.size(), 16u);  // all sixteen channels at once
    EXPECT_EQ(SettingsDropDownVisibleItems(2), 16);
    EXPECT_EQ(SettingsDropDownVisibleItems(3), 10);  // first CTRL number column
    EXPECT_EQ(SettingsDropDownVisibleItems(9), 10);
}

}  // namespace
}  // namespace orvel
