#include "ui/rules/window_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "ui/rules/preset_grid_sizes.h"
#include "model/settings_constants.h"

namespace orvel {

std::int64_t RoundRatio(std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {   // floor division
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
    return ScaleFontPoints(kTileDesignSize, dpi, screen_width);   // scaled exactly like a font
}

DesignPoint TileDesignCorner(int tile, const ScreenSize& screen)
{
    if (tile < 1 || tile > static_cast<int>(kTilePlaces.size())) return {};
    const TilePlace& place = kTilePlaces[static_cast<std::size_t>(tile - 1)];
    return {place.x + place.a_factor * TileStepA(screen.width),
            place.y + place.b_factor * TileStepB(screen.height)};
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
        layout.tiles[static_cast<std::size_t>(tile - 1)] = {
            layout.picture.x + ScaleHorizontal(corner.x, screen),
            layout.picture.y + ScaleHorizontal(corner.y, screen), tile_size, tile_size};
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
