// Runs every orvel-cli command against kpx-sim with each fault the controller or its line can
// have, and prints what each cell showed, how it ended and what the controller's memory and
// the files hold afterwards. It checks what the commands promise (no crash, no hang past the
// time-outs, nothing changed that the command does not own, no file written from a failed
// read, texts from the table below) and exits non-zero when a cell breaks a promise.
//
//   fault_matrix <orvel-cli> [command ...]
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <signal.h>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "files/preset_file.h"
#include "model/preset_table.h"
#include "model/settings_data.h"
#include "sim/simulator.h"
#include "tests/support/fault_matrix_faults.h"
#include "tests/support/wait_until.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kSerial = "MATRIX01";
constexpr int kComPort = 7;
// The longest a command may take: the slowest failure is a silent line on a read of many
// bytes, which stops at the first byte (2 s); the upgrade's own time-outs are longer.
constexpr auto kHangLimit = std::chrono::seconds(60);

// ---- The texts a cell may show, in one place ---------------------------------------------
// A failing cell must show one of its fault's texts. The companion says every failure in one
// line on standard error: "orvel-cli: no controller answered on " and where, for a controller
// that did not identify itself; a transfer's own text ("Orvel: 021: transmission error"), or
// the exchange's ("orvel-cli: 021: transmission error"), once it did. The upgrade's texts are
// the loader library's.
constexpr const char* kNoAnswer = "no controller answered on ";

// The exchange's texts, and the companion's own for a controller that never identified itself.
std::map<std::string, std::vector<std::string>> FaultTexts()
{
    std::map<std::string, std::vector<std::string>> texts = orvel::matrix::ExchangeTexts();
    for (const char* fault : {"silent", "stop start", "stop middle", "stop end", "vanish"})
        texts[fault].push_back(kNoAnswer);
    return texts;
}
const std::map<std::string, std::vector<std::string>> kFaultTexts = FaultTexts();
// What a successful cell prints, per command (the identification line only with --verbose).
const std::map<std::string, std::string> kSuccessTexts = {
    {"list", "ttyUSB0  MATRIX01  KPX2-3 connected"},
    {"identify", "KPX firmware version: KPX2-3 (version number 30)"},
    {"current", "current preset: 37 (bank 3, preset 7)"},
    {"backup", "backed up to"},
    {"restore", "restored from"},
    {"read-bank", "preset 31:"},
    {"write-bank", "wrote bank 3 and its bank function"},
    {"read-preset", "preset 37:"},
    {"write-preset", "wrote preset 37"},
    {"read-settings", "MIDI channels"},
    {"write-settings", "wrote the settings"},
    {"read-block", "block 252:"},
    {"check-defaults", "W urządzeniu są wpisane wartości domyślne"},  // a controller at its factory contents
    {"upgrade", "Firmware upgraded successfully to 2.25 version"},
};

// ---- Commands ----------------------------------------------------------------------------

struct Command {
    std::string name;
    std::vector<std::string> args;      // after the program; {setup}, {out}, {into} are replaced
    std::set<int> writes;               // controller blocks the command may write
    std::size_t reply_bytes = 0;        // what the controller sends for it, identification first
    std::size_t identification = 0;     // of those, the companion's identification of the controller
    bool upgrade = false;               // reaches the controller as COM port 7
    std::optional<std::string> output;  // a file it writes: "out" (made new) or "into" (kept when it fails)
};

std::set<int> AllPresetBlocks()
{
    std::set<int> blocks;
    for (int b = 0; b < 200; ++b) blocks.insert(b);
    return blocks;
}

std::vector<Command> Commands()
{
    constexpr std::size_t kIdentify = 6;
    constexpr std::size_t kBlockReply = 10;
    std::set<int> all = AllPresetBlocks();
    all.insert({251, 252, 253});
    std::set<int> bank3;
    for (int n = 30; n < 40; ++n) bank3.insert({n, n + 100});
    bank3.insert(252);
    return {
        {"list", {"list"}, {}, kIdentify, 0, false, {}},
        // its own exchange is the identification: a stop cuts the identity short
        {"identify", {"identify"}, {}, kIdentify, 0, false, {}},
        {"current", {"current"}, {}, kIdentify + 2, kIdentify, false, {}},
        {"backup", {"backup", "{out}"}, {}, kIdentify + 204 * kBlockReply, kIdentify, false, "out"},
        {"restore", {"restore", "{setup}"}, all, kIdentify + 203, kIdentify, false, {}},
        {"read-bank",
         {"read-bank", "3", "--into", "{into}"},
         {},
         kIdentify + 21 * kBlockReply,
         kIdentify,
         false,
         "into"},
        {"write-bank",
         {"write-bank", "3", "--from", "{setup}"},
         bank3,
         kIdentify + 20 + kBlockReply + 1,
         kIdentify,
         false,
         {}},
        {"read-preset",
         {"read-preset", "37", "--into", "{into}"},
         {},
         kIdentify + 2 * kBlockReply,
         kIdentify,
         false,
         "into"},
        {"write-preset", {"write-preset", "37", "--from", "{setup}"}, {37, 137}, kIdentify + 2, kIdentify, false, {}},
        {"read-settings",
         {"read-settings", "--into", "{into}"},
         {},
         kIdentify + 3 * kBlockReply,
         kIdentify,
         false,
         "into"},
        {"write-settings", {"write-settings", "--from", "{setup}"}, {251, 253}, kIdentify + 2, kIdentify, false, {}},
        {"read-block", {"read-block", "252"}, {}, kIdentify + kBlockReply, kIdentify, false, {}},
        {"check-defaults", {"check-defaults"}, {}, kIdentify + 204 * kBlockReply, kIdentify, false, {}},
        // type and version query 4, frame B 1, erase 1, 89 blocks, CRC 1 (the upgrade does not
        // ask for the maximum speed): a stop at the end loses the CRC's reply
        {"upgrade", {"--com", "7", "upgrade", "--yes"}, {}, 96, 0, true, {}},
    };
}

// ---- Faults ------------------------------------------------------------------------------

using orvel::matrix::Fault;
using orvel::matrix::Faults;

orvel::matrix::ReplyBytes BytesOf(const Command& c)
{
    return {c.reply_bytes, c.identification};
}

// ---- Running the companion ---------------------------------------------------------------

struct Run {
    std::string text;      // the first line it printed that says how it went
    std::string all;       // everything it printed
    int exit_status = -1;  // -1: killed by a signal or hung
    bool crashed = false;
    bool hung = false;
    double seconds = 0;
};

// The first line printed, or the last for a command whose outcome comes at its end.
std::string MeaningfulLine(const std::string& all, bool last)
{
    std::istringstream lines(all);
    std::string line, chosen;
    while (std::getline(lines, line)) {
        if (const auto bar = line.rfind('\r'); bar != std::string::npos) line = line.substr(bar + 1);
        if (line.empty()) continue;
        if (chosen.empty() || last) chosen = line;
    }
    return chosen;
}

Run RunCompanion(const std::string& program, const std::vector<std::string>& args,
                 const std::vector<std::string>& environment, const fs::path& output, bool last_line)
{
    Run run;
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int fd = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(fd, STDOUT_FILENO);
        dup2(fd, STDERR_FILENO);
        const int null = open("/dev/null", O_RDONLY);
        dup2(null, STDIN_FILENO);
        for (const std::string& setting : environment) putenv(const_cast<char*>(setting.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int status = 0;
    if (!orvel::testing::WaitUntil([&] { return waitpid(pid, &status, WNOHANG) == pid; }, kHangLimit)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        run.hung = true;
    }
    run.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    if (!run.hung && WIFEXITED(status))
        run.exit_status = WEXITSTATUS(status);
    else if (!run.hung)
        run.crashed = true;
    std::ifstream in(output);
    std::stringstream text;
    text << in.rdbuf();
    run.all = text.str();
    run.text = MeaningfulLine(run.all, last_line);
    return run;
}

// ---- State -------------------------------------------------------------------------------

using orvel::matrix::Changed;
using orvel::matrix::Contains;
using orvel::matrix::Memory;
using orvel::matrix::MemoryOf;

std::string FileText(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<none>";
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The set-up the write commands send: every preset and setting differs from the factory one.
void WriteSetup(const fs::path& path)
{
    orvel::PresetTable table;
    orvel::SettingsData settings;
    for (int n = 0; n < 100; ++n) {
        const int row = orvel::TableRowOfPreset(static_cast<std::uint8_t>(n));
        orvel::PresetData p = table.GetRow(row);
        p.buffer = true;
        p.midi1 = std::to_string(n + 1);
        p.ctrls[2] = "tog";
        table.SetRow(row, p);
    }
    table.SetBankFunction(3, false);
    settings.ctrl_numbers[1] = "100";
    settings.midi_channels[0] = "5";
    orvel::SavePresetFile(path.string(), table, settings);
}

// ---- One cell ----------------------------------------------------------------------------

struct Cell {
    std::string text;
    std::string outcome;  // exit status and seconds
    std::string state;    // controller memory and files afterwards
    std::vector<std::string> broken;
};

std::string Shortened(const std::string& text)
{
    constexpr std::size_t kWidth = 60;
    if (text.empty()) return "(nothing)";
    return text.size() <= kWidth ? text : text.substr(0, kWidth) + "…";
}

struct Line {
    std::unique_ptr<kpxsim::ConverterTree> tree;
    std::unique_ptr<kpxsim::Simulator> sim;

    void Start(const Memory* memory, bool in_loader)
    {
        sim.reset();
        tree = std::make_unique<kpxsim::ConverterTree>();
        kpxsim::Options options;
        options.current_preset = 37;
        options.loader.runs_loader = in_loader;
        sim = std::make_unique<kpxsim::Simulator>(options);
        if (memory) orvel::matrix::PutMemory(*sim, *memory);
        tree->Add(0, kSerial, sim->SlavePath());
    }
    std::vector<std::string> Environment() const
    {
        return {"ORVEL_SYSROOT=" + tree->Root(), "ZUDEDIZE_COM" + std::to_string(kComPort) + "=" + sim->SlavePath()};
    }
};

std::vector<std::string> Arguments(const Command& command, const fs::path& work)
{
    std::vector<std::string> args;
    for (const std::string& arg : command.args) {
        if (arg == "{setup}")
            args.push_back((work / "setup.ini").string());
        else if (arg == "{out}")
            args.push_back((work / "out.ini").string());
        else if (arg == "{into}")
            args.push_back((work / "into.ini").string());
        else
            args.push_back(arg);
    }
    return args;
}

Cell RunCell(const std::string& program, const Command& command, const Fault& fault, const fs::path& work)
{
    Cell cell;
    if (fault.upgrade_only && !command.upgrade) {
        cell.text = "—";
        return cell;
    }
    fs::remove(work / "out.ini");
    fs::copy_file(work / "setup.ini", work / "into.ini", fs::copy_options::overwrite_existing);
    const std::string into_before = FileText(work / "into.ini");

    Line line;
    line.Start(nullptr, false);
    const Memory before = MemoryOf(*line.sim);
    fault.apply(*line.sim, BytesOf(command));
    Run run = RunCompanion(program, Arguments(command, work), line.Environment(), work / "output.txt", command.upgrade);
    const Memory after = MemoryOf(*line.sim);

    cell.text = Shortened(run.text);
    std::ostringstream outcome;
    outcome.precision(1);
    outcome << std::fixed
            << (run.crashed ? "CRASH"
                : run.hung  ? "HANG"
                            : "exit " + std::to_string(run.exit_status))
            << ", " << run.seconds << " s";
    cell.outcome = outcome.str();

    if (run.crashed) cell.broken.push_back("crashed");
    if (run.hung) cell.broken.push_back("hung");

    // Texts: success shows the command's own line; a failure one of its fault's texts.
    const bool failed = run.exit_status != 0;
    if (failed && fault.name != "none") {
        bool known = false;
        for (const std::string& text : kFaultTexts.at(fault.name)) known = known || Contains(run.all, text);
        if (!known) cell.broken.push_back("unexpected text");
    }
    if (!failed && fault.name != "none") {
        for (const std::string& text : kFaultTexts.at(fault.name))
            if (Contains(run.all, text)) {
                cell.broken.push_back("failure reported as success");
                break;
            }
    }
    if (fault.name == "none" && !Contains(run.all, kSuccessTexts.at(command.name)))
        cell.broken.push_back("success without its line");
    if (fault.name == "none" && failed) cell.broken.push_back("failed without a fault");

    // Memory: only the command's own blocks may change, and a read changes none.
    const std::set<int> changed = Changed(before, after);
    for (int block : changed)
        if (!command.writes.count(block)) {
            cell.broken.push_back("block " + std::to_string(block) + " changed");
            break;
        }
    if (!failed && changed != command.writes && !command.writes.empty()) cell.broken.push_back("write incomplete");

    std::ostringstream state;
    state << "memory: " << (changed.empty() ? "unchanged" : std::to_string(changed.size()) + " blocks written");
    if (command.output == "out") {
        const bool written = fs::exists(work / "out.ini");
        state << "; file: " << (written ? "written" : "none");
        if (written == failed) cell.broken.push_back(failed ? "file written by a failed read" : "no file");
    } else if (command.output == "into") {
        const bool kept = FileText(work / "into.ini") == into_before;
        state << "; file: " << (kept ? "unchanged" : "updated");
        if (failed && !kept) cell.broken.push_back("file changed by a failed read");
    }
    if (command.upgrade)
        state << "; controller " << (line.sim->RunsLoader() ? "in its loader" : "runs its application");

    if (fault.again) {
        // The converter comes back (a new line with the same memory), or the upgrade runs again.
        Memory kept = MemoryOf(*line.sim);
        const bool in_loader = line.sim->RunsLoader();
        if (fault.name == "vanish")
            line.Start(&kept, in_loader);
        else
            line.sim->SetFaults(kpxsim::Faults{});
        const Run again =
            RunCompanion(program, Arguments(command, work), line.Environment(), work / "output.txt", command.upgrade);
        cell.text += "; again: " + Shortened(again.text);
        cell.outcome += "; again exit " + std::to_string(again.exit_status);
        if (again.exit_status != 0) cell.broken.push_back("second run failed");
        if (command.upgrade) {
            state << " → " << (line.sim->RunsLoader() ? "in its loader" : "runs its application");
            // The controller now reports the image's version: a third run meets the question.
            const Run third = RunCompanion(program, Arguments(command, work), line.Environment(), work / "output.txt",
                                           command.upgrade);
            const bool same = Contains(third.all, "These versions are the same.");
            state << "; third run asks \"same version\": " << (same ? "yes" : "no");
            if (!same) cell.broken.push_back("no same-version question");
        }
    }
    cell.state = state.str();
    return cell;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::cerr << "usage: fault_matrix <orvel-cli> [command ...]\n";
        return 2;
    }
    const std::string program = fs::absolute(argv[1]).string();
    const std::set<std::string> only(argv + 2, argv + argc);
    char pattern[] = "/tmp/orvel-fault-matrix.XXXXXX";
    const fs::path work = mkdtemp(pattern);
    WriteSetup(work / "setup.ini");

    int broken = 0;
    std::cout << "| command | fault | text shown | exit, time | afterwards |\n|---|---|---|---|---|\n";
    for (const Command& command : Commands()) {
        if (!only.empty() && !only.count(command.name)) continue;
        for (const Fault& fault : Faults()) {
            const Cell cell = RunCell(program, command, fault, work);
            if (cell.outcome.empty()) continue;
            std::string verdict;
            for (const std::string& b : cell.broken) verdict += " **" + b + "**";
            broken += cell.broken.empty() ? 0 : 1;
            std::cout << "| " << command.name << " | " << fault.name << " | " << cell.text << " | " << cell.outcome
                      << " | " << cell.state << verdict << " |" << std::endl;
        }
    }
    fs::remove_all(work);
    std::cout << "\n" << broken << " cells broke a promise\n";
    return broken == 0 ? 0 : 1;
}
