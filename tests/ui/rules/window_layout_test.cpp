#include "ui/rules/window_layout.h"

#include <gtest/gtest.h>

namespace orvel {
namespace {

constexpr ScreenSize kDesign{1024, 768};
constexpr ScreenSize kFullHd{1920, 1080};

TEST(Rounding, HalvesGoToTheEvenNumber)
{
    EXPECT_EQ(RoundRatio(1, 2), 0);
    EXPECT_EQ(RoundRatio(3, 2), 2);
    EXPECT_EQ(RoundRatio(5, 2), 2);
    EXPECT_EQ(RoundRatio(7, 2), 4);
    EXPECT_EQ(RoundRatio(-5, 2), -2);
    EXPECT_EQ(RoundRatio(-7, 2), -4);
    EXPECT_EQ(RoundRatio(1, 3), 0);
    EXPECT_EQ(RoundRatio(2, 3), 1);
    EXPECT_EQ(RoundRatio(-2, 3), -1);

    EXPECT_EQ(RoundHalfEven(0.5), 0);
    EXPECT_EQ(RoundHalfEven(1.5), 2);
    EXPECT_EQ(RoundHalfEven(82.5), 82);
    EXPECT_EQ(RoundHalfEven(82.500001), 83);
    EXPECT_EQ(RoundHalfEven(-1.5), -2);
    EXPECT_EQ(RoundHalfEven(35.2), 35);
}

TEST(WindowLayout, DesignScreen)
{
    const WindowLayout layout = LayOutWindow(kDesign);
    EXPECT_EQ(layout.window, (PixelRect{26, 19, 973, 730}));  // 972.8 x 729.6; 25.5 -> 26
    EXPECT_EQ(layout.toolbar_height, 36);                     // 36.5 -> 36
    EXPECT_EQ(layout.status_bar_height, 22);                  // 21.9
    EXPECT_EQ(layout.progress_bar, (PixelRect{672, 10, 201, 16}));
    EXPECT_EQ(layout.pages, (PixelRect{10, 47, 954, 600}));  // 953.54 wide, 9.5 -> 10 in
}

TEST(WindowLayout, FullHdScreen)
{
    const WindowLayout layout = LayOutWindow(kFullHd);
    EXPECT_EQ(layout.window, (PixelRect{48, 27, 1824, 1026}));
    EXPECT_EQ(layout.toolbar_height, 51);
    EXPECT_EQ(layout.status_bar_height, 31);
    // 376.875 x 22.5 -> 377 x 22, right end 187.5 -> 188 left of 1824, (51 - 22) / 2 = 14.5 -> 14
    EXPECT_EQ(layout.progress_bar, (PixelRect{1259, 14, 377, 22}));
    // 1787.52 wide; 1026 - 31 - 153 high; (31 + 102) / 2 = 66.5 -> 66
    EXPECT_EQ(layout.pages, (PixelRect{18, 66, 1788, 842}));
}

TEST(Pictures, ShrinkInStepsOfTenUntilTheyFitThePage)
{
    EXPECT_EQ(PictureWidth(954, 1024), 944);
    EXPECT_EQ(PictureWidth(1788, 1920), 1784);  // 3333.75 -> 3334, less 155 x 10
    EXPECT_EQ(PictureWidth(1000, 1024), 990);
    EXPECT_EQ(PictureHeight(944), 262);  // 261.8
    EXPECT_EQ(PictureHeight(1024), 284);
    EXPECT_EQ(PreviewHeight(944), 295);  // 294.8
    EXPECT_EQ(PreviewHeight(4140), 1293);
}

TEST(Tiles, StepsGrowWithTheScreen)
{
    EXPECT_EQ(TileStepA(1024), 0);
    EXPECT_EQ(TileStepA(1199), 0);
    EXPECT_EQ(TileStepA(1200), 1);
    EXPECT_EQ(TileStepA(1599), 1);
    EXPECT_EQ(TileStepA(1600), 2);
    EXPECT_EQ(TileStepA(1819), 2);
    EXPECT_EQ(TileStepA(1820), 3);
    EXPECT_EQ(TileStepB(1199), 0);
    EXPECT_EQ(TileStepB(1200), 1);
    EXPECT_EQ(TileStepB(1539), 1);
    EXPECT_EQ(TileStepB(1540), 2);
}

TEST(Tiles, DesignCornersOnTheDesignScreenAreTheTable)
{
    const DesignPoint expected[] = {{44, 193},  {223, 193}, {402, 193}, {581, 193},
                                    {760, 193}, {134, 61},  {313, 61},  {492, 61}};
    for (int tile = 1; tile <= 8; ++tile)
        EXPECT_EQ(TileDesignCorner(tile, kDesign), expected[tile - 1]) << "tile " << tile;
    EXPECT_EQ(TileDesignCorner(0, kDesign), DesignPoint{});
    EXPECT_EQ(TileDesignCorner(9, kDesign), DesignPoint{});
}

TEST(Tiles, DesignCornersMoveOnBigScreens)
{
    EXPECT_EQ(TileDesignCorner(2, kFullHd), (DesignPoint{226, 193}));
    EXPECT_EQ(TileDesignCorner(5, kFullHd), (DesignPoint{772, 193}));
    EXPECT_EQ(TileDesignCorner(8, kFullHd), (DesignPoint{498, 61}));
    const ScreenSize tall{1600, 1200};  // a = 2, b = 1
    EXPECT_EQ(TileDesignCorner(1, tall), (DesignPoint{44, 194}));
    EXPECT_EQ(TileDesignCorner(4, tall), (DesignPoint{587, 194}));
    EXPECT_EQ(TileDesignCorner(6, tall), (DesignPoint{134, 60}));
    const ScreenSize huge{2560, 1600};  // a = 3, b = 2
    EXPECT_EQ(TileDesignCorner(1, huge), (DesignPoint{44, 195}));
    EXPECT_EQ(TileDesignCorner(7, huge), (DesignPoint{316, 59}));
}

TEST(Tiles, StaySquareAndScaleLikeFonts)
{
    EXPECT_EQ(TileSize(96, 1024), 44);
    EXPECT_EQ(TileSize(96, 1920), 82);   // 82.5
    EXPECT_EQ(TileSize(120, 1024), 35);  // 35.2
    EXPECT_EQ(TileSize(192, 1920), 41);  // 41.25
    EXPECT_EQ(ScaleFontPoints(8, 96, 1920), 15);
    EXPECT_EQ(ScaleFontPoints(12, 144, 1024), 8);
}

TEST(SettingsPage, DesignScreen)
{
    const SettingsPageLayout page = LayOutSettingsPage(kDesign, 948, 96);
    EXPECT_EQ(page.picture, (PixelRect{0, 100, 938, 260}));
    EXPECT_EQ(page.preview, (PixelRect{0, 100, 938, 293}));
    EXPECT_EQ(page.tiles[0], (PixelRect{44, 293, 44, 44}));
    EXPECT_EQ(page.tiles[1], (PixelRect{223, 293, 44, 44}));
    EXPECT_EQ(page.tiles[4], (PixelRect{760, 293, 44, 44}));
    EXPECT_EQ(page.tiles[5], (PixelRect{134, 161, 44, 44}));
    EXPECT_EQ(page.tiles[7], (PixelRect{492, 161, 44, 44}));
    EXPECT_EQ(page.setup_column_width, 60);
    EXPECT_EQ(page.setup_row_height, 24);
    EXPECT_EQ(page.setup_grid, (PixelRect{169, 370, 610, 82}));  // 10 below the picture
    EXPECT_EQ(page.port_label_x, 10);
    EXPECT_EQ(page.port_top, 370);
    EXPECT_EQ(PortBoxLeft(page.port_label_x, 25), 55);
}

TEST(SettingsPage, FullHdScreen)
{
    const SettingsPageLayout page = LayOutSettingsPage(kFullHd, 1782, 96);
    EXPECT_EQ(page.picture, (PixelRect{0, 100, 1782, 494}));  // 3322.5 -> 3322, less 154 x 10
    // tile 2: 226 x 1.875 = 423.75, 193 x 1.875 = 361.875; 82.5 wide
    EXPECT_EQ(page.tiles[1], (PixelRect{424, 462, 82, 82}));
    // tile 5: 772 x 1.875 = 1447.5 -> 1448
    EXPECT_EQ(page.tiles[4], (PixelRect{1448, 462, 82, 82}));
    EXPECT_EQ(page.tiles[7], (PixelRect{934, 214, 82, 82}));
    EXPECT_EQ(page.setup_column_width, 112);                       // 112.5
    EXPECT_EQ(page.setup_row_height, 34);                          // 33.75
    EXPECT_EQ(page.setup_grid, (PixelRect{326, 608, 1130, 112}));  // 14.06 below the picture
}

TEST(PresetGrid, CentredOnThePageAtNineTenthsOfItsHeight)
{
    // 28 + 15 + 50 + 77 + 13 x 23 + 10 x 46 + 26 = 955, wider than the design page
    EXPECT_EQ(PresetGridRect(kDesign, 948, 570), (PixelRect{-4, 28, 955, 513}));
    // 52 + 28 + 94 + 144 + 13 x 43 + 10 x 86 + 26; (1782 - 1763) / 2 = 9.5 -> 10
    EXPECT_EQ(PresetGridRect(kFullHd, 1782, 800), (PixelRect{10, 40, 1763, 720}));
}

TEST(PresetGrid, FontGrowsNoFasterThanTheRows)
{
    EXPECT_EQ(PresetGridFontPoints(8, 96, kDesign), 8);
    EXPECT_EQ(PresetGridFontPoints(8, 96, kFullHd), 8);                  // rows keep their height
    EXPECT_EQ(PresetGridFontPoints(8, 96, ScreenSize{1920, 1200}), 15);  // rows doubled, 1.875 wide
    EXPECT_EQ(PresetGridFontPoints(8, 96, ScreenSize{2560, 1600}), 16);  // rows doubled, 2.5 wide
    EXPECT_EQ(PresetGridFontPoints(8, 96, ScreenSize{800, 600}), 6);     // 6.25
    EXPECT_EQ(PresetGridFontPoints(8, 120, ScreenSize{1024, 768}), 6);   // 6.4
}

}  // namespace
}  // namespace orvel
