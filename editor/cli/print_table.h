// orvel-cli print-table: the preset table as PDF pages, the same pages the editor's "Print"
// writes, without a window.
#pragma once

#include <string>

namespace orvel {

// Prints the start state, or the set-up of `preset_file` when it is not empty, to `pdf_path`
// with the user's saved print settings (the defaults without them). Returns the exit code.
int PrintTableCommand(const std::string& pdf_path, const std::string& preset_file);

}  // namespace orvel
