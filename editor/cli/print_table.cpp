#include "cli/print_table.h"

#include <iostream>

#include "cli/companion.h"
#include "files/app_config.h"
#include "files/preset_file.h"
#include "model/preset_table.h"
#include "model/settings_data.h"
#include "ui/print/pdf_output.h"
#include "ui/print/print_settings.h"

namespace orvel {

int PrintTableCommand(const std::string& pdf_path, const std::string& preset_file)
{
    PresetTable table;
    SettingsData settings;
    if (!preset_file.empty()) {
        const FileResult loaded = LoadPresetFile(preset_file, table, settings);
        if (loaded.status != FileStatus::Done) {
            return Fail(loaded.status == FileStatus::NotFound ? "Cannot read \"" + preset_file + "\": no such file"
                                                              : loaded.reason);
        }
    }
    const PdfResult written =
        WritePresetTablePdfOffscreen(pdf_path, table, LoadPrintSettings(CurrentConfigPlaces().user_folder));
    if (!written.error.empty()) return Fail(written.error);
    std::cout << written.pages << (written.pages == 1 ? " page" : " pages") << " written to " << pdf_path << '\n';
    return 0;
}

}  // namespace orvel
