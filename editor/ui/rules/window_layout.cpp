#include "ui/rules/window_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "model/settings_constants.h"
#include "ui/rules/preset_grid_sizes.h"

namespace orvel {

namespace {

// Proportions, as numerator and denominator so that the arithmetic stays exact.
constexpr int kPercent = 100;
constexpr int kWindowPercentOfScreen = 95;
constexpr int kToolbarPercentOfWindow = 5;
constexpr int kStatusBarPercentOfWindow = 3;
constexpr int kPagesPercentOfWindow = 98;
constexpr int kPresetGridTenthsOfPage = 9;

// Progress bar: design size, and the gap between its right end and the toolbar's.
constexpr int kProgressDesignWidth = 201;
constexpr int kProgressDesignHeight = 16;
constexpr int kProgressDesignRightGap = 100;

// Picture of the controller.
constexpr int kPictureMargin = 10;      // taken off the page width before scaling
constexpr int kPictureShrinkStep = 10;  // until it fits the page
constexpr int kPictureTop = 100;        // below the page's top

// The preview picture's place: the controller picture's, its height 0.3123188 of its width.
constexpr long long kPreviewHeightNumerator = 3123188;
constexpr long long kPreviewHeightDenominator = 10000000;

// Settings grid.
constexpr int kSetupGridDesignRowHeight = 24;
constexpr int kSetupGridDesignGapBelowPicture = 10;
constexpr int kPortLabelLeft = 10;  // right of the picture's left edge
constexpr int kPortBoxGap = 20;     // right of the "Port" label

// Option tiles.
constexpr int kTileDesignSize = 44;

// Tile N's design corner over the picture is (x + ax_N * a, y + by_N * b), in picture pixels
// that scale with W / 1024. The steps a and b grow with the screen (TileStepA, TileStepB).
struct TilePlace {
    int x;
    int y;
    int a_factor;
    int b_factor;
};
constexpr std::array<TilePlace, 8> kTilePlaces = {{
    {44, 193, 0, 1},
    {223, 193, 1, 1},
    {402, 193, 2, 1},
    {581, 193, 3, 1},
    {760, 193, 4, 1},
    {134, 61, 0, -1},
    {313, 61, 1, -1},
    {492, 61, 2, -1},
}};

// a = 0, 1, 2, 3 for W up to these widths and above; b = 0, 1, 2 for H up to these heights
// and above.
constexpr std::array<int, 3> kTileStepAWidths = {1199, 1599, 1819};
constexpr std::array<int, 2> kTileStepBHeights = {1199, 1539};

// The settings grid aSetup.
constexpr int kSetupColumnWidthUnits = 60;
constexpr int kSetupExtraWidthPixels = 10;

}  // namespace

std::int64_t RoundRatio(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {  // floor division
        remainder += denominator;
        --quotient;
    }
    const std::int64_t twice = 2 * remainder;
    if (twice > denominator || (twice == denominator && quotient % 2 != 0)) ++quotient;
    return quotient;
}

int RoundHalfEven(double value)
{
    const double below = std::floor(value);
    const double fraction = value - below;
    double result = below;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) result += 1.0;
    return static_cast<int>(result);
}

namespace {

int Ratio(std::int64_t numerator, std::int64_t denominator)
{
    return static_cast<int>(RoundRatio(numerator, denominator));
}

}  // namespace

int ScaleHorizontal(int design, const ScreenSize& screen)
{
    return Ratio(std::int64_t{design} * screen.width, kDesignWidth);
}

int ScaleVertical(int design, const ScreenSize& screen)
{
    return Ratio(std::int64_t{design} * screen.height, kDesignHeight);
}

int ScaleFontPoints(double points, double dpi, int screen_width)
{
    if (dpi <= 0) dpi = kDesignDpi;
    return RoundHalfEven(points * (kDesignDpi / dpi) * screen_width / kDesignWidth);
}

WindowLayout LayOutWindow(const ScreenSize& screen)
{
    WindowLayout layout;
    PixelRect& window = layout.window;
    window.width = Ratio(std::int64_t{screen.width} * kWindowPercentOfScreen, kPercent);
    window.height = Ratio(std::int64_t{screen.height} * kWindowPercentOfScreen, kPercent);
    window.x = Ratio(screen.width - window.width, 2);
    window.y = Ratio(screen.height - window.height, 2);

    layout.toolbar_height = Ratio(std::int64_t{window.height} * kToolbarPercentOfWindow, kPercent);
    layout.status_bar_height = Ratio(std::int64_t{window.height} * kStatusBarPercentOfWindow, kPercent);

    PixelRect& progress = layout.progress_bar;
    progress.width = ScaleHorizontal(kProgressDesignWidth, screen);
    progress.height = ScaleVertical(kProgressDesignHeight, screen);
    progress.x = window.width - ScaleHorizontal(kProgressDesignRightGap, screen) - progress.width;
    progress.y = Ratio(layout.toolbar_height - progress.height, 2);

    PixelRect& pages = layout.pages;
    pages.width = Ratio(std::int64_t{window.width} * kPagesPercentOfWindow, kPercent);
    pages.x = Ratio(window.width - pages.width, 2);
    pages.height = window.height - layout.status_bar_height - 3 * layout.toolbar_height;
    pages.y = Ratio(layout.status_bar_height + 2 * layout.toolbar_height, 2);
    return layout;
}

int PictureWidth(int page_width, int screen_width)
{
    int width = Ratio(std::int64_t{page_width - kPictureMargin} * screen_width, kDesignWidth);
    while (width > page_width && width > 0) width -= kPictureShrinkStep;
    return width;
}

int PictureHeight(int picture_width)
{
    return Ratio(std::int64_t{picture_width} * kPictureDesignHeight, kPictureDesignWidth);
}

int PreviewHeight(int picture_width)
{
    return Ratio(picture_width * kPreviewHeightNumerator, kPreviewHeightDenominator);
}

int TileStepA(int screen_width)
{
    int step = 0;
    for (int limit : kTileStepAWidths)
        if (screen_width > limit) ++step;
    return step;
}

int TileStepB(int screen_height)
{
    int step = 0;
    for (int limit : kTileStepBHeights)
        if (screen_height > limit) ++step;
    return step;
}

int TileSize(double dpi, int screen_width)
{
    return ScaleFontPoints(kTileDesignSize, dpi, screen_width);  // scaled exactly like a font
}

DesignPoint TileDesignCorner(int tile, const ScreenSize& screen)
{
    if (tile < 1 || tile > static_cast<int>(kTilePlaces.size())) return {};
    const TilePlace& place = kTilePlaces[static_cast<std::size_t>(tile - 1)];
    return {place.x + place.a_factor * TileStepA(screen.width), place.y + place.b_factor * TileStepB(screen.height)};
}

SettingsPageLayout LayOutSettingsPage(const ScreenSize& screen, int page_width, double dpi)
{
    SettingsPageLayout layout;
    layout.picture.width = PictureWidth(page_width, screen.width);
    layout.picture.height = PictureHeight(layout.picture.width);
    layout.picture.y = kPictureTop;

    layout.preview = layout.picture;
    layout.preview.height = PreviewHeight(layout.preview.width);

    const int tile_size = TileSize(dpi, screen.width);
    for (int tile = 1; tile <= static_cast<int>(layout.tiles.size()); ++tile) {
        const DesignPoint corner = TileDesignCorner(tile, screen);
        layout.tiles[static_cast<std::size_t>(tile - 1)] = {layout.picture.x + ScaleHorizontal(corner.x, screen),
                                                            layout.picture.y + ScaleHorizontal(corner.y, screen),
                                                            tile_size, tile_size};
    }

    layout.setup_column_width = ScaleHorizontal(kSetupColumnWidthUnits, screen);
    layout.setup_row_height = ScaleVertical(kSetupGridDesignRowHeight, screen);
    PixelRect& grid = layout.setup_grid;
    grid.width = kSetupColumnCount * layout.setup_column_width + kSetupExtraWidthPixels;
    grid.height = kSetupRowCount * layout.setup_row_height + kSetupExtraWidthPixels;
    grid.x = Ratio(page_width - grid.width, 2);
    grid.y = layout.picture.bottom() + ScaleVertical(kSetupGridDesignGapBelowPicture, screen);

    layout.port_label_x = layout.picture.x + kPortLabelLeft;
    layout.port_top = grid.y;
    return layout;
}

int PortBoxLeft(int port_label_x, int port_label_width)
{
    return port_label_x + port_label_width + kPortBoxGap;
}

PixelRect PresetGridRect(const ScreenSize& screen, int page_width, int page_height)
{
    PixelRect grid;
    grid.width = GridWidthPixels(screen.width);
    grid.height = Ratio(std::int64_t{page_height} * kPresetGridTenthsOfPage, 10);
    grid.x = Ratio(page_width - grid.width, 2);
    grid.y = Ratio(page_height - grid.height, 2);
    return grid;
}

int PresetGridFontPoints(double points, double dpi, const ScreenSize& screen)
{
    if (dpi <= 0) dpi = kDesignDpi;
    const double width_scale = static_cast<double>(screen.width) / kDesignWidth;
    const double row_step = std::max(1, RowHeightFactor(screen.height));
    return RoundHalfEven(points * (kDesignDpi / dpi) * std::min(width_scale, row_step));
}

}  // namespace orvel
