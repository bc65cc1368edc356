// The window's title: the base title with the version of the firmware image the editor can
// upload, and the spacing that puts a right-hand text at the title bar's right end.
// Plain functions, no toolkit.
#pragma once

#include <optional>
#include <string>

namespace orvel {

// "Orvel version " and the editor's version (kVersionText), followed by " / " and the image's version when there is one.
std::string BaseTitle(const std::optional<std::string>& image_version);

// How many spaces join a left and a right title text so that the right one ends near the
// title bar's right end: k = (available - text width) div space width, less 9 when above
// 10; a k of 3 or less gives one space. All widths in pixels; a space width of 0 or less
// gives one space.
int CaptionSpaceCount(int available_width, int texts_width, int space_width);

}  // namespace orvel
