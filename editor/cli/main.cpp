// orvel-cli: the command-line companion of the editor, for technicians and scripts.
#include <CLI/CLI.hpp>

#include <stdlib.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>

#include "command_protocol.h"
#include "controller_identity.h"
#include "d2xx_unit.h"
#include "model/preset_image.h"
#include "serial_port_identity.h"
#include "usb_converters.h"

namespace {

using namespace orvel;

class TerminalMessages final : public UserMessages {
public:
    void ShowMessage(MessageIcon, const std::string& caption, const std::string& text) override {
        std::cerr << caption << ": " << text << '\n';
    }
};

struct Session {
    explicit Session(PlatformKind kind) : link(usb, kind) {}
    TerminalMessages messages;
    UsbConverters converters;
    D2XXUnit usb{converters, messages};
    DeviceLink link;
};

// The converter to talk to: the one named, or the first whose controller answers. On a
// numbered serial port there is no converter to choose.
std::optional<std::string> ChooseConverter(Session& session, const std::string& wanted) {
    if (UsesSerialPort(session.link)) return std::string();
    if (!wanted.empty()) return wanted;
    for (const ListedConverter& converter : ListUsbConverters()) {
        std::string identity;
        if (QueryIdentityUsb(session.link, converter.serial, identity)) return converter.serial;
    }
    std::cerr << "No KPX-2/KPX-3 connected\n";
    return std::nullopt;
}

std::string Hex(const std::uint8_t* bytes, std::size_t n) {
    std::string text;
    char cell[4];
    for (std::size_t i = 0; i < n; ++i) {
        std::snprintf(cell, sizeof cell, "%02X", bytes[i]);
        text += (i == 0 ? "" : " ") + std::string(cell);
    }
    return text;
}

void PrintPreset(int number, const PresetData& p) {
    auto flags = [](const auto& bits) {
        std::string text;
        for (bool on : bits) text += on ? '1' : '0';
        return text;
    };
    std::cout << "preset " << number << ": " << p.modifier << " buffer=" << (p.buffer ? 1 : 0)
              << " loops=" << flags(p.loops) << " switches=" << flags(p.switches) << " midi1=" << p.midi1
              << " midi2=" << p.midi2 << " midi3=" << p.midi3_pc << " ctrl=";
    for (std::size_t i = 0; i < p.ctrls.size(); ++i) std::cout << (i == 0 ? "" : ",") << p.ctrls[i];
    std::cout << " aux=" << flags(p.aux) << '\n';
}

int Failed(std::uint8_t code) {
    std::cerr << ErrorText(code) << '\n';
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"orvel-cli: talk to a KPX-2/KPX-3 foot controller from the command line"};
    app.require_subcommand(1);
    std::string serial;
    app.add_option("-s,--serial", serial, "serial number of the USB converter (default: the first that answers)");
    int com_port = 0;
    app.add_option("--com", com_port, "use the numbered serial port N instead of a USB converter "
                                      "(ZUDEDIZE_COM<N>=<device> names its device)")
        ->check(CLI::Range(1, 99));

    auto* list = app.add_subcommand("list", "list the USB converters and what answers on each");
    auto* identify = app.add_subcommand("identify", "identify the controller and its firmware version");
    auto* current = app.add_subcommand("current", "show the preset active on the controller");
    int preset_number = 0;
    auto* read_preset = app.add_subcommand("read-preset", "read one preset (0 to 99)");
    read_preset->add_option("preset", preset_number, "preset number")->required()->check(CLI::Range(0, 99));
    int address = 0;
    auto* read_block = app.add_subcommand("read-block", "read one 8-byte block (0 to 253)");
    read_block->add_option("address", address, "block address")->required()->check(CLI::Range(0, 253));

    CLI11_PARSE(app, argc, argv);

    if (com_port != 0) setenv("ORVEL_TRANSPORT", "serial", 1);
    Session session(GetPlatformKind());
    if (com_port != 0) session.link.port_number = static_cast<std::uint8_t>(com_port);
    if (list->parsed()) {
        const auto converters = ListUsbConverters();
        if (converters.empty()) std::cout << "no USB converter found\n";
        for (const ListedConverter& converter : converters) {
            std::string identity;
            const bool answered = QueryIdentityUsb(session.link, converter.serial, identity);
            std::cout << converter.tty << "  " << converter.serial << "  "
                      << (answered ? ShownIdentity(identity) + " connected" : std::string("no controller")) << '\n';
        }
        return 0;
    }

    const auto chosen = ChooseConverter(session, serial);
    if (!chosen) return 1;
    session.link.selected_serial = *chosen;

    if (identify->parsed()) {
        std::string identity;
        const bool identified = UsesSerialPort(session.link)
                                    ? QueryIdentitySerial(session.link, session.link.port_number, identity)
                                    : QueryIdentityUsb(session.link, *chosen, identity);
        if (!identified) {
            std::cerr << "No KPX-2/KPX-3 connected\n";
            return 1;
        }
        const std::string shown = UsesSerialPort(session.link) ? identity : ShownIdentity(identity);
        std::cout << "KPX firmware version: " << shown << " (version number "
                  << int(session.link.firmware_version) << ")\n";
        return 0;
    }
    if (current->parsed()) {
        std::uint8_t preset = 0;
        if (!QueryCurrentPreset(session.link, preset)) {
            std::cerr << "No KPX-2/KPX-3 connected\n";
            return 1;
        }
        std::cout << "current preset: " << int(preset) << " (bank " << preset / 10 << ", preset " << preset % 10 << ")\n";
        return 0;
    }

    if (!OpenLink(session.link, session.link.port_number, *chosen)) {
        std::cerr << "No KPX-2/KPX-3 connected\n";
        return 1;
    }
    std::uint8_t code = 0;
    int status = 0;
    if (read_preset->parsed()) {
        PresetData record;
        LastReadImages last_read{};
        if (ReadPreset(session.link, static_cast<std::uint8_t>(preset_number), code, record, last_read)) {
            PrintPreset(preset_number, record);
            std::cout << "image: " << Hex(last_read[preset_number].data(), 16) << '\n';
        } else {
            status = Failed(code);
        }
    } else if (read_block->parsed()) {
        Block bytes{};
        if (ReadBlock(session.link, static_cast<std::uint8_t>(address), code, bytes))
            std::cout << "block " << address << ": " << Hex(bytes.data(), bytes.size()) << '\n';
        else
            status = Failed(code);
    }
    CloseLink(session.link);
    return status;
}
