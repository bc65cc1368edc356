#include "files/app_config.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "files/file_constants.h"
#include "files/file_io.h"
#include "files/file_names.h"
#include "files/ini_document.h"
#include "files/preset_file.h"

namespace orvel {

namespace {

const std::string kSection(kConfigSection);
const std::string kPort(kKeyPort);
const std::string kFile(kKeyFile);

std::string Environment(std::string_view name)
{
    const char* value = std::getenv(std::string(name).c_str());
    return value ? std::string(value) : std::string();
}

// The working folder's Orvel.ini, when it holds one: a portable folder that keeps its own.
std::string WorkingFolderConfig(const ConfigPlaces& places)
{
    if (places.working_folder.empty()) return {};
    const std::string path = JoinPath(places.working_folder, kConfigFileName);
    std::error_code error;
    return std::filesystem::exists(path, error) ? path : std::string();
}

}  // namespace

ConfigPlaces CurrentConfigPlaces()
{
    ConfigPlaces places;
    std::error_code error;
    const std::filesystem::path working = std::filesystem::current_path(error);
    if (!error) places.working_folder = working.string();

    const std::string config_home = Environment(kConfigHomeVariable);
    const std::string home = Environment(kHomeVariable);
    if (!config_home.empty() && config_home.front() == '/')  // a relative one is to be ignored
        places.user_folder = JoinPath(config_home, kUserConfigFolder);
    else if (!home.empty())
        places.user_folder = JoinPath(JoinPath(home, kConfigHomeUnderHome), kUserConfigFolder);
    return places;
}

std::string ConfigFileToRead(const ConfigPlaces& places)
{
    if (std::string portable = WorkingFolderConfig(places); !portable.empty()) return portable;
    if (places.user_folder.empty()) return {};
    const std::string path = JoinPath(places.user_folder, kConfigFileName);
    std::error_code error;
    return std::filesystem::exists(path, error) ? path : std::string();
}

std::string ConfigFileToWrite(const ConfigPlaces& places)
{
    if (std::string portable = WorkingFolderConfig(places); !portable.empty()) return portable;
    return places.user_folder.empty() ? std::string() : JoinPath(places.user_folder, kConfigFileName);
}

ConfigValues ParseConfigText(std::string_view text)
{
    ConfigValues values;
    IniDocument ini;
    if (!ini.Parse(text)) return values;
    values.port_number =
        static_cast<int>(std::clamp<long long>(ini.Integer(kSection, kPort, kPortDefault), kPortMin, kPortMax));
    values.file = ini.Text(kSection, kFile, "");
    return values;
}

bool ConfigFileText(std::string_view existing, int port_number, const std::string& file, std::string& text)
{
    IniDocument ini;
    return ini.Parse(existing) && ini.SetInteger(kSection, kPort, port_number) && ini.SetText(kSection, kFile, file) &&
           ini.Render(text);
}

FileResult ReadConfiguration(EditorState& state, const ConfigPlaces& places)
{
    const std::string path = ConfigFileToRead(places);
    std::string text;
    const FileResult read = ReadWholeFile(path, text);
    if (read.status != FileStatus::Done) return read;

    const ConfigValues values = ParseConfigText(text);
    state.port_number = values.port_number;
    state.current_file = values.file;

    FileResult loaded;
    if (IsExistingFile(state.current_file)) {
        loaded = LoadPresetFile(WithIniExtension(state.current_file), state.table, state.settings);
        if (loaded.status == FileStatus::NotFound) loaded = FileResult{};
        // A file that cannot be taken in (not a preset file, say) is not ours to save over.
        if (loaded.status == FileStatus::Failed) state.current_file.clear();
    } else {
        state.current_file.clear();
    }
    state.save_enabled = true;
    return loaded;
}

FileResult WriteConfiguration(const EditorState& state, const ConfigPlaces& places)
{
    const std::string path = ConfigFileToWrite(places);
    if (path.empty()) return SaveFailure(kConfigFileName, kDetailNoConfigFolder);
    if (path != WorkingFolderConfig(places)) {
        if (const FileResult made = MakeFolderFor(places.user_folder, path); made.status != FileStatus::Done)
            return made;
    }

    std::string existing;
    const FileResult read = ReadWholeFile(path, existing);
    if (read.status == FileStatus::Failed) return read;
    std::string text;
    if (!ConfigFileText(existing, state.port_number, WithIniExtension(state.current_file), text))
        return SaveFailure(path, kDetailNotIni);
    return ReplaceFileContents(path, text);
}

}  // namespace orvel
