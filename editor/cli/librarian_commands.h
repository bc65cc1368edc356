// The librarian's commands, on preset files alone: show a set-up, set its fields, export its
// presets to CSV and import them back, and compare two files.
#pragma once

#include <vector>

#include "cli/cli_commands.h"

namespace orvel {

// show, set, export-csv and import-csv, in the order the help lists them.
std::vector<CliCommand> LibrarianCommands();

// diff A B: the differences of two preset files, as diff FILE gives those of a file and the
// controller; exit status 0 equal, 1 different, 2 a file could not be read.
int DiffFiles(Companion& c);

}  // namespace orvel
