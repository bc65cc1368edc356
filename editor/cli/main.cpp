// orvel-cli: the command-line companion of the editor, for technicians and scripts. It runs
// the editor's own transfer commands, default check and firmware upgrade on the terminal.
#include <CLI/CLI.hpp>
#include <stdlib.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "command_protocol.h"
#include "controller_identity.h"
#include "default_check_command.h"
#include "files/preset_file.h"
#include "firmware_upgrade.h"
#include "kpx2.h"
#include "model/preset_image.h"
#include "print_table.h"
#include "serial_port_identity.h"
#include "terminal_view.h"
#include "transfer_commands.h"
#include "usb_converters.h"

namespace {

using namespace orvel;

// A device path is reached as this COM port number, named in the environment.
constexpr int kDevicePathPort = 255;

struct Choice {
    std::string serial;      // a USB converter's serial number
    int com_port = 0;        // a numbered serial port
    std::string device;      // a device path, reached as a serial port
    bool assume_yes = false;
};

// Everything one run of the companion works on.
struct Companion {
    explicit Companion(const Choice& choice)
        : view(choice.assume_yes, choice.com_port != 0 ? std::optional<int>(choice.com_port) : std::nullopt),
          link(usb, choice.com_port != 0 || !choice.device.empty() ? kPlatformSerialFirst : GetPlatformKind()) {}

    TerminalView view;
    UsbConverters converters;
    D2XXUnit usb{converters, view};
    DeviceLink link;
    PresetTable table;
    SettingsData settings;
    TransferBuffer buffer{};
    LastReadImages last_read{};
    TransferSession session{link, table, settings, buffer, last_read, view};
};

int Fail(const std::string& text) {
    std::cerr << text << '\n';
    return 1;
}

// Finds the controller: on a serial port the first transfer identifies it; on USB the named
// converter, or the first whose controller answers, is identified now (its firmware version
// decides how the settings are encoded).
bool Connect(Companion& c, const Choice& choice) {
    if (!choice.device.empty()) {
        setenv(("ZUDEDIZE_COM" + std::to_string(kDevicePathPort)).c_str(), choice.device.c_str(), 1);
        c.link.port_number = kDevicePathPort;
        return true;
    }
    if (UsesSerialPort(c.link)) {
        c.link.port_number = static_cast<std::uint8_t>(choice.com_port);
        return true;
    }
    if (c.usb.GetFTDeviceCount() != kFtOk) return false;
    for (std::uint32_t i = 0; i < c.usb.DeviceCount(); ++i) {
        if (c.usb.GetSerialNumberByIndex(static_cast<std::int32_t>(i)) != kFtOk) continue;
        const std::string serial = c.usb.LastListedSerial();
        if (!choice.serial.empty() && serial != choice.serial) continue;
        std::string identity;
        if (!QueryIdentityUsb(c.link, serial, identity)) continue;
        c.link.selected_serial = serial;
        return true;
    }
    std::cerr << kTextNoController << '\n';
    return false;
}

int Outcome(TransferOutcome outcome) { return outcome == TransferOutcome::Done ? 0 : 1; }

std::string Hex(const std::uint8_t* bytes, std::size_t n) {
    std::string text;
    std::array<char, 4> cell{};
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(cell.data(), cell.size(), "%02X", bytes[i]);
        text += (i == 0 ? "" : " ") + std::string(cell.data());
    }
    return text;
}

void PrintPreset(const PresetTable& table, int row) {
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

void PrintSettings(const SettingsData& s) {
    std::cout << "MIDI channels " << s.midi_channels[0] << " " << s.midi_channels[1] << " " << s.midi_channels[2]
              << "; CTRL numbers";
    for (const auto& n : s.ctrl_numbers) std::cout << " " << n;
    std::cout << "; keys";
    for (const auto& k : s.keys) std::cout << " " << k;
    std::cout << '\n';
}

bool LoadFrom(Companion& c, const std::string& path) {
    const FileResult result = LoadPresetFile(path, c.table, c.settings);
    if (result.status == FileStatus::Done) return true;
    std::cerr << (result.status == FileStatus::NotFound ? "No preset file " + path : result.reason) << '\n';
    return false;
}

// Stores what was read into a preset file, keeping what the file held otherwise.
int SaveInto(const std::string& path, const std::function<void(PresetTable&, SettingsData&)>& put) {
    PresetTable table;
    SettingsData settings;
    const FileResult loaded = LoadPresetFile(path, table, settings);
    if (loaded.status == FileStatus::Failed) return Fail(loaded.reason);
    put(table, settings);
    const FileResult saved = SavePresetFile(path, table, settings);
    return saved.status == FileStatus::Done ? 0 : Fail(saved.reason);
}

volatile std::sig_atomic_t stop_following = 0;

int FollowCurrentPreset(Companion& c, bool follow) {
    std::signal(SIGINT, [](int) { stop_following = 1; });
    int shown = -1;
    do {
        std::uint8_t preset = 0;
        if (!QueryCurrentPreset(c.link, preset)) {
            if (!follow) return Fail(kTextNoController);
        } else if (preset != shown) {
            shown = preset;
            std::cout << "current preset: " << int(preset) << " (bank " << preset / 10 << ", preset " << preset % 10
                      << ")" << std::endl;
        }
        if (follow) std::this_thread::sleep_for(std::chrono::milliseconds(200));
    } while (follow && stop_following == 0);
    return 0;
}

int ExportHeader(const std::string& path) {
    std::array<char, 256> file{}, name{}, version{}, text{};
    std::uint8_t type = 0;
    std::int32_t count = 0;
    std::uint8_t code = _LFP_ZainicjowanieTypuIWersjiZPlikuBIN(file.data(), &type, name.data(), version.data(), &count);
    for (std::int32_t block = 0; code == 0 && block < count; ++block)
        code = _LFP_ZapisanieBlokuDanychWPlikuH(path.c_str(), block);
    _LFP_OdinicjowanieTypuIWersjiZPlikuINumeruPortu();
    if (code != 0) return Fail(_LFP_UstalenieTekstuOpisujacegoBlad(code, text.data()));
    std::cout << "firmware image " << name.data() << " " << version.data() << " (" << count << " blocks) written to "
              << path << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"orvel-cli: the command-line companion of Orvel, the KPX-2/KPX-3 editor.\n"
                 "Without --serial, --com or --device the first USB converter whose controller answers is used."};
    app.require_subcommand(1);
    Choice choice;
    auto* by_serial = app.add_option("-s,--serial", choice.serial, "the USB converter with this serial number");
    auto* by_com = app.add_option("--com", choice.com_port,
                                  "the numbered serial port N (ZUDEDIZE_COM<N>=<device> names its device)")
                       ->check(CLI::Range(1, 99));
    auto* by_device = app.add_option("--device", choice.device, "the serial device at this path, e.g. /dev/ttyUSB0");
    by_serial->excludes(by_com)->excludes(by_device);
    by_com->excludes(by_device);

    auto* list = app.add_subcommand("list", "list the USB converters and what answers on each");
    auto* identify = app.add_subcommand("identify", "identify the controller and its firmware version");
    bool follow = false;
    auto* current = app.add_subcommand("current", "show the preset active on the controller");
    current->add_flag("-f,--follow", follow, "keep following it until Ctrl-C");
    std::string file;
    auto* backup = app.add_subcommand("backup", "read all presets, bank functions and settings into a preset file");
    backup->add_option("file", file, "preset file to write")->required();
    auto* restore = app.add_subcommand("restore", "write all presets, bank functions and settings from a preset file");
    restore->add_option("file", file, "preset file to read")->required()->check(CLI::ExistingFile);

    int number = 0;
    std::string into, from;
    auto* read_bank = app.add_subcommand("read-bank", "read one bank (bank digit 0 to 9) and its bank function");
    read_bank->add_option("bank", number, "bank digit")->required()->check(CLI::Range(0, 9));
    read_bank->add_option("--into", into, "also store it in this preset file");
    auto* write_bank = app.add_subcommand("write-bank", "write one bank and its bank function from a preset file");
    write_bank->add_option("bank", number, "bank digit")->required()->check(CLI::Range(0, 9));
    write_bank->add_option("--from", from, "preset file to take it from")->required()->check(CLI::ExistingFile);
    auto* read_preset = app.add_subcommand("read-preset", "read one preset (0 to 99)");
    read_preset->add_option("preset", number, "preset number")->required()->check(CLI::Range(0, 99));
    read_preset->add_option("--into", into, "also store it in this preset file");
    auto* write_preset = app.add_subcommand("write-preset", "write one preset from a preset file");
    write_preset->add_option("preset", number, "preset number")->required()->check(CLI::Range(0, 99));
    write_preset->add_option("--from", from, "preset file to take it from")->required()->check(CLI::ExistingFile);
    auto* read_settings = app.add_subcommand("read-settings", "read the settings");
    read_settings->add_option("--into", into, "also store them in this preset file");
    auto* write_settings = app.add_subcommand("write-settings", "write the settings from a preset file");
    write_settings->add_option("--from", from, "preset file to take them from")->required()->check(CLI::ExistingFile);
    int address = 0;
    auto* read_block = app.add_subcommand("read-block", "read one 8-byte block (0 to 253), for diagnosis");
    read_block->add_option("address", address, "block address")->required()->check(CLI::Range(0, 253));
    auto* check = app.add_subcommand("check-defaults", "check the controller against its factory defaults");
    auto* upgrade = app.add_subcommand("upgrade", "upgrade the controller's firmware with kpx2's image");
    upgrade->add_flag("-y,--yes", choice.assume_yes, "answer every question with yes");
    auto* header = app.add_subcommand("export-header", "write the firmware image as a header file");
    header->add_option("file", file, "header file to write")->required();
    auto* print_table = app.add_subcommand("print-table", "print the preset table to a PDF file, without a window");
    print_table->add_option("file", file, "PDF file to write")->required();
    print_table->add_option("--from", from, "preset file to print (default: the start state)")
        ->check(CLI::ExistingFile);

    CLI11_PARSE(app, argc, argv);

    if (header->parsed()) return ExportHeader(file);
    if (print_table->parsed()) return PrintTableCommand(file, from);
    Companion c(choice);
    if (list->parsed()) {
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
    if (upgrade->parsed()) {
        if (!UsesSerialPort(c.link) && !Connect(c, choice)) return 1;
        const int port = UsesSerialPort(c.link) ? (choice.device.empty() ? choice.com_port : kDevicePathPort) : 0;
        if (port != 0) c.usb.ClearLastListedSerial();
        TerminalView& view = c.view;
        FirmwareUpgradeCommand(c.usb, port, view);
        return view.last_icon() == MessageIcon::Information && !view.declined() ? 0 : 1;
    }
    if (!Connect(c, choice)) return 1;

    if (identify->parsed()) {
        std::string identity;
        const bool identified = UsesSerialPort(c.link) ? QueryIdentitySerial(c.link, c.link.port_number, identity)
                                                       : QueryIdentityUsb(c.link, c.link.selected_serial, identity);
        if (!identified) return Fail(kTextNoController);
        std::cout << "KPX firmware version: " << (UsesSerialPort(c.link) ? identity : ShownIdentity(identity))
                  << " (version number " << int(c.link.firmware_version) << ")\n";
        return 0;
    }
    if (current->parsed()) return FollowCurrentPreset(c, follow);
    if (backup->parsed()) {
        if (Outcome(ReadAllPresets(c.session)) != 0 || Outcome(ReadSettings(c.session)) != 0) return 1;
        const FileResult saved = SavePresetFile(file, c.table, c.settings);
        if (saved.status != FileStatus::Done) return Fail(saved.reason);
        std::cout << "backed up to " << file << '\n';
        return 0;
    }
    if (restore->parsed()) {
        if (!LoadFrom(c, file)) return 1;
        if (Outcome(WriteAllPresets(c.session)) != 0 || Outcome(WriteSettings(c.session)) != 0) return 1;
        std::cout << "restored from " << file << '\n';
        return 0;
    }
    if (read_bank->parsed() || write_bank->parsed()) {
        // A bank's first row holds its preset with digit 1.
        const int first = TableRowOfPreset(static_cast<std::uint8_t>(10 * number + 1));
        if (write_bank->parsed() && !LoadFrom(c, from)) return 1;
        c.table.SetCurrentRow(first);
        if (write_bank->parsed()) return Outcome(WriteBank(c.session));
        if (Outcome(ReadBank(c.session)) != 0) return 1;
        for (int k = 0; k < 10; ++k) PrintPreset(c.table, first + k);
        std::cout << "bank function: " << (c.table.BankFunction(number) ? "Add" : "Pr9") << '\n';
        if (into.empty()) return 0;
        return SaveInto(into, [&](PresetTable& t, SettingsData&) {
            for (int k = 0; k < 10; ++k) t.SetRow(first + k, c.table.GetRow(first + k));
            t.SetBankFunction(number, c.table.BankFunction(number));
        });
    }
    if (read_preset->parsed() || write_preset->parsed()) {
        const int row = TableRowOfPreset(static_cast<std::uint8_t>(number));
        if (write_preset->parsed() && !LoadFrom(c, from)) return 1;
        c.table.SetCurrentRow(row);
        if (write_preset->parsed()) return Outcome(WriteOnePreset(c.session));
        if (Outcome(ReadOnePreset(c.session)) != 0) return 1;
        PrintPreset(c.table, row);
        std::cout << "image: " << Hex(c.last_read[number].data(), 16) << '\n';
        if (into.empty()) return 0;
        return SaveInto(into, [&](PresetTable& t, SettingsData&) { t.SetRow(row, c.table.GetRow(row)); });
    }
    if (read_settings->parsed()) {
        if (Outcome(ReadSettings(c.session)) != 0) return 1;
        PrintSettings(c.settings);
        if (into.empty()) return 0;
        return SaveInto(into, [&](PresetTable&, SettingsData& s) { s = c.settings; });
    }
    if (write_settings->parsed()) return LoadFrom(c, from) ? Outcome(WriteSettings(c.session)) : 1;
    if (check->parsed()) {
        CheckDefaults(c.session);
        return c.view.last_icon() == MessageIcon::Information ? 0 : 1;
    }
    if (read_block->parsed()) {
        if (!OpenLink(c.link, c.link.port_number, c.link.selected_serial)) return Fail(kTextNoController);
        std::uint8_t code = 0;
        Block bytes{};
        const bool ok = ReadBlock(c.link, static_cast<std::uint8_t>(address), code, bytes);
        CloseLink(c.link);
        if (!ok) return Fail(ErrorText(code));
        std::cout << "block " << address << ": " << Hex(bytes.data(), bytes.size()) << '\n';
    }
    return 0;
}
