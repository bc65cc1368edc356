#include "ui/rules/window_title.h"

#include "orvel/version.h"

namespace orvel {

namespace {

constexpr std::string_view kBaseTitlePrefix = "Orvel version ";
constexpr std::string_view kImageVersionSeparator = " / ";

}  // namespace

std::string BaseTitle(const std::optional<std::string>& image_version)
{
    std::string title = std::string(kBaseTitlePrefix) + std::string(kVersionText);
    if (image_version) title += std::string(kImageVersionSeparator) + *image_version;
    return title;
}

std::string DocumentTitle(const std::string& file_name, bool unsaved, const std::string& base_title)
{
    if (file_name.empty() && !unsaved) return base_title;
    return (file_name.empty() ? std::string(kUntitledName) : file_name) + (unsaved ? "*" : "") + " \u2014 " +
           base_title;
}

std::string SaveChangesQuestion(const std::string& file_name)
{
    return "Save changes to " + (file_name.empty() ? std::string(kUntitledName) : file_name) + "?";
}

int CaptionSpaceCount(int available_width, int texts_width, int space_width)
{
    if (space_width <= 0) return 1;
    int k = (available_width - texts_width) / space_width;  // truncating, as the width may be short
    if (k > 10) k -= 9;
    return k <= 3 ? 1 : k;
}

}  // namespace orvel
