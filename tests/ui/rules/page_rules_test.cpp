#include "ui/rules/page_rules.h"

#include <gtest/gtest.h>

#include "ui/rules/device_commands.h"

namespace orvel {
namespace {

TEST(PageRule, EachPageEnablesItsOwnItems)
{
    EXPECT_EQ(TransferStateOfPage(Page::Settings), (PageTransferState{false, true, false}));
    EXPECT_EQ(TransferStateOfPage(Page::Presets), (PageTransferState{true, false, false}));
    EXPECT_EQ(TransferStateOfPage(Page::Preview), (PageTransferState{false, false, true}));
    EXPECT_EQ(TransferStateOfPage(Page::Library), (PageTransferState{false, false, false}));
    EXPECT_EQ(TransferStateOfPageIndex(0), TransferStateOfPage(Page::Settings));
    EXPECT_EQ(TransferStateOfPageIndex(1), TransferStateOfPage(Page::Presets));
    EXPECT_EQ(TransferStateOfPageIndex(2), TransferStateOfPage(Page::Preview));
    EXPECT_EQ(TransferStateOfPageIndex(-1), (PageTransferState{false, false, false}));
    EXPECT_EQ(TransferStateOfPageIndex(3), TransferStateOfPage(Page::Library));
    EXPECT_EQ(TransferStateOfPageIndex(4), (PageTransferState{false, false, false}));
}

// The bank and preset commands carry the current row's bank digit or two preset digits, in
// their captions and their undo steps; the others their words alone.
TEST(DeviceCommands, CaptionsAndStepsCarryTheBankDigitOrTwoPresetDigits)
{
    const struct {
        DeviceCommand command;
        std::uint8_t preset;
        const char* caption;
        const char* step;
    } cases[] = {
        {DeviceCommand::WriteBank, 11, "Write bank 1", "write bank 1"},
        {DeviceCommand::ReadBank, 37, "Read bank 3", "read bank 3"},
        {DeviceCommand::ReadBank, 5, "Read bank 0", "read bank 0"},
        {DeviceCommand::WritePreset, 5, "Write preset 05", "write preset 05"},
        {DeviceCommand::ReadPreset, 0, "Read preset 00", "read preset 00"},
        {DeviceCommand::ReadAll, 37, "Read all presets", "read all presets"},
        {DeviceCommand::CheckDefault, 37, "Check &default", "check default"},
    };
    for (const auto& c : cases) {
        const DeviceCommandInfo& info = DeviceCommandOf(c.command);
        EXPECT_EQ(info.command, c.command);
        EXPECT_EQ(CommandCaptionFor(info, c.preset), c.caption);
        EXPECT_EQ(CommandStepFor(info, c.preset), c.step);
    }
}

}  // namespace
}  // namespace orvel
