#include "files/file_result.h"

#include <system_error>

#include "files/file_constants.h"

namespace orvel {

namespace {

FileResult Failure(std::string_view prefix, std::string_view path, std::string_view detail)
{
    std::string reason(prefix);
    reason += '"';
    reason += path;
    reason += "\": ";
    reason += detail;
    return FileResult{FileStatus::Failed, reason};
}

}  // namespace

FileResult ReadFailure(std::string_view path, std::string_view detail)
{
    return Failure(kReadFailedPrefix, path, detail);
}

FileResult SaveFailure(std::string_view path, std::string_view detail)
{
    return Failure(kSaveFailedPrefix, path, detail);
}

std::string SystemErrorText(int error_number)
{
    return std::error_code(error_number, std::generic_category()).message();
}

}  // namespace orvel
