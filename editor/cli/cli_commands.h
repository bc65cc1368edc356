// The companion's commands: each a name, a line of help, its arguments and what it does.
// A new command is one more entry in the table.
#pragma once

#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/companion.h"

namespace orvel {

struct CliCommand {
    std::string_view name;
    std::string_view description;
    // Adds the command's own arguments and options, which fill in the request.
    void (*arguments)(CLI::App& command, Request& request);
    // Runs the command; its exit status (0 done, 1 failed). A failure has said why.
    int (*run)(Companion& companion);
};

// Every command, in the order the help lists them.
const std::vector<CliCommand>& CliCommands();

}  // namespace orvel
