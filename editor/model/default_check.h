// The default check's comparisons: what a controller read back holds against its factory
// defaults, as the message the check shows for the first difference (in Polish, as the
// service staff use it).
#pragma once

#include <optional>
#include <string>

#include "model/bank_functions.h"
#include "model/preset_stores.h"
#include "model/settings_data.h"

namespace orvel {

inline constexpr const char* kDefaultCheckErrorCaption = "Błąd";
inline constexpr const char* kDefaultCheckInfoCaption = "INFORMACJA";
inline constexpr const char* kDefaultCheckAllDefault = "W urządzeniu są wpisane wartości domyślne";

// Presets 0 to 99 against the default image, then bank functions 0 to 9 (all on).
std::optional<std::string> FirstPresetDifference(const LastReadImages& images, const BankFunctions& functions);

// CTRL numbers (81 to 87), MIDI channels (1 to 3), then the key settings of tiles 1 to 7.
// Tile 8 (AUX mode) is not compared.
std::optional<std::string> FirstSettingsDifference(const SettingsData& settings);

}  // namespace orvel
