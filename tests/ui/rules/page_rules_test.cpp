#include <gtest/gtest.h>

#include "ui/rules/page_rules.h"

namespace orvel {
namespace {

TEST(PageRule, EachPageEnablesItsOwnItems)
{
    EXPECT_EQ(TransferStateOfPage(Page::Settings), (PageTransferState{false, true, false}));
    EXPECT_EQ(TransferStateOfPage(Page::Presets), (PageTransferState{true, false, false}));
    EXPECT_EQ(TransferStateOfPage(Page::Preview), (PageTransferState{false, false, true}));
    EXPECT_EQ(TransferStateOfPageIndex(0), TransferStateOfPage(Page::Settings));
    EXPECT_EQ(TransferStateOfPageIndex(1), TransferStateOfPage(Page::Presets));
    EXPECT_EQ(TransferStateOfPageIndex(2), TransferStateOfPage(Page::Preview));
    EXPECT_EQ(TransferStateOfPageIndex(-1), (PageTransferState{false, false, false}));
    EXPECT_EQ(TransferStateOfPageIndex(3), (PageTransferState{false, false, false}));
}

TEST(TransferCaptions, CarryTheBankDigitAndTwoPresetDigits)
{
    EXPECT_EQ(TransferCaptionsOfPreset(11),
              (TransferCaptions{"Write bank 1", "Read bank 1", "Write preset 11", "Read preset 11"}));
    EXPECT_EQ(TransferCaptionsOfPreset(37),
              (TransferCaptions{"Write bank 3", "Read bank 3", "Write preset 37", "Read preset 37"}));
    EXPECT_EQ(TransferCaptionsOfPreset(5),
              (TransferCaptions{"Write bank 0", "Read bank 0", "Write preset 05", "Read preset 05"}));
    EXPECT_EQ(TransferCaptionsOfPreset(0).write_preset, "Write preset 00");
}

}  // namespace
}  // namespace orvel
