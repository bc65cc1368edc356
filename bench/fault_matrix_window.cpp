// Runs the window's commands (the eight transfers of the "Data transfer" menu and the preset
// popup, "Check default" and "Firmware upgrade") against kpx-sim behind a USB converter with
// each fault of the controller or its line, on real widgets offscreen. For each cell it
// prints the boxes shown and what the grid, the transfer buffer, the controller's memory and
// the window's folder hold afterwards, and exits non-zero when a cell breaks a promise:
//
//   - no crash, and the command ends within the time-outs;
//   - a failure shows exactly one box with one of its fault's texts; a success shows none but
//     its own;
//   - a read changes no controller block; a write only its own, and all of them when it ends
//     well;
//   - the grid only ever shows what the controller holds: "Read all presets" and "Check
//     default" keep every row they read before a failure, the other reads change nothing
//     unless they end well; a write changes nothing in the grid or the settings;
//   - the transfer buffer holds, for a write, the command's rows as sent, and for a read,
//     only what the controller holds;
//   - no file in the window's folder changes.
//
//   QT_QPA_PLATFORM=offscreen fault_matrix_window [command ...]
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <stdlib.h>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include "model/model_constants.h"
#include "model/preset_image.h"
#include "model/preset_table.h"
#include "model/settings_data.h"
#include "sim/simulator.h"
#include "tests/support/fault_matrix_faults.h"
#include "tests/support/recording_messages.h"
#include "ui/window/main_form.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using orvel::TMainForm;
using namespace orvel::matrix;

constexpr const char* kSerial = "MATRIX01";
constexpr const char* kComVariable = "ZUDEDIZE_COM9";  // the converter's COM number for the loader
// The slowest failure is a silent line (the first byte's 2 s); an upgrade without erase time
// takes a few seconds. Past this the cell hangs.
constexpr int kHangLimitMs = 90000;

// ---- Commands ----------------------------------------------------------------------------

enum class Kind { ReadAll, Read, ReadSettings, Write, WriteSettings, Upgrade };

struct Command {
    std::string name;
    void (TMainForm::*click)();
    Kind kind;
    std::set<int> presets;  // the presets whose rows and buffer records the command owns
    std::set<int> writes;   // controller blocks it may write
    ReplyBytes bytes;       // what the controller sends for it (the window identified it before)
    std::string success;    // the box its success shows, if any
};

constexpr int kPreset = 37;  // the current row's preset
constexpr std::size_t kBlockReply = 10;

std::set<int> Range(int first, int count)
{
    std::set<int> numbers;
    for (int n = first; n < first + count; ++n) numbers.insert(n);
    return numbers;
}

std::set<int> Blocks(const std::set<int>& presets, std::set<int> more)
{
    for (int n : presets) more.insert({n, n + 100});
    return more;
}

std::vector<Command> Commands()
{
    const std::set<int> all = Range(0, 100);
    const std::set<int> bank = Range(30, 10);
    const std::set<int> one{kPreset};
    return {
        {"Read all presets", &TMainForm::Readall1Click, Kind::ReadAll, all, {}, {201 * kBlockReply, 0}, ""},
        {"Write all presets", &TMainForm::Writeall1Click, Kind::Write, all, Blocks(all, {252}), {201, 0}, ""},
        {"Read bank", &TMainForm::Readbank1Click, Kind::Read, bank, {}, {21 * kBlockReply, 0}, ""},
        {"Write bank",
         &TMainForm::Writebank1Click,
         Kind::Write,
         bank,
         Blocks(bank, {252}),
         {20 + kBlockReply + 1, 0},
         ""},
        {"Read preset", &TMainForm::Readpreset1Click, Kind::Read, one, {}, {2 * kBlockReply, 0}, ""},
        {"Write preset", &TMainForm::Writepreset1Click, Kind::Write, one, Blocks(one, {}), {2, 0}, ""},
        {"Read settings", &TMainForm::Readsettings1Click, Kind::ReadSettings, {}, {}, {3 * kBlockReply, 0}, ""},
        {"Write settings", &TMainForm::Writesettings1Click, Kind::WriteSettings, {}, {251, 253}, {2, 0}, ""},
        // every preset, block 252, then the settings of a controller at its factory contents
        {"Check default",
         &TMainForm::Checkdefault1Click,
         Kind::ReadAll,
         all,
         {},
         {204 * kBlockReply, 0},
         "W urządzeniu są wpisane wartości domyślne"},
        // type and version query 4, frame B 1, erase 1, 89 blocks, CRC 1
        {"Firmware upgrade",
         &TMainForm::Firmwareupgrade1Click,
         Kind::Upgrade,
         {},
         {},
         {96, 0},
         "Firmware upgraded successfully to "},
    };
}

// ---- The window and its controller -------------------------------------------------------

// Answers every question box with Yes (or No) and remembers its text.
class BoxAnswerer {
public:
    BoxAnswerer()
    {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            const auto button = yes ? QMessageBox::Yes : QMessageBox::No;
            if (!box || !box->button(button)) return;
            questions.push_back(box->text().toStdString());
            box->button(button)->click();
        });
        timer_.start(10);
    }
    bool yes = true;
    std::vector<std::string> questions;

private:
    QTimer timer_;
};

bool WaitFor(const std::function<bool()>& done, int deadline_ms)
{
    const auto end = Clock::now() + std::chrono::milliseconds(deadline_ms);
    while (!done()) {
        if (Clock::now() > end) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

bool WaitIdle(TMainForm& window, int deadline_ms = kHangLimitMs)
{
    return WaitFor([&] { return window.DeviceIdle(); }, deadline_ms);
}

struct Bench {
    kpxsim::ConverterTree tree;
    std::unique_ptr<kpxsim::Simulator> sim;
    QTemporaryDir folder;
    orvel::testing::RecordingMessages messages;
    std::unique_ptr<TMainForm> window;

    // A controller at its factory contents (or holding `memory`) on converter 0.
    void Plug(const Memory* memory)
    {
        tree.Remove(0);
        kpxsim::Options options;
        options.current_preset = kPreset;
        sim = std::make_unique<kpxsim::Simulator>(options);
        if (memory) PutMemory(*sim, *memory);
        tree.Add(0, kSerial, sim->SlavePath());
        setenv(kComVariable, sim->SlavePath().c_str(), 1);
    }

    // Lets the connection monitor find the controller, then stops it so that no tick of its
    // own takes bytes from the fault's count.
    bool Identify()
    {
        window->timerKPXTimer();
        const bool found =
            WaitFor([&] { return window->windowTitle().contains(QStringLiteral("KPX firmware version")); }, 10000);
        const bool idle = WaitIdle(*window);
        window->timerKPX()->stop();
        return found && idle;
    }

    void StartWindow()
    {
        window.reset();
        messages.shown.clear();
        orvel::MainFormOptions options;
        options.screen = orvel::ScreenSize{1024, 768};
        options.dpi = 96;
        const std::string path = folder.path().toStdString();
        options.config_places = orvel::ConfigPlaces{path, path + "/user"};
        options.transport = orvel::TransportKind::UsbConverter;
        options.messages = &messages;
        window = std::make_unique<TMainForm>(QStringList{QStringLiteral("orvel")}, options);
    }
};

// The set-up the writes send: every preset and setting differs from the factory one.
void FillGrid(TMainForm& window)
{
    for (int n = 0; n < orvel::kPresetCount; ++n) {
        const int row = orvel::TableRowOfPreset(static_cast<std::uint8_t>(n));
        orvel::PresetData p = window.State().table.GetRow(row);
        p.name = "Name " + std::to_string(n);
        p.buffer = true;
        p.midi1 = std::to_string(n + 1);
        p.ctrls[2] = "tog";
        window.Session().TakeRow(row, p);
    }
    window.Session().TakeBankFunction(3, false);
    orvel::SettingsData settings = window.State().settings;
    settings.ctrl_numbers[1] = "100";
    settings.midi_channels[0] = "5";
    window.Session().TakeSettings(settings);
    window.State().table.SetCurrentRow(orvel::TableRowOfPreset(kPreset));
}

// ---- What a cell looks at ----------------------------------------------------------------

struct Snapshot {
    std::vector<orvel::PresetData> rows;
    orvel::BankFunctions functions{};
    orvel::SettingsData settings;
    orvel::TransferBuffer buffer{};
    Memory memory;
    std::map<std::string, std::string> files;
};

std::map<std::string, std::string> FilesIn(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        files[entry.path().string()] = text.str();
    }
    return files;
}

Snapshot Take(Bench& bench)
{
    Snapshot s;
    const orvel::PresetTable& table = bench.window->State().table;
    for (int n = 0; n < orvel::kPresetCount; ++n)
        s.rows.push_back(table.GetRow(orvel::TableRowOfPreset(static_cast<std::uint8_t>(n))));
    s.functions = table.AllBankFunctions();
    s.settings = bench.window->State().settings;
    s.buffer = bench.window->Session().Buffer();
    s.memory = MemoryOf(*bench.sim);
    s.files = FilesIn(bench.folder.path().toStdString());
    return s;
}

// A record as the controller holds it: its values decoded from blocks n and n + 100 over
// `record`, which keeps its name.
orvel::PresetData AsController(const Memory& memory, int n, orvel::PresetData record)
{
    orvel::PresetImage image{};
    for (std::size_t i = 0; i < 8; ++i) {
        image[i] = memory[static_cast<std::size_t>(n)][i];
        image[i + 8] = memory[static_cast<std::size_t>(n + 100)][i];
    }
    orvel::DecodePreset(image, record);
    return record;
}

// The same record as a grid row shows it (the modifier applied).
orvel::PresetData AsRow(const orvel::PresetData& record, int n)
{
    orvel::PresetTable scratch;
    const int row = orvel::TableRowOfPreset(static_cast<std::uint8_t>(n));
    scratch.SetRow(row, record);
    return scratch.GetRow(row);
}

bool SameValues(orvel::PresetData a, orvel::PresetData b)
{
    a.name = b.name;
    return a == b;
}

struct Cell {
    std::string text;
    std::string outcome;
    std::string state;
    std::vector<std::string> broken;
    void Break(const std::string& what)
    {
        for (const std::string& b : broken)
            if (b == what) return;
        broken.push_back(what);
    }
};

std::string Shortened(const std::string& text)
{
    constexpr std::size_t kWidth = 60;
    if (text.empty()) return "(nothing)";
    return text.size() <= kWidth ? text : text.substr(0, kWidth) + "…";
}

std::string Boxes(const std::vector<orvel::testing::ShownMessage>& shown)
{
    std::string text;
    for (const auto& box : shown) text += (text.empty() ? "" : " / ") + box.text;
    return text;
}

// Checks the grid, the buffer and the memory of a transfer against what it promises.
void CheckTransfer(const Command& command, bool failed, const Snapshot& before, const Snapshot& after, Cell& cell,
                   std::ostringstream& state)
{
    const bool reads = command.kind == Kind::ReadAll || command.kind == Kind::Read;
    int rows_changed = 0;
    for (int n = 0; n < orvel::kPresetCount; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const bool owned = command.presets.count(n) > 0;
        const bool changed = after.rows[i] != before.rows[i];
        rows_changed += changed ? 1 : 0;
        const orvel::PresetData controller = AsRow(AsController(after.memory, n, before.rows[i]), n);
        if (changed && (!reads || !owned)) cell.Break("row of preset " + std::to_string(n) + " changed");
        if (changed && reads && owned && after.rows[i] != controller) cell.Break("row not as the controller has it");
        if (changed && command.kind == Kind::Read && failed) cell.Break("a failed read changed the grid");
        if (reads && owned && !failed && after.rows[i] != controller) cell.Break("row not read");

        // The buffer: a write's records are its rows as sent, a read's the controller's.
        if (after.buffer[i] == before.buffer[i] && !(owned && command.kind == Kind::Write)) continue;
        if (!owned)
            cell.Break("buffer record " + std::to_string(n) + " changed");
        else if (command.kind == Kind::Write && !SameValues(after.buffer[i], before.rows[i]))
            cell.Break("buffer record not the row sent");
        else if (reads && !SameValues(after.buffer[i], AsController(after.memory, n, after.buffer[i])))
            cell.Break("buffer record not the controller's");
    }
    if (after.functions != before.functions && (command.kind != Kind::ReadAll && command.kind != Kind::Read))
        cell.Break("bank functions changed");
    if (after.functions != before.functions && command.kind == Kind::Read && failed)
        cell.Break("a failed read changed a bank function");
    if (after.settings != before.settings && (command.kind != Kind::ReadSettings || failed) &&
        !(command.name == "Check default" && !failed))
        cell.Break("settings changed");
    state << "grid: " << (rows_changed == 0 ? "unchanged" : std::to_string(rows_changed) + " rows read");
    if (after.settings != before.settings) state << ", settings read";
}

Cell RunCell(Bench& bench, const Command& command, const Fault& fault)
{
    Cell cell;
    if (fault.upgrade_only && command.kind != Kind::Upgrade) return cell;

    bench.window.reset();
    bench.Plug(nullptr);
    bench.StartWindow();
    TMainForm& window = *bench.window;
    if (!bench.Identify()) {
        cell.text = "the monitor found no controller";
        cell.Break("not identified");
        return cell;
    }
    FillGrid(window);
    const Snapshot before = Take(bench);

    fault.apply(*bench.sim, command.bytes);
    BoxAnswerer answers;
    const auto start = Clock::now();
    (window.*command.click)();
    const bool ended = WaitIdle(window);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const Snapshot after = Take(bench);

    const auto shown = bench.messages.shown;
    const std::string boxes = Boxes(shown);
    cell.text = Shortened(boxes);
    std::ostringstream outcome;
    outcome.precision(1);
    outcome << std::fixed << (ended ? "" : "HANG, ") << shown.size() << (shown.size() == 1 ? " box, " : " boxes, ")
            << seconds << " s";
    cell.outcome = outcome.str();
    if (!ended) cell.Break("hung");

    // Texts: a failure shows one box with one of its fault's texts; a success only its own.
    static const std::map<std::string, std::vector<std::string>> texts = ExchangeTexts();
    bool failed = false;
    if (fault.name != "none") {
        for (const std::string& text : texts.at(fault.name)) failed = failed || Contains(boxes, text);
        if (failed && shown.size() != 1) cell.Break("more than one box");
        if (!failed && !shown.empty() && !(command.success.size() && Contains(boxes, command.success)))
            cell.Break("unexpected text");
    }
    const bool succeeded = !failed && (command.success.empty() ? shown.empty() : Contains(boxes, command.success));
    if (!failed && !succeeded) cell.Break(shown.empty() ? "failure not shown" : "unexpected text");
    if (fault.name == "none" && !succeeded) cell.Break("failed without a fault");

    // The controller's memory: only the command's own blocks change, and all of them when it
    // ends well.
    const std::set<int> changed = Changed(before.memory, after.memory);
    for (int block : changed)
        if (!command.writes.count(block)) {
            cell.Break("block " + std::to_string(block) + " changed");
            break;
        }
    if (succeeded && changed != command.writes) cell.Break("write incomplete");

    std::ostringstream state;
    state << "memory: " << (changed.empty() ? "unchanged" : std::to_string(changed.size()) + " blocks written") << "; ";
    if (command.kind == Kind::Upgrade) {
        state << "controller " << (bench.sim->RunsLoader() ? "in its loader" : "runs its application");
        if (after.rows != before.rows || after.settings != before.settings || after.buffer != before.buffer)
            cell.Break("the upgrade changed the set-up");
    } else {
        CheckTransfer(command, failed, before, after, cell, state);
    }
    if (after.files != before.files) cell.Break("a file changed");

    if (fault.again) {
        // The converter comes back (a new line with the same memory), or the upgrade runs again.
        bench.messages.shown.clear();
        if (fault.name == "vanish") {
            const Memory kept = MemoryOf(*bench.sim);
            bench.Plug(&kept);
            if (!bench.Identify()) cell.Break("the converter that came back was not found");
        } else {
            bench.sim->SetFaults(kpxsim::Faults{});
        }
        (window.*command.click)();
        const bool again_ended = WaitIdle(window);
        const std::string again = Boxes(bench.messages.shown);
        cell.text += "; again: " + Shortened(again);
        const bool again_ok =
            again_ended && (command.success.empty() ? again.empty() : Contains(again, command.success));
        if (!again_ok) cell.Break("second run failed");
        if (command.kind == Kind::Upgrade) {
            state << " → " << (bench.sim->RunsLoader() ? "in its loader" : "runs its application");
            // The controller now reports the image's version: a third run meets the question.
            answers.yes = false;
            answers.questions.clear();
            (window.*command.click)();
            WaitIdle(window);
            bool same = false;
            for (const std::string& question : answers.questions)
                same = same || Contains(question, "These versions are the same.");
            state << "; third run asks \"same version\": " << (same ? "yes" : "no");
            if (!same) cell.Break("no same-version question");
        }
    }
    cell.state = state.str();
    return cell;
}

// Qt's notes go to standard error as usual, but for the offscreen platform's word on every
// message box it cannot size, which says nothing about the cell.
void DropSizeHintNotes(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (text.contains(QStringLiteral("propagateSizeHints"))) return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, text)) << std::endl;
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(DropSizeHintNotes);
    QApplication application(argc, argv);
    const std::set<std::string> only(argv + 1, argv + argc);

    Bench bench;
    setenv("ORVEL_SYSROOT", bench.tree.Root().c_str(), 1);
    int broken = 0;
    int cells = 0;
    std::cout << "| command | fault | boxes shown | boxes, time | afterwards |\n|---|---|---|---|---|\n";
    for (const Command& command : Commands()) {
        if (!only.empty() && !only.count(command.name)) continue;
        for (const Fault& fault : Faults()) {
            const Cell cell = RunCell(bench, command, fault);
            if (cell.outcome.empty() && cell.broken.empty()) continue;
            ++cells;
            std::string verdict;
            for (const std::string& b : cell.broken) verdict += " **" + b + "**";
            broken += cell.broken.empty() ? 0 : 1;
            std::cout << "| " << command.name << " | " << fault.name << " | " << cell.text << " | " << cell.outcome
                      << " | " << cell.state << verdict << " |" << std::endl;
        }
    }
    bench.window.reset();
    std::cout << "\n" << broken << " of " << cells << " cells broke a promise\n";
    return broken == 0 ? 0 : 1;
}
