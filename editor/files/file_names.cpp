#include "files/file_names.h"

#include "files/file_constants.h"

namespace orvel {

std::string WithIniExtension(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    const std::size_t name_start = slash == std::string_view::npos ? 0 : slash + 1;
    const std::size_t dot = path.find_last_of('.');
    if (dot != std::string_view::npos && dot >= name_start) path = path.substr(0, dot);
    std::string result(path);
    result += kIniExtension;
    return result;
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

}  // namespace orvel
