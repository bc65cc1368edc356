#include "cli/librarian_commands.h"

#include <cerrno>
#include <iostream>
#include <optional>

#include "cli/decimal_number.h"
#include "cli/json_output.h"
#include "cli/preset_csv.h"
#include "cli/setup_fields.h"
#include "cli/setup_table_text.h"
#include "files/file_io.h"
#include "files/preset_file.h"
#include "files/setup_json.h"
#include "model/model_constants.h"
#include "model/settings_constants.h"
#include "model/settings_tiles.h"
#include "ui/rules/field_names.h"

namespace orvel {

namespace {

constexpr int kLibrarianWrongUsage = 2;
constexpr std::string_view kBankFieldName = "function";  // a bank's one field: its wah-pad function
constexpr int kFilesEqual = 0;
constexpr int kFilesDifferent = 1;
constexpr int kFilesNotCompared = 2;

int WrongUsageOf(const std::string& text)
{
    Fail(text);
    return kLibrarianWrongUsage;
}

// The text ending with a full stop.
std::string Sentence(const std::string& text)
{
    return !text.empty() && text.back() == '.' ? text : text + ".";
}

// A preset file a command works on; missing, it is named as a file that cannot be read.
bool LoadSetup(const std::string& path, PresetTable& table, SettingsData& settings)
{
    const FileResult result = LoadPresetFile(path, table, settings);
    if (result.status == FileStatus::Done) return true;
    return Refuse(result.status == FileStatus::NotFound ? ReadFailure(path, SystemErrorText(ENOENT)).reason
                                                        : result.reason);
}

// Whether two tables hold the same presets and bank functions.
bool SamePresets(const PresetTable& a, const PresetTable& b)
{
    for (int row = kHeaderRowCount; row < kTableRowCount; ++row)
        if (!(a.GetRow(row) == b.GetRow(row))) return false;
    return a.AllBankFunctions() == b.AllBankFunctions();
}

std::string PresetFieldNames()
{
    std::string names;
    for (int column = kFixedColumnCount; column < kColumnCount; ++column)
        names += (names.empty() ? "" : ", ") + PresetFieldName(column);
    return names;
}

std::string SettingsFieldNames()
{
    std::string names;
    for (int column = 0; column < kSetupColumnCount; ++column)
        names += (names.empty() ? "" : ", ") + SettingsFieldShortName(column);
    for (int tile = 1; tile <= kTileCount; ++tile) names += ", " + std::string(BalloonTitle(tile));
    return names;
}

// --- show ----------------------------------------------------------------------------

int ShowCommand(Companion& c)
{
    PresetTable table;
    SettingsData settings;
    if (!LoadSetup(c.request.file, table, settings)) return 1;
    if (c.request.json) {
        JsonWriter json;
        WriteSetupJson(json, table, settings);
        PrintJsonLine(json);
    } else {
        std::cout << SetupTableText(table, settings) << std::flush;
    }
    return 0;
}

// --- set -----------------------------------------------------------------------------

enum class SetTarget { Preset, Bank, Settings };

// One FIELD=VALUE of the command line, with the field it names.
struct FieldValue {
    std::string field;
    std::string value;
    int column = 0;  // a preset or settings grid column
    int tile = 0;    // an option tile, 1 to 8; 0 for a grid column
};

// The fields of a set command, checked against the names before the file is read; false
// after saying what is wrong.
bool ReadAssignments(SetTarget target, const std::vector<std::string>& words, std::size_t first,
                     std::vector<FieldValue>& values)
{
    if (first >= words.size()) return Refuse("set needs at least one FIELD=VALUE");
    for (std::size_t i = first; i < words.size(); ++i) {
        const std::size_t equals = words[i].find('=');
        if (equals == std::string::npos || equals == 0) return Refuse("\"" + words[i] + "\" is not FIELD=VALUE");
        FieldValue v;
        v.field = words[i].substr(0, equals);
        v.value = words[i].substr(equals + 1);
        if (target == SetTarget::Preset) {
            const std::optional<int> column = PresetColumnNamed(v.field);
            if (!column || *column < kFixedColumnCount)
                return Refuse("\"" + v.field + "\" is not a preset field; the fields are " + PresetFieldNames());
            v.column = *column;
        } else if (target == SetTarget::Bank) {
            if (!SameFieldName(v.field, kBankFieldName))
                return Refuse("\"" + v.field + "\" is not a bank field; a bank has its " + std::string(kBankFieldName) +
                              " (Add or Pr9)");
        } else if (const std::optional<int> column = SettingsColumnNamed(v.field)) {
            v.column = *column;
        } else if (const std::optional<int> tile = TileNamed(v.field)) {
            v.tile = *tile;
        } else {
            return Refuse("\"" + v.field + "\" is not a settings field; the fields are " + SettingsFieldNames());
        }
        values.push_back(v);
    }
    return true;
}

int SetCommand(Companion& c)
{
    const std::vector<std::string>& words = c.request.words;
    const std::string& what = words.front();
    SetTarget target = SetTarget::Settings;
    int number = 0;
    std::size_t first = 1;
    if (SameFieldName(what, "preset") || SameFieldName(what, "bank")) {
        target = SameFieldName(what, "preset") ? SetTarget::Preset : SetTarget::Bank;
        const int highest = target == SetTarget::Preset ? kPresetCount - 1 : kBankCount - 1;
        const std::optional<int> parsed = words.size() > 1 ? ParseDecimal(words[1]) : std::nullopt;
        if (!parsed || *parsed > highest)
            return WrongUsageOf(what + " needs a number from 0 to " + std::to_string(highest) +
                                (words.size() > 1 ? ", not \"" + words[1] + "\"" : ""));
        number = *parsed;
        first = 2;
    } else if (!SameFieldName(what, "settings")) {
        return WrongUsageOf("\"" + what + "\" is not preset N, bank N or settings");
    }
    std::vector<FieldValue> values;
    if (!ReadAssignments(target, words, first, values)) return kLibrarianWrongUsage;

    const std::string& path = c.request.file;
    PresetTable table;
    SettingsData settings;
    if (!LoadSetup(path, table, settings)) return 1;
    const PresetTable old_table = table;
    const SettingsData old_settings = settings;
    const int row = TableRowOfPreset(static_cast<std::uint8_t>(number));
    const std::string where = target == SetTarget::Preset ? "preset " + std::to_string(number)
                              : target == SetTarget::Bank ? "bank " + std::to_string(number)
                                                          : "settings";
    for (const FieldValue& v : values) {
        std::optional<std::string> refusal;
        if (target == SetTarget::Preset)
            refusal = SetPresetField(table, row, v.column, v.value);
        else if (target == SetTarget::Bank)
            refusal = SetBankFunctionField(table, number, v.value);
        else if (v.tile != 0)
            refusal = SetTileField(settings, v.tile, v.value);
        else
            refusal = SetSettingsField(settings, v.column, v.value);
        if (refusal) return Fail(where + ": " + Sentence(*refusal) + " Nothing was changed.");
    }
    if (SamePresets(table, old_table) && settings == old_settings) {
        std::cout << path << " already holds these values\n";
        return 0;
    }
    const FileResult saved = SavePresetFile(path, table, settings);
    if (saved.status != FileStatus::Done) return Fail(saved.reason);
    std::cout << "set " << where << " in " << path << '\n';
    return 0;
}

// --- CSV -----------------------------------------------------------------------------

int ExportCsvCommand(Companion& c)
{
    PresetTable table;
    SettingsData settings;
    if (!LoadSetup(c.request.file, table, settings)) return 1;
    const std::string& out = c.request.second_file;
    const FileResult written = ReplaceFileContents(out, CsvText(PresetCsvRecords(table)));
    if (written.status != FileStatus::Done) return Fail(written.reason);
    std::cout << "wrote the presets of " << c.request.file << " to " << out << '\n';
    return 0;
}

int ImportCsvCommand(Companion& c)
{
    const std::string& in = c.request.file;
    const std::string& path = c.request.second_file;
    std::string text;
    const FileResult read = ReadWholeFile(in, text);
    if (read.status != FileStatus::Done)
        return Fail(read.status == FileStatus::NotFound ? ReadFailure(in, SystemErrorText(ENOENT)).reason
                                                        : read.reason);
    std::vector<CsvRecord> records;
    std::string problem;
    if (!ReadCsv(text, records, problem)) return Fail(ReadFailure(in, problem).reason);

    // A preset file that is not there yet, or empty, starts from the start state.
    PresetTable table;
    SettingsData settings;
    std::string existing;
    const FileResult destination = ReadWholeFile(path, existing);
    if (destination.status == FileStatus::Failed) return Fail(destination.reason);
    const bool is_new = destination.status == FileStatus::NotFound || existing.empty();
    if (!is_new && !LoadSetup(path, table, settings)) return 1;

    const PresetTable old_table = table;
    if (!TakePresetCsv(records, table, problem))
        return Fail("cannot import \"" + in + "\": " + Sentence(problem) + " Nothing was changed.");
    if (!is_new && SamePresets(table, old_table)) {
        std::cout << path << " already holds these presets\n";
        return 0;
    }
    const FileResult saved = SavePresetFile(path, table, settings);
    if (saved.status != FileStatus::Done) return Fail(saved.reason);
    std::cout << "imported " << in << " into " << path << '\n';
    return 0;
}

}  // namespace

int DiffFiles(Companion& c)
{
    PresetTable first_table;
    PresetTable second_table;
    SettingsData first_settings;
    SettingsData second_settings;
    if (!LoadSetup(c.request.file, first_table, first_settings) ||
        !LoadSetup(c.request.second_file, second_table, second_settings))
        return kFilesNotCompared;
    // Two files are alike when a controller that knows every code would hold the same for both.
    const std::vector<SetupDifference> differences =
        CompareSetups(first_table, first_settings, second_table, second_settings, kFirmwareWithExtendedOptions);
    PrintDifferences(differences, c.request.file, c.request.second_file, c.request.json);
    return differences.empty() ? kFilesEqual : kFilesDifferent;
}

std::vector<CliCommand> LibrarianCommands()
{
    return {
        {"show", "print a preset file's set-up as a table (--json: as JSON)",
         [](CLI::App& command, Request& r) {
             command.add_option("file", r.file, "preset file to show")->required();
             JsonOption(command, r);
         },
         ShowCommand},
        {"set",
         "set fields of a preset file, each value checked as the grid checks it "
         "(set FILE preset 37 midi1=12 name=Lead; bank 3 function=Pr9; settings ctrl2=64)",
         [](CLI::App& command, Request& r) {
             command.add_option("file", r.file, "preset file to change")->required();
             command.add_option("what", r.words, "preset N, bank N or settings, then FIELD=VALUE ...")->required();
             command.footer("Preset fields: " + PresetFieldNames() + ".\nBank field: " + std::string(kBankFieldName) +
                            " (Add or Pr9).\n" + "Settings fields: " + SettingsFieldNames() +
                            " (MIDI1 to MIDI3 are the MIDI channels, Ctrl1 to Ctrl7 the CTRL numbers).\n" +
                            "Names are the grids' captions, in any case. A refused value changes nothing (exit 1).");
         },
         SetCommand},
        {"export-csv", "write the presets of a preset file as CSV, one row each under a header of field names",
         [](CLI::App& command, Request& r) {
             command.add_option("file", r.file, "preset file to read")->required();
             command.add_option("csv", r.second_file, "CSV file to write")->required();
         },
         ExportCsvCommand},
        {"import-csv",
         "take the presets of a CSV file (as export-csv writes it) into a preset file; a refused value changes "
         "nothing",
         [](CLI::App& command, Request& r) {
             command.add_option("csv", r.file, "CSV file to read")->required();
             command.add_option("file", r.second_file, "preset file to write (made when it is not there)")->required();
         },
         ImportCsvCommand},
    };
}

}  // namespace orvel
