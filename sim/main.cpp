// kpx-sim: a virtual KPX-2/KPX-3 foot controller for trying the editor without hardware.
#include <array>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/signalfd.h>
#include <unistd.h>

#include <CLI/CLI.hpp>

#include "orvel/version.h"
#include "sim/console.h"
#include "sim/identity.h"
#include "sim/simulator.h"
#include "sim/unique_fd.h"

namespace {

constexpr const char* kDescription =
    "kpx-sim: a virtual KPX-2/KPX-3 foot controller on a pseudo-terminal.\n"
    "\n"
    "It answers the controller's command protocol (identify, current preset, block read and\n"
    "write with checksums, memory lock) over a memory holding the factory contents, at 9600\n"
    "bit/s, and its loader protocol for firmware upgrades: a zero byte at 500 bit/s (a line\n"
    "held at space for 10 ms or more) is a break, after which it listens at 9600 bit/s, and\n"
    "frame A takes it to its maximum speed. Bytes at any other speed than the one it listens\n"
    "at are ignored as noise (the speed is the one the program on the line set). By default it also\n"
    "presents itself as an FTDI USB converter with a serial number, in a redirected system\n"
    "tree: start the editor with ORVEL_SYSROOT set to the root it prints. With --com N it\n"
    "prints the ZUDEDIZE_COM<N> setting that maps COM port N to its line.";

constexpr const char* kFooter =
    "\n"
    "Standard input takes commands while it runs (end of input does not stop it; SIGINT or\n"
    "SIGTERM do, and remove the temporary tree).\n"
    "\n";

struct ProgramOptions {
    kpxsim::Options sim;
    std::string form = "long";
    int preset = 0;
    bool no_pace = false;
    std::string serial = "KPX00001";
    std::string sysroot;
    std::string env_file;
    int com = 0;
    std::string loader_version = "2.2.4";
    std::string image_version = "2.2.5";
    unsigned erase_ms = 0;
    int device_type = 0x1F;
    bool no_speed_answer = false;
};

// "major.minor.revision", each 0 to 255; `option` names the option in the message.
std::array<std::uint8_t, 3> ParseLoaderVersion(const std::string& text, const std::string& option)
{
    const std::string message = "kpx-sim: " + option + " takes MAJOR.MINOR.REVISION, each 0-255";
    std::array<std::uint8_t, 3> digits{};
    std::istringstream in(text);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        char point = '.';
        unsigned value = 0;
        if (i > 0) in >> point;
        if (!(in >> value) || point != '.' || value > 255 || std::isspace(static_cast<unsigned char>(text.front())))
            throw std::invalid_argument(message);
        digits[i] = static_cast<std::uint8_t>(value);
    }
    if (in.peek() != std::char_traits<char>::eof()) throw std::invalid_argument(message);
    return digits;
}

// SIGINT and SIGTERM arrive as readable data; blocked before any thread starts so that
// every thread inherits the mask. A shell starts background programs with SIGINT ignored;
// undo that, or an ignored signal would never arrive.
kpxsim::UniqueFd CatchStopSignals()
{
    ::signal(SIGINT, SIG_DFL);
    ::signal(SIGTERM, SIG_DFL);
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    ::signal(SIGPIPE, SIG_IGN);
    return kpxsim::UniqueFd(::signalfd(-1, &signals, SFD_CLOEXEC));
}

void WriteEnvFile(const std::string& path, const std::string& contents)
{
    // Written beside it under a short name of this process, then renamed: readers never see
    // half a file, and a name as long as the folder takes leaves no room for a suffix.
    const std::filesystem::path target(path);
    const std::filesystem::path partial = target.parent_path() / (".kpx-sim-env-" + std::to_string(::getpid()));
    {
        std::ofstream file(partial);
        file << contents;
        if (!file) throw std::runtime_error("kpx-sim: cannot write " + partial.string());
    }
    std::filesystem::rename(partial, target);
}

// Reads command lines from standard input until quit or a stop signal.
void Serve(kpxsim::Simulator& simulator, int signal_fd)
{
    kpxsim::Console console(simulator, std::cout);
    bool input_open = true;
    std::string pending;
    for (;;) {
        std::array<pollfd, 2> fds{{{signal_fd, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}}};
        if (::poll(fds.data(), input_open ? 2 : 1, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (fds[0].revents & POLLIN) return;
        if (!input_open || !(fds[1].revents & (POLLIN | POLLHUP | POLLERR))) continue;

        std::array<char, 512> buffer{};
        const ssize_t count = ::read(STDIN_FILENO, buffer.data(), buffer.size());
        if (count < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (count <= 0) {
            input_open = false;  // keep running until a signal
            if (!pending.empty() && !console.Execute(pending)) return;
            continue;
        }
        pending.append(buffer.data(), static_cast<std::size_t>(count));
        for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
            const std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!console.Execute(line)) return;
        }
    }
}

int Run(const ProgramOptions& program, int signal_fd)
{
    kpxsim::Simulator simulator(program.sim);
    const std::string& line = simulator.SlavePath();
    std::optional<kpxsim::ConverterTree> tree;
    std::string env;
    std::cout << "kpx-sim: KPX-" << program.sim.model << " (identity \"" << kpxsim::IdentityText(program.sim)
              << "\") on " << line << '\n';
    if (!program.serial.empty()) {
        if (program.sysroot.empty())
            tree.emplace();
        else
            tree.emplace(program.sysroot);
        tree->Add(0, program.serial, line);
        env += "ORVEL_SYSROOT=" + tree->Root() + '\n';
        std::cout << "kpx-sim: USB converter " << program.serial << "; use ORVEL_SYSROOT=" << tree->Root() << '\n';
    }
    if (program.com > 0) {
        const std::string setting = "ZUDEDIZE_COM" + std::to_string(program.com) + '=' + line;
        env += setting + '\n';
        std::cout << "kpx-sim: COM port " << program.com << "; use " << setting << '\n';
    }
    std::cout << "kpx-sim: ready; type help for commands" << std::endl;
    if (!program.env_file.empty()) WriteEnvFile(program.env_file, env);

    Serve(simulator, signal_fd);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    ProgramOptions program;
    CLI::App app{kDescription, "kpx-sim"};
    app.set_version_flag("--version", "kpx-sim " + std::string(orvel::kVersionText), "Print the version and exit");
    app.footer(std::string{kFooter} + kpxsim::Console::Help());
    app.add_option("--model", program.sim.model, "Controller model: 2 (KPX-2) or 3 (KPX-3)")
        ->check(CLI::IsMember({2, 3}))
        ->capture_default_str();
    app.add_option("--form", program.form, "Identity form: long (\"KPX2-3\", version in tens) or short (\"KP2-12\")")
        ->check(CLI::IsMember({"long", "short"}))
        ->capture_default_str();
    app.add_option("--firmware-version", program.sim.version,
                   "Firmware version: long form 0, 10, ... 90; short form 0 to 99")
        ->capture_default_str();
    app.add_option("--identity", program.sim.identity,
                   "Six characters to answer identify with, instead of model, form and version");
    app.add_option("--preset", program.preset, "Current preset number the controller reports (0-99)")
        ->check(CLI::Range(0, 99))
        ->capture_default_str();
    app.add_flag("--locked", program.sim.memory_locked, "Start with the memory lock on");
    app.add_flag("--no-pace", program.no_pace, "Answer at once instead of at the pace of a 9600 bit/s line");
    app.add_option("--serial", program.serial, "Serial number of the USB converter it presents; empty: no converter")
        ->capture_default_str();
    app.add_option("--sysroot", program.sysroot,
                   "Directory for the converter's system tree (default: a new temporary directory, "
                   "removed at the end)");
    app.add_option("--com", program.com, "Also print the setting that maps COM port N to the line")
        ->check(CLI::Range(1, 255));
    app.add_option("--env-file", program.env_file,
                   "Once ready, write the ORVEL_SYSROOT=<root> line (and ZUDEDIZE_COM<N>=<line> "
                   "with --com) to this file, for scripts");
    app.add_option("--device-type", program.device_type,
                   "Device type the loader's query reports: 31 (0x1F, KPX-2) or another, e.g. 29 (0x1D)")
        ->check(CLI::Range(0, 0x7F))
        ->capture_default_str();
    app.add_option("--loader-version", program.loader_version,
                   "Firmware version the loader's query reports, MAJOR.MINOR.REVISION (255: unknown)")
        ->capture_default_str();
    app.add_option("--image-version", program.image_version,
                   "Firmware version the query reports after an upgrade has flashed the new application")
        ->capture_default_str();
    app.add_flag("--in-loader", program.sim.loader.runs_loader,
                 "Start in the loader, with no application (the query reports the loader flag)");
    app.add_option("--max-speed", program.sim.loader.maximum_speed,
                   "Maximum speed in bit/s: the speed query's answer and the speed after frame A")
        ->check(CLI::Range(1u, 0xFFFFFFu))
        ->capture_default_str();
    app.add_flag("--no-speed-answer", program.no_speed_answer, "Leave the maximum-speed query unanswered");
    app.add_option("--erase-ms", program.erase_ms, "How long the flash erase takes, in milliseconds")
        ->check(CLI::Range(0u, 600'000u))
        ->capture_default_str();
    app.add_flag("--four-byte-addresses", program.sim.loader.four_byte_addresses,
                 "Block payloads carry 4-byte addresses");
    CLI11_PARSE(app, argc, argv);

    program.sim.form = program.form == "short" ? kpxsim::IdentityForm::Short : kpxsim::IdentityForm::Long;
    program.sim.current_preset = static_cast<std::uint8_t>(program.preset);
    program.sim.paced = !program.no_pace;
    program.sim.loader.device_type = static_cast<std::uint8_t>(program.device_type);
    program.sim.loader.answers_speed_query = !program.no_speed_answer;
    program.sim.loader.erase_time = std::chrono::milliseconds(program.erase_ms);

    try {
        program.sim.loader.version = ParseLoaderVersion(program.loader_version, "--loader-version");
        program.sim.loader.image_version = ParseLoaderVersion(program.image_version, "--image-version");
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 2;
    }

    const kpxsim::UniqueFd signal_fd = CatchStopSignals();
    try {
        return Run(program, signal_fd.Get());
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}
