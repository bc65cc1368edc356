#include "sim/console.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <span>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace kpxsim {

namespace {

// A whole number in decimal, or in hexadecimal after "0x".
std::optional<unsigned long> ParseNumber(const std::string& text, unsigned long max)
{
    try {
        std::size_t used = 0;
        const unsigned long value = std::stoul(text, &used, 0);
        if (used != text.size() || value > max || text.front() == '-') return std::nullopt;
        return value;
    } catch (const std::logic_error&) {
        return std::nullopt;
    }
}

std::optional<bool> ParseSwitch(const std::string& text)
{
    if (text == "on") return true;
    if (text == "off") return false;
    return std::nullopt;
}

template <typename Bytes>
std::string Hex(const Bytes& block)
{
    std::string text;
    for (std::uint8_t byte : block) {
        char digits[4];
        std::snprintf(digits, sizeof digits, "%02X", byte);
        if (!text.empty()) text += ' ';
        text += digits;
    }
    return text;
}

}  // namespace

const char* Console::Help()
{
    return "Console commands, one a line:\n"
           "  preset N              the current preset the controller reports (0-99)\n"
           "  preset-reply off|T U  answer the current preset query with the bytes T and U\n"
           "                        (e.g. 0 12: digits that name no preset)\n"
           "  lock on|off           memory lock: writes are answered with 0x67 while on\n"
           "  silent on|off         read everything, answer nothing\n"
           "  bad-checksum on|off   end block reads with a wrong checksum\n"
           "  read-reply off|BYTE   answer block reads with this byte alone (e.g. 0x65)\n"
           "  write-reply off|BYTE  answer block writes with this byte (e.g. 0x66)\n"
           "  stop-after off|N      send N more bytes, then fall silent\n"
           "  vanish-after off|N    send N more bytes, then unplug\n"
           "  vanish                unplug now: the editor's side of the line fails\n"
           "  dump ADDR             show memory block ADDR (0-199, 250-253) in hexadecimal\n"
           "  reset                 factory contents in every memory block\n"
           "Console commands of the loader side (firmware upgrades):\n"
           "  erase-time MS         the flash erase takes this long (0-600000 ms)\n"
           "  block-status off|BLOCK STATUS\n"
           "                        answer the write of flash block BLOCK with status byte STATUS\n"
           "  flash BLOCK           show application flash block BLOCK (0-127) in hexadecimal\n"
           "  restart               power cycle: the application at 9600 bit/s (the loader if the\n"
           "                        flash holds no finished application)\n"
           "  help                  this list\n"
           "  quit                  end kpx-sim\n"
           "Numbers are decimal, or hexadecimal after 0x.\n";
}

void Console::ApplyFaults()
{
    simulator_.SetFaults(faults_);
}

bool Console::Execute(const std::string& line)
{
    std::istringstream words(line);
    std::string command;
    if (!(words >> command)) return true;
    std::vector<std::string> args;
    for (std::string word; words >> word;) args.push_back(word);
    const std::string arg = args.size() == 1 ? args.front() : std::string{};
    const bool one_arg = args.size() == 1;

    const auto usage = [&](const char* form) { out_ << "kpx-sim: usage: " << form << '\n'; };
    const auto set_switch = [&](const char* form, auto&& apply) {
        const std::optional<bool> on = one_arg ? ParseSwitch(arg) : std::nullopt;
        if (!on) return usage(form);
        apply(*on);
        out_ << "kpx-sim: " << command << ' ' << arg << '\n';
    };
    const auto set_optional = [&](const char* form, unsigned long max, auto&& apply) {
        if (one_arg && arg == "off") {
            apply(std::nullopt);
        } else if (const auto value = one_arg ? ParseNumber(arg, max) : std::nullopt) {
            apply(std::optional<unsigned long>(*value));
        } else {
            return usage(form);
        }
        ApplyFaults();
        out_ << "kpx-sim: " << command << ' ' << arg << '\n';
    };

    if (command == "quit" || command == "exit") return false;
    if (command == "help") {
        out_ << Help();
    } else if (command == "preset") {
        const auto value = one_arg ? ParseNumber(arg, 99) : std::nullopt;
        if (!value) {
            usage("preset N (0-99)");
        } else {
            simulator_.SetCurrentPreset(static_cast<std::uint8_t>(*value));
            out_ << "kpx-sim: current preset " << *value << '\n';
        }
    } else if (command == "preset-reply") {
        const auto tens = args.size() == 2 ? ParseNumber(args[0], 0xFF) : std::nullopt;
        const auto units = args.size() == 2 ? ParseNumber(args[1], 0xFF) : std::nullopt;
        if (one_arg && arg == "off") {
            faults_.preset_reply.reset();
            ApplyFaults();
            out_ << "kpx-sim: preset-reply off\n";
        } else if (!tens || !units) {
            usage("preset-reply off|T U (bytes 0-255)");
        } else {
            // value_or: GCC cannot see that both are set here.
            const std::array<std::uint8_t, 2> reply{static_cast<std::uint8_t>(tens.value_or(0)),
                                                    static_cast<std::uint8_t>(units.value_or(0))};
            faults_.preset_reply = reply;
            ApplyFaults();
            out_ << "kpx-sim: the current preset is answered with " << unsigned{reply[0]} << " " << unsigned{reply[1]}
                 << '\n';
        }
    } else if (command == "lock") {
        set_switch("lock on|off", [&](bool on) { simulator_.SetMemoryLocked(on); });
    } else if (command == "silent") {
        set_switch("silent on|off", [&](bool on) {
            faults_.silent = on;
            ApplyFaults();
        });
    } else if (command == "bad-checksum") {
        set_switch("bad-checksum on|off", [&](bool on) {
            faults_.bad_checksum = on;
            ApplyFaults();
        });
    } else if (command == "read-reply" || command == "write-reply") {
        auto& reply = command == "read-reply" ? faults_.read_reply : faults_.write_reply;
        set_optional("read-reply|write-reply off|BYTE", 0xFF, [&](std::optional<unsigned long> v) {
            reply = v ? std::optional<std::uint8_t>(static_cast<std::uint8_t>(*v)) : std::nullopt;
        });
    } else if (command == "stop-after" || command == "vanish-after") {
        auto& count = command == "stop-after" ? faults_.stop_after : faults_.vanish_after;
        set_optional("stop-after|vanish-after off|N", 1'000'000'000, [&](std::optional<unsigned long> v) {
            count = v ? std::optional<std::size_t>(*v) : std::nullopt;
        });
    } else if (command == "vanish") {
        simulator_.Vanish();
        out_ << "kpx-sim: the line is gone (unplugged)\n";
    } else if (command == "dump") {
        const auto address = one_arg ? ParseNumber(arg, 0xFF) : std::nullopt;
        try {
            if (!address) throw std::out_of_range("no address");
            const auto block = simulator_.ReadMemory(static_cast<std::uint8_t>(*address));
            out_ << "block " << *address << ": " << Hex(block) << '\n';
        } catch (const std::out_of_range&) {
            usage("dump ADDR (0-199, 250-253)");
        }
    } else if (command == "erase-time") {
        const auto ms = one_arg ? ParseNumber(arg, 600'000) : std::nullopt;
        if (!ms) {
            usage("erase-time MS (0-600000)");
        } else {
            simulator_.SetEraseTime(std::chrono::milliseconds(*ms));
            out_ << "kpx-sim: the flash erase takes " << *ms << " ms\n";
        }
    } else if (command == "block-status") {
        const auto block = args.size() == 2 ? ParseNumber(args[0], kFlashBlockCount - 1) : std::nullopt;
        const auto status = args.size() == 2 ? ParseNumber(args[1], 0xFF) : std::nullopt;
        if (one_arg && arg == "off") {
            faults_.block_status.reset();
            ApplyFaults();
            out_ << "kpx-sim: block-status off\n";
        } else if (!block || !status) {
            usage("block-status off|BLOCK STATUS (block 0-127, status 0-255)");
        } else {
            const BlockStatus injected{static_cast<int>(block.value_or(0)),
                                       static_cast<std::uint8_t>(status.value_or(0))};
            faults_.block_status = injected;
            ApplyFaults();
            out_ << "kpx-sim: the write of flash block " << injected.block << " is answered with status "
                 << unsigned{injected.status} << '\n';
        }
    } else if (command == "flash") {
        const auto block = one_arg ? ParseNumber(arg, kFlashBlockCount - 1) : std::nullopt;
        if (!block) {
            usage("flash BLOCK (0-127)");
        } else {
            const FlashBlock data = simulator_.ReadFlash(static_cast<int>(*block));
            constexpr std::size_t kPerLine = 16;
            for (std::size_t at = 0; at < data.size(); at += kPerLine) {
                out_ << "flash " << *block << " +" << at << ": " << Hex(std::span(data).subspan(at, kPerLine)) << '\n';
            }
        }
    } else if (command == "restart") {
        simulator_.Restart();
        out_ << "kpx-sim: restarted; " << (simulator_.RunsLoader() ? "the loader runs" : "the application runs")
             << " at " << simulator_.ControllerSpeed() << " bit/s\n";
    } else if (command == "reset") {
        simulator_.ResetMemory();
        out_ << "kpx-sim: memory back to factory contents\n";
    } else {
        out_ << "kpx-sim: unknown command \"" << command << "\" (try help)\n";
    }
    out_.flush();
    return true;
}

}  // namespace kpxsim
