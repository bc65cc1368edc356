#include "ui/rules/preset_grid_sizes.h"

#include "model/model_constants.h"
#include "ui/rules/window_layout.h"

namespace orvel {

int ColumnWidthPixels(int column, int screen_width)
{
    if (column < 0 || column >= kColumnCount) return 0;
    return static_cast<int>(RoundRatio(std::int64_t{kColumnWidthUnits[column]} * screen_width, kDesignWidth));
}

int GridWidthPixels(int screen_width)
{
    int width = kGridExtraWidth;
    for (int column = 0; column < kColumnCount; ++column) width += ColumnWidthPixels(column, screen_width);
    return width;
}

int RowHeightFactor(int screen_height)
{
    return static_cast<int>(RoundRatio(screen_height, kDesignHeight));
}

int RowHeightPixels(int table_row, int screen_height)
{
    int design = kPresetRowDesignHeight;
    if (table_row == 0) design = kHeaderRow0DesignHeight;
    if (table_row == 1) design = kHeaderRow1DesignHeight;
    return design * RowHeightFactor(screen_height);
}

}  // namespace orvel
