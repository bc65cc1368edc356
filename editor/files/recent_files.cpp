#include "files/recent_files.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <system_error>

#include "files/file_constants.h"
#include "files/file_io.h"
#include "files/file_names.h"
#include "files/ini_document.h"

namespace orvel {

namespace {

const std::string kRecentSectionName(kRecentSection);

std::string Key(std::size_t index)
{
    return std::string(kRecentKeyPrefix) + std::to_string(index + 1);
}

std::string AbsolutePath(std::string_view path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), error);
    if (error) return std::string(path);
    return absolute.lexically_normal().string();
}

}  // namespace

void AddRecentFile(RecentFiles& list, std::string_view path)
{
    if (path.empty() || path.find_first_of("\r\n") != std::string_view::npos) return;
    const std::string entry = AbsolutePath(path);
    RemoveRecentFile(list, entry);
    list.insert(list.begin(), entry);
    if (list.size() > kRecentFileCount) list.resize(kRecentFileCount);
}

bool RemoveRecentFile(RecentFiles& list, std::string_view path)
{
    const auto found = std::find(list.begin(), list.end(), path);
    if (found == list.end()) return false;
    list.erase(found);
    return true;
}

std::string RecentFileMissingText(std::string_view path)
{
    return "The file \"" + std::string(path) + "\" no longer exists. It was taken off the recent files.";
}

std::string RecentFilesPath(const std::string& user_folder)
{
    return user_folder.empty() ? std::string() : JoinPath(user_folder, kRecentFilesName);
}

RecentFiles LoadRecentFiles(const std::string& user_folder)
{
    RecentFiles list;
    const std::string path = RecentFilesPath(user_folder);
    std::string text;
    if (path.empty() || ReadWholeFile(path, text).status != FileStatus::Done) return list;
    IniDocument ini;
    if (!ini.Parse(text)) return list;
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        const std::string entry = ini.Text(kRecentSectionName, Key(i), "");
        if (entry.empty() || std::find(list.begin(), list.end(), entry) != list.end()) continue;
        list.push_back(entry);
    }
    return list;
}

FileResult SaveRecentFiles(const std::string& user_folder, const RecentFiles& list)
{
    const std::string path = RecentFilesPath(user_folder);
    if (path.empty()) return SaveFailure(kRecentFilesName, kDetailNoConfigFolder);
    if (const FileResult made = MakeFolderFor(user_folder, path); made.status != FileStatus::Done) return made;
    IniDocument ini;
    std::string text;
    bool built = ini.Parse("");
    for (std::size_t i = 0; built && i < list.size() && i < kRecentFileCount; ++i)
        built = ini.SetText(kRecentSectionName, Key(i), list[i]);
    if (!built || !ini.Render(text)) return SaveFailure(path, SystemErrorText(ENOMEM));
    return ReplaceFileContents(path, text);
}

}  // namespace orvel
