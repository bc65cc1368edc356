// orvel-cli: the command-line companion of the editor, for technicians and scripts. It runs
// the editor's own transfer commands, default check and firmware upgrade on the terminal.
// Exit status: 0 done, 1 failed, 2 wrong usage (diff: 0 equal, 1 different, 2 failed);
// every failure says why in one line.
#include <cstdlib>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "cli/cli_commands.h"
#include "cli/companion.h"
#include "cli/decimal_number.h"
#include "orvel/version.h"

namespace {

using namespace orvel;

constexpr int kWrongUsage = 2;

std::string CommandNames()
{
    std::string names;
    for (const CliCommand& command : CliCommands()) names += (names.empty() ? "" : ", ") + std::string(command.name);
    return names;
}

// One line for a command line that cannot be run: an unknown or missing command is named
// with the list of commands; anything else in the parser's words.
int WrongUsage(const CLI::App& app, const CLI::ParseError& error)
{
    std::string text = error.what();
    if (app.get_subcommands().empty()) {
        const std::vector<std::string> rest = app.remaining();
        text = rest.empty() ? "no command given" : "unknown command \"" + rest.front() + "\"";
        text += "; the commands are " + CommandNames();
    }
    std::cerr << "orvel-cli: " << text << std::endl;
    return kWrongUsage;
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app{
        "orvel-cli: the command-line companion of Orvel, the KPX-2/KPX-3 editor.\n"
        "Without --serial, --com or --device the first USB converter whose controller answers is used.\n"
        "Exit status: 0 done, 1 failed, 2 wrong usage; diff: 0 equal, 1 different, 2 failed.\n"
        "show, set, export-csv, import-csv and diff A B work on preset files alone; --json (list, identify,\n"
        "current, diff, show) answers in JSON, described in docs/cli-json.md."};
    app.require_subcommand(1);
    Request request;
    auto* by_serial = app.add_option("-s,--serial", request.serial, "the USB converter with this serial number");
    auto* by_com = app.add_option("--com", request.com_port,
                                  "the numbered serial port N (ZUDEDIZE_COM<N>=<device> names its device)")
                       ->transform(DecimalIn(1, 99));
    auto* by_device = app.add_option("--device", request.device, "the serial device at this path, e.g. /dev/ttyUSB0");
    by_serial->excludes(by_com)->excludes(by_device);
    by_com->excludes(by_device);
    app.add_flag("-v,--verbose", request.verbose, "show the controller's identification line");
    app.set_version_flag("--version", "orvel-cli " + std::string(kVersionText), "print the version and exit");

    const CliCommand* chosen = nullptr;
    for (const CliCommand& command : CliCommands()) {
        CLI::App* sub = app.add_subcommand(std::string(command.name), std::string(command.description));
        if (command.arguments) command.arguments(*sub, request);
        sub->callback([&chosen, &command] { chosen = &command; });
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForAllHelp& help) {
        return app.exit(help);
    } catch (const CLI::CallForVersion& version) {
        return app.exit(version);
    } catch (const CLI::ParseError& error) {
        return WrongUsage(app, error);
    }
    if (chosen == nullptr) return kWrongUsage;
    request.transport = ChooseTransport(request, std::getenv(std::string(kTransportVariable).c_str()));
    Companion companion(request);
    return chosen->run(companion);
}
