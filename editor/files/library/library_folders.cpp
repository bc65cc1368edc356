#include "files/library/library_folders.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <system_error>

#include "files/file_constants.h"
#include "files/file_io.h"
#include "files/file_names.h"
#include "files/ini_document.h"
#include "files/library/library_listing.h"

namespace orvel {

namespace {

constexpr std::string_view kDataHomeVariable = "XDG_DATA_HOME";
constexpr std::string_view kDataHomeUnderHome = ".local/share";
constexpr std::string_view kLibraryUnderData = "orvel/library";

const std::string kFoldersSection(kLibraryFoldersSection);

std::string FolderKey(std::size_t index)
{
    return std::string(kLibraryFolderKeyPrefix) + std::to_string(index + 1);
}

std::string VariableText(std::string_view name)
{
    const char* value = std::getenv(std::string(name).c_str());
    return value ? std::string(value) : std::string();
}

// Absolute, with "." and ".." resolved and no '/' at the end (but for "/" itself).
std::string TidyFolder(std::string_view folder)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(folder), error);
    if (error) absolute = std::filesystem::path(folder);
    std::string tidy = absolute.lexically_normal().string();
    while (tidy.size() > 1 && tidy.back() == '/') tidy.pop_back();
    return tidy;
}

std::string FoldersFilePath(const std::string& user_folder)
{
    return user_folder.empty() ? std::string() : JoinPath(user_folder, kLibraryFoldersName);
}

}  // namespace

std::string DefaultLibraryFolder()
{
    const std::string data_home = VariableText(kDataHomeVariable);
    if (!data_home.empty() && data_home.front() == '/') return JoinPath(data_home, kLibraryUnderData);
    const std::string home = VariableText(kHomeVariable);
    if (home.empty()) return {};
    return JoinPath(JoinPath(home, kDataHomeUnderHome), kLibraryUnderData);
}

FileResult MakeLibraryFolder(const std::string& folder)
{
    return MakeFolderFor(folder, folder);
}

bool AddLibraryFolder(std::vector<std::string>& list, std::string_view folder, std::string_view default_folder)
{
    if (folder.empty() || folder.find_first_of("\r\n") != std::string_view::npos) return false;
    const std::string entry = TidyFolder(folder);
    const auto overlaps = [&entry](const std::string& listed) {
        return IsInFolder(entry, listed) || IsInFolder(listed, entry);
    };
    if (!default_folder.empty() && overlaps(TidyFolder(default_folder))) return false;
    if (std::any_of(list.begin(), list.end(), overlaps)) return false;
    list.push_back(entry);
    return true;
}

bool RemoveLibraryFolder(std::vector<std::string>& list, std::string_view folder)
{
    const auto found = std::find(list.begin(), list.end(), folder);
    if (found == list.end()) return false;
    list.erase(found);
    return true;
}

std::vector<std::string> LoadLibraryFolders(const std::string& user_folder)
{
    std::vector<std::string> list;
    const std::string path = FoldersFilePath(user_folder);
    std::string text;
    if (path.empty() || ReadWholeFile(path, text).status != FileStatus::Done) return list;
    IniDocument ini;
    if (!ini.Parse(text)) return list;
    // Keys are numbered from 1; the first missing number ends the list.
    for (std::size_t i = 0;; ++i) {
        const std::optional<std::string_view> entry = ini.Value(kFoldersSection, FolderKey(i));
        if (!entry) break;
        if (entry->empty() || std::find(list.begin(), list.end(), *entry) != list.end()) continue;
        list.emplace_back(*entry);
    }
    return list;
}

FileResult SaveLibraryFolders(const std::string& user_folder, const std::vector<std::string>& list)
{
    const std::string path = FoldersFilePath(user_folder);
    if (path.empty()) return SaveFailure(kLibraryFoldersName, kDetailNoConfigFolder);
    if (const FileResult made = MakeFolderFor(user_folder, path); made.status != FileStatus::Done) return made;
    IniDocument ini;
    std::string text;
    bool built = ini.Parse("");
    for (std::size_t i = 0; built && i < list.size(); ++i) built = ini.SetText(kFoldersSection, FolderKey(i), list[i]);
    if (!built || !ini.Render(text)) return SaveFailure(path, SystemErrorText(ENOMEM));
    return ReplaceFileContents(path, text);
}

}  // namespace orvel
