#include "model/preset_grid_sizes.h"

#include "model/model_constants.h"

namespace orvel {

namespace {

constexpr int kDesignScreenWidth = 1024;
constexpr int kDesignScreenHeight = 768;

}  // namespace

int RoundHalfEven(long long numerator, long long denominator)
{
    const long long quotient = numerator / denominator;
    const long long twice_rest = 2 * (numerator % denominator);
    if (twice_rest > denominator || (twice_rest == denominator && quotient % 2 != 0))
        return static_cast<int>(quotient + 1);
    return static_cast<int>(quotient);
}

int ColumnWidthPixels(int column, int screen_width)
{
    if (column < 0 || column >= kColumnCount) return 0;
    return RoundHalfEven(static_cast<long long>(kColumnWidthUnits[column]) * screen_width,
                         kDesignScreenWidth);
}

int GridWidthPixels(int screen_width)
{
    int width = kGridExtraWidth;
    for (int column = 0; column < kColumnCount; ++column) width += ColumnWidthPixels(column, screen_width);
    return width;
}

int RowHeightFactor(int screen_height)
{
    return RoundHalfEven(screen_height, kDesignScreenHeight);
}

int RowHeightPixels(int table_row, int screen_height)
{
    int design = kPresetRowDesignHeight;
    if (table_row == 0) design = kHeaderRow0DesignHeight;
    if (table_row == 1) design = kHeaderRow1DesignHeight;
    return design * RowHeightFactor(screen_height);
}

}  // namespace orvel
