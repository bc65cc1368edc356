#include "ui/rules/command_status.h"

namespace orvel {

std::string CommandLineText(const std::string& command, const std::string& step, int step_seconds)
{
    if (step.empty()) return command + "\u2026";
    std::string text = command + ": " + step;
    if (step_seconds >= kStepSecondsShownFrom) text += " \u2026 " + std::to_string(step_seconds) + " s";
    return text;
}

}  // namespace orvel
