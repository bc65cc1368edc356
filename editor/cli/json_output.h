// The answers of list, identify, current and diff as JSON, one object a line, for scripts
// (docs/cli-json.md); what fails still says why in one line on standard error.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/companion.h"
#include "files/json_text.h"
#include "model/setup_compare.h"

namespace orvel {

// The --json flag of a command.
void JsonOption(CLI::App& command, Request& request);

// Prints the writer's object as one line and flushes it.
void PrintJsonLine(const JsonWriter& json);

// list --json: {"converters": [{"tty", "serial", "identity"}]}, identity null when no
// controller answered.
int ListJson(Companion& c);

// identify --json: {"identity": "KPX2-3", "firmware_version": 30}.
void PrintIdentityJson(const std::string& identity, int firmware_version);

// The members "preset", "bank_digit" and "preset_digit" of a preset number.
void WriteCurrentPreset(JsonWriter& json, int preset);

// The differences of two set-ups: one DifferenceLine each, the sides named by the labels, or
// with `json` {"equal": ..., "differences": [...]}, "first" the labels' first side.
void PrintDifferences(const std::vector<SetupDifference>& differences, std::string_view first_label,
                      std::string_view second_label, bool json);

}  // namespace orvel
