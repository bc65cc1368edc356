// Whole-file reads and safe replacement of a file's contents.
#pragma once

#include <string>
#include <string_view>

#include "files/file_result.h"

namespace orvel {

// Whether a regular file (or a link to one) is at the path.
bool IsExistingFile(const std::string& path);

// Reads the whole file at the path into `contents`. NotFound when nothing is there (or the
// path is empty); Failed when something is there that cannot be read: no permission, a
// folder or another kind of non-regular file, a file over the size limit, a read error.
// `contents` is only changed on Done.
FileResult ReadWholeFile(const std::string& path, std::string& contents);

// Gives the file at the path new contents without ever leaving it half-written: the text
// goes to a new file beside it, is flushed to the disk and then renamed over the old one,
// which keeps its permissions. A link is followed, so the file it points to gets the text.
// On failure the old file is untouched, the new one removed, and the reason returned.
// A file that exists but may not be written is not replaced.
FileResult ReplaceFileContents(const std::string& path, std::string_view contents);

// Creates `folder`, and the folders above it, where the file at `path` is to be saved.
// Done when it is there; otherwise the save failure of that file, with the system's reason.
FileResult MakeFolderFor(const std::string& folder, const std::string& path);

// Whether ReplaceFileContents could give the file at the path new contents now: its checks,
// and a new file created beside it and removed again. Nothing at the path changes. Finds a
// destination that cannot be written before the work that would fill it.
FileResult CheckReplaceable(const std::string& path);

}  // namespace orvel
