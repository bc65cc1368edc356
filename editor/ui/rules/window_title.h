// The window's title: the base title with the version of the firmware image the editor can
// upload, and the spacing that puts a right-hand text at the title bar's right end.
// Plain functions, no toolkit.
#pragma once

#include <optional>
#include <string>

namespace orvel {

// The name a set-up without a preset file goes by, in the title and the save question.
inline constexpr const char* kUntitledName = "Untitled";

// "Orvel version " and the editor's version (kVersionText), followed by " / " and the image's version when there is
// one.
std::string BaseTitle(const std::optional<std::string>& image_version);

// The title's left text: the preset file's name (as shown: its last part) with "*" while
// the set-up differs from it, " — " and the base title. A set-up without a file shows the
// base title alone until it holds something unsaved, then kUntitledName with the mark.
std::string DocumentTitle(const std::string& file_name, bool unsaved, const std::string& base_title);

// The question before unsaved changes would be dropped: "Save changes to first.ini?",
// in a box with this caption.
inline constexpr const char* kSaveChangesCaption = "Unsaved changes";
std::string SaveChangesQuestion(const std::string& file_name);

// How many spaces join a left and a right title text so that the right one ends near the
// title bar's right end: k = (available - text width) div space width, less 9 when above
// 10; a k of 3 or less gives one space. All widths in pixels; a space width of 0 or less
// gives one space.
int CaptionSpaceCount(int available_width, int texts_width, int space_width);

}  // namespace orvel
