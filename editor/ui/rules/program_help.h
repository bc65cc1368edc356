// What "orvel --help" and "orvel --version" print: answered before the window or a display is
// needed, so that they work on a terminal without one (the manual page is made from them).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvel {

// The text the command line asks for with --help (or -h) or --version, whichever comes first;
// nothing when it asks for neither. `arguments` is the whole command line, the program's name
// first.
std::optional<std::string> HelpOrVersionText(const std::vector<std::string>& arguments);

}  // namespace orvel
