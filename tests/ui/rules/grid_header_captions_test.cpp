#include "ui/rules/grid_header_captions.h"

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "model/entry_rules.h"
#include "ui/rules/grid_tooltips.h"

namespace orvel {
namespace {

TEST(PresetGridLayout, HeaderCaptions)
{
    auto text = [](int row, int column) {
        const HeaderCaption* caption = HeaderCaptionAt(row, column);
        return caption != nullptr ? caption->text : "(none)";
    };
    EXPECT_EQ(text(0, 4), "BUFFER");
    EXPECT_EQ(text(0, 17), "MIDI3");
    EXPECT_EQ(text(1, 15), "Prog\rChang");
    EXPECT_EQ(text(1, 20), "Ctrl\r3");
    EXPECT_EQ(text(1, 26), "2");
    EXPECT_EQ(text(0, 6), "(none)");  // inside the LOOP block
    EXPECT_EQ(text(2, 3), "(none)");  // a preset row
    const std::string second_line = std::string(6, ' ') + "4" + std::string(13, ' ') + "5" + std::string(14, ' ') +
                                    "6" + std::string(12, ' ') + "7" + std::string(5, ' ');
    EXPECT_EQ(text(1, 21), "Ctrl or Prog Chang\r" + second_line);

    std::vector<std::string> turned;
    for (const HeaderCaption& caption : HeaderCaptions()) {
        if (caption.turned) turned.push_back(caption.text);
    }
    EXPECT_EQ(turned, std::vector<std::string>{"BUFFER"});
}

TEST(PresetGridLayout, MergedCells)
{
    const std::vector<CellSpan> spans = MergedCells();
    auto has = [&](CellSpan span) { return std::find(spans.begin(), spans.end(), span) != spans.end(); };
    EXPECT_TRUE(has({0, 0, 2, 1}));      // B
    EXPECT_TRUE(has({0, 4, 2, 1}));      // BUFFER
    EXPECT_TRUE(has({0, 5, 1, 6}));      // LOOP
    EXPECT_TRUE(has({0, 11, 1, 4}));     // SWITCH
    EXPECT_TRUE(has({0, 17, 1, 8}));     // MIDI3
    EXPECT_TRUE(has({1, 21, 1, 4}));     // controls 4-7
    EXPECT_TRUE(has({0, 25, 1, 2}));     // AUX
    EXPECT_TRUE(has({2, 0, 10, 1}));     // bank 1
    EXPECT_TRUE(has({92, 0, 10, 1}));    // bank 0
    EXPECT_FALSE(has({0, 15, 2, 1}));    // MIDI1 has its own caption below
    EXPECT_EQ(spans.size(), 10u + 10u);  // ten header blocks, ten banks
}

// Every caption has a tooltip, and those over values name what the column takes in the
// words its refusals use.
TEST(PresetGridLayout, EveryHeaderCellHasATooltipNamingItsValues)
{
    for (const HeaderCaption& caption : HeaderCaptions())
        for (int row = caption.span.row; row < caption.span.row + caption.span.rows; ++row)
            for (int column = caption.span.column; column < caption.span.column + caption.span.columns; ++column)
                EXPECT_FALSE(HeaderTooltipAt(row, column).empty()) << row << "," << column;
    for (int column :
         {kColumnModifier, kColumnMidi1, kColumnMidi2, kColumnMidi3Program, kFirstControlColumn, kLastControlColumn}) {
        const std::string accepted = PresetEntryRule(column).accepted;
        EXPECT_NE(HeaderTooltipAt(1, column).find(accepted), std::string_view::npos) << column << ": " << accepted;
    }
    EXPECT_TRUE(HeaderTooltipAt(2, kColumnMidi1).empty());  // preset rows have none
}

}  // namespace
}  // namespace orvel
