#include "cli/cli_commands.h"

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <iostream>
#include <string>
#include <thread>

#include "cli/decimal_number.h"
#include "cli/device_port.h"
#include "cli/follow_current.h"
#include "cli/json_output.h"
#include "cli/librarian_commands.h"
#include "cli/print_table.h"
#include "device/commands/compare_command.h"
#include "device/commands/default_check_command.h"
#include "device/commands/firmware_upgrade.h"
#include "device/controller_constants.h"
#include "device/protocol/command_protocol.h"
#include "device/protocol/controller_identity.h"
#include "files/file_io.h"
#include "files/preset_file.h"
#include "loader/kpx2.h"
#include "model/model_constants.h"
#include "model/preset_image.h"

namespace orvel {

namespace {

std::string Hex(const std::uint8_t* bytes, std::size_t n)
{
    std::string text;
    std::array<char, 4> cell{};
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(cell.data(), cell.size(), "%02X", bytes[i]);
        text += (i == 0 ? "" : " ") + std::string(cell.data());
    }
    return text;
}

void PrintPreset(const PresetTable& table, int row)
{
    const PresetData p = table.GetRow(row);
    auto flags = [](const auto& bits) {
        std::string text;
        for (bool on : bits) text += on ? '1' : '0';
        return text;
    };
    std::cout << "preset " << int(table.PresetNumberOfRow(row).value_or(0)) << ": " << p.modifier
              << " buffer=" << (p.buffer ? 1 : 0) << " loops=" << flags(p.loops) << " switches=" << flags(p.switches)
              << " midi1=" << p.midi1 << " midi2=" << p.midi2 << " midi3=" << p.midi3_pc << " ctrl=";
    for (std::size_t i = 0; i < p.ctrls.size(); ++i) std::cout << (i == 0 ? "" : ",") << p.ctrls[i];
    std::cout << " aux=" << flags(p.aux) << (p.name.empty() ? "" : " name=" + p.name) << '\n';
}

void ShowSettings(const SettingsData& s)
{
    std::cout << "MIDI channels " << s.midi_channels[0] << " " << s.midi_channels[1] << " " << s.midi_channels[2]
              << "; CTRL numbers";
    for (const auto& n : s.ctrl_numbers) std::cout << " " << n;
    std::cout << "; keys";
    for (const auto& k : s.keys) std::cout << " " << k;
    std::cout << '\n';
}

// A preset file a command takes its values from, into the companion's table and settings.
bool LoadSource(Companion& c, const std::string& path)
{
    const FileResult result = LoadPresetFile(path, c.table, c.settings);
    if (result.status == FileStatus::Done) return true;
    return Refuse(result.status == FileStatus::NotFound ? std::string(ReadFailure(path, SystemErrorText(ENOENT)).reason)
                                                        : result.reason);
}

// A preset file a command stores what it read in. The file is read into the companion's
// set-up before the controller is, so that the read replaces only what the controller holds:
// the names, the AUX mode a controller below version 2 does not report and whatever else the
// file holds stay as they are. It is also checked to be writable then, so that a destination
// that cannot take the result is found before the wait. An empty file holds nothing to keep.
bool OpenDestination(Companion& c, const std::string& path)
{
    std::error_code error;
    const bool empty = std::filesystem::is_regular_file(path, error) && std::filesystem::file_size(path, error) == 0;
    const FileResult loaded = empty ? FileResult{} : LoadPresetFile(path, c.table, c.settings);
    if (loaded.status == FileStatus::Failed) return Refuse(loaded.reason);
    const FileResult writable = CheckReplaceable(path);
    if (writable.status != FileStatus::Done) return Refuse(writable.reason);
    return true;
}

// Saves the companion's set-up to the destination and says whose names it kept: those of
// the presets read (table rows `first` to `last`) that the file named.
int SaveDestination(const Companion& c, const std::string& path, int first, int last)
{
    const FileResult saved = SavePresetFile(path, c.table, c.settings);
    if (saved.status != FileStatus::Done) return Fail(saved.reason);
    int named = 0;
    for (int row = first; row <= last; ++row) named += c.table.Cell(row, kColumnName).text.empty() ? 0 : 1;
    if (named == 1) std::cout << "kept the name of 1 preset from " << path << '\n';
    if (named > 1) std::cout << "kept the names of " << named << " presets from " << path << '\n';
    return 0;
}

// The table row of the bank's first preset (preset digit 1), or of one preset.
int BankRow(int bank)
{
    return TableRowOfPreset(static_cast<std::uint8_t>(10 * bank + 1));
}
int PresetRow(int preset)
{
    return TableRowOfPreset(static_cast<std::uint8_t>(preset));
}

// --- Arguments -----------------------------------------------------------------------

void BankArgument(CLI::App& command, Request& r)
{
    command.add_option("bank", r.number, "bank digit, 0 to 9")->required()->transform(DecimalIn(0, 9));
}
void PresetArgument(CLI::App& command, Request& r)
{
    command.add_option("preset", r.number, "preset number, 0 to 99")->required()->transform(DecimalIn(0, 99));
}
void IntoOption(CLI::App& command, Request& r)
{
    command.add_option("--into", r.into, "also store it in this preset file");
}
void FromOption(CLI::App& command, Request& r)
{
    command.add_option("--from", r.from, "preset file to take it from")->required();
}

// --- The commands --------------------------------------------------------------------

int List(Companion& c)
{
    if (c.request.json) return ListJson(c);
    const auto converters = ListUsbConverters();
    if (converters.empty()) std::cout << "no USB converter found\n";
    for (const ListedConverter& converter : converters) {
        std::string identity;
        const bool answered = QueryIdentityUsb(c.link, converter.serial, identity);
        std::cout << converter.tty << "  " << converter.serial << "  "
                  << (answered ? ShownIdentity(identity) + " connected" : std::string("no controller")) << '\n';
    }
    return 0;
}

int Identify(Companion& c)
{
    if (!Connect(c)) return 1;
    if (c.request.json) {
        PrintIdentityJson(c.identity, c.link.firmware_version);
        return 0;
    }
    std::cout << "KPX firmware version: " << c.identity << " (version number " << int(c.link.firmware_version) << ")\n";
    return 0;
}

int Current(Companion& c)
{
    if (!Connect(c)) return 1;
    if (c.request.follow) return FollowCurrentPreset(c);
    std::uint8_t preset = 0;
    std::string failure;
    // The controller identified itself: a reply cut off or garbled is the exchange's own
    // failure; a link that did not open is no controller.
    if (!QueryCurrentPreset(c.link, preset, failure)) return Fail(!failure.empty() ? failure : NoAnswerText(c));
    ShowCurrentPreset(c, preset);
    return 0;
}

int Backup(Companion& c)
{
    const std::string& path = c.request.file;
    if (!OpenDestination(c, path) || !Connect(c)) return 1;
    if (const int status = ExitStatus(c, ReadAllPresets(c.session)); status != 0) return status;
    if (const int status = ExitStatus(c, ReadSettings(c.session)); status != 0) return status;
    if (const int status = SaveDestination(c, path, kHeaderRowCount, kTableRowCount - 1); status != 0) return status;
    std::cout << "backed up to " << path << '\n';
    return 0;
}

int Restore(Companion& c)
{
    if (!LoadSource(c, c.request.file) || !Connect(c)) return 1;
    if (const int status = ExitStatus(c, WriteAllPresets(c.session)); status != 0) return status;
    if (const int status = ExitStatus(c, WriteSettings(c.session)); status != 0) return status;
    // A value the controller holds as another one ("preset 37 MIDI1 200 is stored as 128")
    // is no difference to "diff", but the file does not say what the controller now holds.
    for (const SetupDifference& stored : StoredDifferently(c.table, c.settings, c.link.firmware_version))
        std::cout << StoredAsLine(stored) << '\n';
    std::cout << "restored from " << c.request.file << '\n';
    return 0;
}

// Exit statuses of "diff": the file and the controller hold the same set-up, they differ,
// or the comparison could not be made.
constexpr int kDiffEqual = 0;
constexpr int kDiffDifferent = 1;
constexpr int kDiffFailed = 2;

int Diff(Companion& c)
{
    if (!c.request.second_file.empty()) return DiffFiles(c);
    if (!LoadSource(c, c.request.file) || !Connect(c)) return kDiffFailed;
    std::vector<SetupDifference> differences;
    if (ExitStatus(c, CompareWithController(c.session, differences)) != 0) return kDiffFailed;
    PrintDifferences(differences, "file", "controller", c.request.json);
    return differences.empty() ? kDiffEqual : kDiffDifferent;
}

int ReadBankCommand(Companion& c)
{
    const int bank = c.request.number;
    const int first = BankRow(bank);
    if (!c.request.into.empty() && !OpenDestination(c, c.request.into)) return 1;
    if (!Connect(c)) return 1;
    c.table.SetCurrentRow(first);
    if (const int status = ExitStatus(c, ReadBank(c.session)); status != 0) return status;
    for (int k = 0; k < 10; ++k) PrintPreset(c.table, first + k);
    std::cout << "bank function: " << (c.table.BankFunction(bank) ? "Add" : "Pr9") << '\n';
    if (c.request.into.empty()) return 0;
    return SaveDestination(c, c.request.into, first, first + kPresetsPerBank - 1);
}

int WriteBankCommand(Companion& c)
{
    if (!LoadSource(c, c.request.from) || !Connect(c)) return 1;
    c.table.SetCurrentRow(BankRow(c.request.number));
    if (const int status = ExitStatus(c, WriteBank(c.session)); status != 0) return status;
    std::cout << "wrote bank " << c.request.number << " and its bank function\n";
    return 0;
}

int ReadPresetCommand(Companion& c)
{
    const int preset = c.request.number;
    const int row = PresetRow(preset);
    if (!c.request.into.empty() && !OpenDestination(c, c.request.into)) return 1;
    if (!Connect(c)) return 1;
    c.table.SetCurrentRow(row);
    if (const int status = ExitStatus(c, ReadOnePreset(c.session)); status != 0) return status;
    PrintPreset(c.table, row);
    std::cout << "image: " << Hex(c.last_read[preset].data(), 16) << '\n';
    if (c.request.into.empty()) return 0;
    return SaveDestination(c, c.request.into, row, row);
}

int WritePresetCommand(Companion& c)
{
    if (!LoadSource(c, c.request.from) || !Connect(c)) return 1;
    c.table.SetCurrentRow(PresetRow(c.request.number));
    if (const int status = ExitStatus(c, WriteOnePreset(c.session)); status != 0) return status;
    std::cout << "wrote preset " << c.request.number << '\n';
    return 0;
}

int ReadSettingsCommand(Companion& c)
{
    if (!c.request.into.empty() && !OpenDestination(c, c.request.into)) return 1;
    if (!Connect(c)) return 1;
    if (const int status = ExitStatus(c, ReadSettings(c.session)); status != 0) return status;
    ShowSettings(c.settings);
    if (c.request.into.empty()) return 0;
    return SaveDestination(c, c.request.into, 0, -1);
}

int WriteSettingsCommand(Companion& c)
{
    if (!LoadSource(c, c.request.from) || !Connect(c)) return 1;
    if (const int status = ExitStatus(c, WriteSettings(c.session)); status != 0) return status;
    std::cout << "wrote the settings\n";
    return 0;
}

int ReadBlockCommand(Companion& c)
{
    if (!Connect(c)) return 1;
    if (!OpenLink(c.link, c.link.port_number, c.link.selected_serial)) return Fail(NoAnswerText(c));
    std::uint8_t code = 0;
    Block bytes{};
    const bool ok = ReadBlock(c.link, static_cast<std::uint8_t>(c.request.address), code, bytes);
    CloseLink(c.link);
    if (!ok) return Fail(ReplyCodeText(code));
    std::cout << "block " << c.request.address << ": " << Hex(bytes.data(), bytes.size()) << '\n';
    return 0;
}

int CheckDefaultsCommand(Companion& c)
{
    if (!Connect(c)) return 1;
    return ExitStatus(c, CheckDefaults(c.session));
}

int Upgrade(Companion& c)
{
    // kpx2 opens the port itself: a numbered port is only named here, a USB converter's
    // controller is found through the command protocol first.
    if (!(UsesSerialPort(c.link) ? ChoosePort(c) : Connect(c))) return 1;
    if (UsesSerialPort(c.link)) c.usb.ClearLastListedSerial();
    if (!c.request.device.empty()) NamePortForLoader(c.link.port_number, c.request.device);
    return FirmwareUpgradeCommand(c.usb, c.link.port_number, c.view) == TransferOutcome::Done ? 0 : 1;
}

int ExportHeader(Companion& c)
{
    const std::string& path = c.request.file;
    const FileResult writable = CheckReplaceable(path);
    if (writable.status != FileStatus::Done) return Fail(writable.reason);
    std::array<char, 256> file{}, name{}, version{}, text{};
    std::uint8_t type = 0;
    std::int32_t count = 0;
    std::uint8_t code = _LFP_ZainicjowanieTypuIWersjiZPlikuBIN(file.data(), &type, name.data(), version.data(), &count);
    for (std::int32_t block = 0; code == 0 && block < count; ++block)
        code = _LFP_ZapisanieBlokuDanychWPlikuH(path.c_str(), block);
    _LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
    if (code != 0) return Fail(SaveFailure(path, _LFP_UstalenieTekstuOpisujacegoBlad(code, text.data())).reason);
    std::cout << "firmware image " << name.data() << " " << version.data() << " (" << count << " blocks) written to "
              << path << '\n';
    return 0;
}

}  // namespace

const std::vector<CliCommand>& CliCommands()
{
    static const std::vector<CliCommand> commands{
        {"list", "list the USB converters and what answers on each", JsonOption, List},
        {"identify", "identify the controller and its firmware version", JsonOption, Identify},
        {"current", "show the preset active on the controller",
         [](CLI::App& command, Request& r) {
             command.add_flag("-f,--follow", r.follow, "keep following it until Ctrl-C");
             JsonOption(command, r);
         },
         Current},
        {"backup", "read all presets, bank functions and settings into a preset file",
         [](CLI::App& command, Request& r) { command.add_option("file", r.file, "preset file to write")->required(); },
         Backup},
        {"restore", "write all presets, bank functions and settings from a preset file",
         [](CLI::App& command, Request& r) { command.add_option("file", r.file, "preset file to read")->required(); },
         Restore},
        {"diff",
         "compare a preset file with the controller's presets, bank functions and settings, or with a second "
         "preset file (exit status 0 equal, 1 different, 2 failed)",
         [](CLI::App& command, Request& r) {
             command.add_option("file", r.file, "preset file to compare")->required();
             command.add_option("second", r.second_file, "preset file to compare it with instead of the controller");
             JsonOption(command, r);
         },
         Diff},
        {"read-bank", "read one bank (bank digit 0 to 9) and its bank function",
         [](CLI::App& command, Request& r) {
             BankArgument(command, r);
             IntoOption(command, r);
         },
         ReadBankCommand},
        {"write-bank", "write one bank and its bank function from a preset file",
         [](CLI::App& command, Request& r) {
             BankArgument(command, r);
             FromOption(command, r);
         },
         WriteBankCommand},
        {"read-preset", "read one preset (0 to 99)",
         [](CLI::App& command, Request& r) {
             PresetArgument(command, r);
             IntoOption(command, r);
         },
         ReadPresetCommand},
        {"write-preset", "write one preset from a preset file",
         [](CLI::App& command, Request& r) {
             PresetArgument(command, r);
             FromOption(command, r);
         },
         WritePresetCommand},
        {"read-settings", "read the settings", IntoOption, ReadSettingsCommand},
        {"write-settings", "write the settings from a preset file", FromOption, WriteSettingsCommand},
        {"read-block", "read one 8-byte block (0 to 253), for diagnosis",
         [](CLI::App& command, Request& r) {
             command.add_option("address", r.address, "block address, 0 to 253")
                 ->required()
                 ->transform(DecimalIn(0, 253));
         },
         ReadBlockCommand},
        {"check-defaults", "check the controller against its factory defaults", nullptr, CheckDefaultsCommand},
        {"upgrade", "upgrade the controller's firmware with kpx2's image",
         [](CLI::App& command, Request& r) {
             command.add_flag("-y,--yes", r.assume_yes, "answer every question with yes");
         },
         Upgrade},
        {"export-header", "write the firmware image as a header file",
         [](CLI::App& command, Request& r) { command.add_option("file", r.file, "header file to write")->required(); },
         ExportHeader},
        {"print-table", "print the preset table to a PDF file, without a window",
         [](CLI::App& command, Request& r) {
             command.add_option("file", r.file, "PDF file to write")->required();
             command.add_option("--from", r.from, "preset file to print (default: the start state)");
         },
         [](Companion& c) { return PrintTableCommand(c.request.file, c.request.from); }},
    };
    static const std::vector<CliCommand> with_librarian = [] {
        std::vector<CliCommand> all = commands;
        for (const CliCommand& command : LibrarianCommands()) all.push_back(command);
        return all;
    }();
    return with_librarian;
}

}  // namespace orvel
