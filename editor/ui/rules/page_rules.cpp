#include "ui/rules/page_rules.h"

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

}  // namespace orvel
