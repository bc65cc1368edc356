// The layout rules of the main window: the window is drawn for a 1024 x 768 screen and
// scaled to the real one. Horizontal sizes scale with W / 1024, vertical ones with H / 768,
// fonts with (96 / dots per inch) x W / 1024. Every computed size is rounded to the nearest
// whole pixel or point, halves to the even number. Plain functions, no toolkit.
#pragma once

#include <array>
#include <cstdint>

namespace orvel {

// The design screen the window is drawn for, and the dots per inch its fonts are given at.
inline constexpr int kDesignWidth = 1024;
inline constexpr int kDesignHeight = 768;
inline constexpr int kDesignDpi = 96;

// The picture of the controller: 1024 x 284 design pixels, shown stretched.
inline constexpr int kPictureDesignWidth = 1024;
inline constexpr int kPictureDesignHeight = 284;

struct ScreenSize {
    int width = kDesignWidth;
    int height = kDesignHeight;

    bool operator==(const ScreenSize&) const = default;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }    // one past the last column
    int bottom() const { return y + height; }  // one past the last row
    bool operator==(const PixelRect&) const = default;
};

// numerator / denominator rounded to the nearest whole number, halves to the even one.
// The denominator must be positive.
std::int64_t RoundRatio(std::int64_t numerator, std::int64_t denominator);

// A value rounded to the nearest whole number, halves to the even one.
int RoundHalfEven(double value);

// A horizontal design size on this screen: d x W / 1024.
int ScaleHorizontal(int design, const ScreenSize& screen);

// A vertical design size on this screen: d x H / 768.
int ScaleVertical(int design, const ScreenSize& screen);

// A font of `points` design points on this screen: points x (96 / dpi) x W / 1024.
int ScaleFontPoints(double points, double dpi, int screen_width);

// The window and the parts that are sized from it.
struct WindowLayout {
    PixelRect window;           // on the screen, from the screen's top-left corner
    int toolbar_height = 0;     // the toolbar spans the window's width
    int status_bar_height = 0;  // so does the status bar
    PixelRect progress_bar;     // inside the toolbar, from its top-left corner
    PixelRect pages;            // inside the window, from its top-left corner
};

// 0.95 W x 0.95 H, centred; toolbar 0.05 and status bar 0.03 of the window's height; the
// progress bar 201 x 16 scaled, its right end 100 x W / 1024 left of the toolbar's right end,
// centred on the toolbar; the pages 0.98 of the window wide and centred, as high as the
// window less the status bar and three toolbars, their top at (status bar + 2 toolbars) / 2.
WindowLayout LayOutWindow(const ScreenSize& screen);

// The picture of the controller's width: (page width - 10) x W / 1024, less 10 pixels at
// a time until it fits the page.
int PictureWidth(int page_width, int screen_width);

// Heights of the controller picture (284 / 1024 of its width) and of the preview picture
// (0.3123188 of its width).
int PictureHeight(int picture_width);
int PreviewHeight(int picture_width);

// The steps that move the tiles with the screen: a = 0 to 3 by width, b = 0 to 2 by height.
int TileStepA(int screen_width);
int TileStepB(int screen_height);

// A tile's side: 44 x (96 / dpi) x W / 1024.
int TileSize(double dpi, int screen_width);

// Tile N's (1 to 8) corner, in picture pixels before scaling (a and b applied).
struct DesignPoint {
    int x = 0;
    int y = 0;
    bool operator==(const DesignPoint&) const = default;
};
DesignPoint TileDesignCorner(int tile, const ScreenSize& screen);

// The "Settings" page's parts, inside the page.
struct SettingsPageLayout {
    PixelRect picture;               // the controller, at the page's left edge
    PixelRect preview;               // the preview picture, same place and width
    std::array<PixelRect, 8> tiles;  // asg1 to asg8 over the picture's footswitches
    PixelRect setup_grid;            // aSetup, centred, below the picture; its rows + 10
                                     // pixels high as its columns + 10 are wide
    int setup_column_width = 0;
    int setup_row_height = 0;
    int port_label_x = 0;  // "Port", 10 pixels right of the picture's left edge
    int port_top = 0;      // the label and the box share the grid's top
};
SettingsPageLayout LayOutSettingsPage(const ScreenSize& screen, int page_width, double dpi);

// The port box's left edge: 20 pixels right of the "Port" label's right end.
int PortBoxLeft(int port_label_x, int port_label_width);

// The preset grid's place: as wide as its columns + 26 pixels (preset_grid_sizes.h), 0.9 of
// the page high, centred on the page.
PixelRect PresetGridRect(const ScreenSize& screen, int page_width, int page_height);

// The preset grid's font. Its rows grow by whole steps only (H / 768 rounded), so its font
// scales by that step where the width would make it larger: points x (96 / dpi) x the
// smaller of W / 1024 and the row step. Its texts then always fit their rows.
int PresetGridFontPoints(double points, double dpi, const ScreenSize& screen);

}  // namespace orvel
