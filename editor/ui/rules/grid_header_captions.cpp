#include "ui/rules/grid_header_captions.h"

namespace orvel {

namespace {

HeaderCaption Caption(int row, int column, int rows, int columns, std::string_view text, bool turned = false)
{
    return HeaderCaption{CellSpan{row, column, rows, columns}, std::string(text), turned};
}

}  // namespace

std::vector<HeaderCaption> HeaderCaptions()
{
    std::vector<HeaderCaption> captions = {
        Caption(0, kColumnBank, 2, 1, kCaptionBank),
        Caption(0, kColumnPreset, 2, 1, kCaptionPreset),
        Caption(0, kColumnModifier, 2, 1, kCaptionModifier),
        Caption(0, kColumnName, 2, 1, kCaptionName),
        Caption(0, kColumnBuffer, 2, 1, kCaptionBuffer, true),
        Caption(0, kFirstLoopColumn, 1, kLoopCount, kCaptionLoop),
        Caption(0, kFirstSwitchColumn, 1, kSwitchCount, kCaptionSwitch),
        Caption(0, kColumnMidi1, 1, 1, kCaptionMidi1),
        Caption(0, kColumnMidi2, 1, 1, kCaptionMidi2),
        Caption(0, kColumnMidi3Program, 1, 1 + kControlCount, kCaptionMidi3),
        Caption(0, kFirstAuxColumn, 1, kAuxCount, kCaptionAux),
    };
    for (int i = 0; i < kLoopCount; ++i)
        captions.push_back(Caption(1, kFirstLoopColumn + i, 1, 1, std::to_string(i + 1)));
    for (int i = 0; i < kSwitchCount; ++i)
        captions.push_back(Caption(1, kFirstSwitchColumn + i, 1, 1, std::to_string(i + 1)));
    for (int column : {kColumnMidi1, kColumnMidi2, kColumnMidi3Program})
        captions.push_back(Caption(1, column, 1, 1, kCaptionProgram));
    captions.push_back(Caption(1, kFirstControlColumn, 1, 1, kCaptionControl1));
    captions.push_back(Caption(1, kFirstControlColumn + 1, 1, 1, kCaptionControl2));
    captions.push_back(Caption(1, kFirstControlColumn + 2, 1, 1, kCaptionControl3));
    captions.push_back(Caption(1, kFirstControlColumn + 3, 1, 4, kCaptionControls4To7));
    for (int i = 0; i < kAuxCount; ++i)
        captions.push_back(Caption(1, kFirstAuxColumn + i, 1, 1, std::to_string(i + 1)));
    return captions;
}

const HeaderCaption* HeaderCaptionAt(int row, int column)
{
    static const std::vector<HeaderCaption> captions = HeaderCaptions();
    for (const HeaderCaption& caption : captions) {
        if (caption.span.row == row && caption.span.column == column) return &caption;
    }
    return nullptr;
}

std::vector<CellSpan> MergedCells()
{
    std::vector<CellSpan> spans;
    for (const HeaderCaption& caption : HeaderCaptions()) {
        if (caption.span.rows > 1 || caption.span.columns > 1) spans.push_back(caption.span);
    }
    for (int bank = 0; bank < kBankCount; ++bank)
        spans.push_back(CellSpan{kHeaderRowCount + bank * kPresetsPerBank, kColumnBank, kPresetsPerBank, 1});
    return spans;
}

}  // namespace orvel
