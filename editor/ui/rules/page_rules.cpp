#include "ui/rules/page_rules.h"

#include <cstdio>

namespace orvel {

PageTransferState TransferStateOfPage(Page page)
{
    switch (page) {
    case Page::Settings: return {false, true, false};
    case Page::Presets: return {true, false, false};
    case Page::Preview: return {false, false, true};
    // The library works on files alone: no transfer item, no preview.
    case Page::Library: return {false, false, false};
    }
    return {};
}

PageTransferState TransferStateOfPageIndex(int index)
{
    switch (index) {
    case static_cast<int>(Page::Settings): return TransferStateOfPage(Page::Settings);
    case static_cast<int>(Page::Presets): return TransferStateOfPage(Page::Presets);
    case static_cast<int>(Page::Preview): return TransferStateOfPage(Page::Preview);
    case static_cast<int>(Page::Library): return TransferStateOfPage(Page::Library);
    default: return {};
    }
}

TransferCaptions TransferCaptionsOfPreset(std::uint8_t preset_number)
{
    const int number = preset_number % 100;
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02d", number);
    const std::string bank = std::to_string(number / 10);
    return {std::string(kDataTransferWriteBankPrefix) + bank, std::string(kDataTransferReadBankPrefix) + bank,
            std::string(kDataTransferWritePresetPrefix) + digits, std::string(kDataTransferReadPresetPrefix) + digits};
}

}  // namespace orvel
