// The outcome of reading or writing a file, with a reason the window can show.
#pragma once

#include <string>
#include <string_view>

namespace orvel {

enum class FileStatus {
    Done,      // read or written
    NotFound,  // nothing is at the path: nothing was read, nothing changed
    Failed,    // something went wrong; `reason` says what, and nothing changed
};

struct FileResult {
    FileStatus status = FileStatus::Done;
    std::string reason;  // empty unless Failed
};

// Cannot read "<path>": <detail>.
FileResult ReadFailure(std::string_view path, std::string_view detail);

// Cannot save "<path>": <detail>.
FileResult SaveFailure(std::string_view path, std::string_view detail);

// The system's words for an errno value (not a controller's code: see ReplyCodeText).
std::string SystemErrorText(int error_number);

}  // namespace orvel
