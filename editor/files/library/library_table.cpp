#include "files/library/library_table.h"

#include "model/model_constants.h"

namespace orvel {

namespace {

constexpr std::string_view kFileCaption = "File";
constexpr std::string_view kNumberCaption = "No.";
constexpr char kFlagOff = '-';
constexpr char kBufferOn = 'x';

std::string FlagRunText(const LibraryPreset& preset, int first_bit, int count)
{
    std::string run;
    for (int i = 0; i < count; ++i) run += preset.Flag(first_bit + i) ? static_cast<char>('1' + i) : kFlagOff;
    return run;
}

}  // namespace

std::string TwoDigitNumber(int number)
{
    return std::string(1, static_cast<char>('0' + number / 10 % 10)) + static_cast<char>('0' + number % 10);
}

std::string LibraryColumnCaption(int column)
{
    switch (column) {
    case kLibraryColumnFile: return std::string(kFileCaption);
    case kLibraryColumnNumber: return std::string(kNumberCaption);
    case kLibraryColumnName: return std::string(kFieldName);
    case kLibraryColumnType: return std::string(kFieldModifier);
    case kLibraryColumnBuffer: return std::string(kFieldBuffer);
    case kLibraryColumnLoops: return std::string(kFieldLoop);
    case kLibraryColumnSwitches: return std::string(kFieldSwitch);
    case kLibraryColumnMidi1: return std::string(kFieldMidi1);
    case kLibraryColumnMidi2: return std::string(kFieldMidi2);
    case kLibraryColumnMidi3: return std::string(kFieldMidi3);
    case kLibraryColumnAux: return std::string(kFieldAux);
    default: break;
    }
    if (column >= kLibraryColumnFirstControl && column < kLibraryColumnAux)
        return std::string(kFieldControlPrefix) + std::to_string(column - kLibraryColumnFirstControl + 1);
    return {};
}

std::string LibraryCellText(const LibraryFile& file, const LibraryPreset& preset, int column)
{
    switch (column) {
    case kLibraryColumnFile: return file.shown_name;
    case kLibraryColumnNumber: return TwoDigitNumber(preset.number);
    case kLibraryColumnName: return preset.name;
    case kLibraryColumnType: return std::string(preset.Text(kLibraryTextType));
    case kLibraryColumnBuffer: return std::string(1, preset.Flag(kLibraryFlagBuffer) ? kBufferOn : kFlagOff);
    case kLibraryColumnLoops: return FlagRunText(preset, kLibraryFlagFirstLoop, kLoopCount);
    case kLibraryColumnSwitches: return FlagRunText(preset, kLibraryFlagFirstSwitch, kSwitchCount);
    case kLibraryColumnAux: return FlagRunText(preset, kLibraryFlagFirstAux, kAuxCount);
    default: break;
    }
    if (column >= kLibraryColumnMidi1 && column < kLibraryColumnAux)
        return std::string(preset.Text(kLibraryTextMidi1 + (column - kLibraryColumnMidi1)));
    return {};
}

}  // namespace orvel
