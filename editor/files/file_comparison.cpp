#include "files/file_comparison.h"

#include "files/preset_file.h"
#include "model/settings_constants.h"

namespace orvel {

FileResult CompareWithPresetFile(const PresetTable& table, const SettingsData& settings, const std::string& path,
                                 std::vector<SetupDifference>& differences)
{
    differences.clear();
    PresetTable file_table;
    SettingsData file_settings;
    const FileResult read = LoadPresetFile(path, file_table, file_settings);
    if (read.status != FileStatus::Done) return read;
    differences = CompareSetups(table, settings, file_table, file_settings, kFirmwareWithExtendedOptions);
    return read;
}

}  // namespace orvel
