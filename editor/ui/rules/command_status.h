// What the window shows beside the progress bar while a command runs: its name, the step it
// is at and how long that step has taken, so that a step that keeps the user waiting (the
// erase of a firmware upgrade takes up to 31 s) never looks hung. Plain functions, no toolkit.
#pragma once

#include <string>

namespace orvel {

// Where the text sits: it begins this many toolbar heights from the toolbar's left end
// (past its buttons) and ends this many pixels left of the bar.
inline constexpr int kCommandLabelLeftToolbarHeights = 5;
inline constexpr int kCommandLabelGap = 8;
// The bar's range while a command counts its own steps in hundredths.
inline constexpr int kProgressBarMaximum = 100;
// How often the seconds of a step are counted again.
inline constexpr int kStepSecondsIntervalMs = 1000;
// A step's seconds show once it has taken this long.
inline constexpr int kStepSecondsShownFrom = 2;

// "Read all presets…" before any step; "Firmware upgrade: erasing the flash (up to 31 s)"
// at a step, with " … 12 s" once it has taken kStepSecondsShownFrom seconds.
std::string CommandLineText(const std::string& command, const std::string& step, int step_seconds);

}  // namespace orvel
