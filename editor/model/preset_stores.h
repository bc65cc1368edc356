// The stores kept beside the preset table, both indexed by preset number: the records a
// transfer moves between the table and the controller, and the images last read from the
// controller (for the default check).
#pragma once

#include <array>

#include "model/model_constants.h"
#include "model/preset_data.h"
#include "model/preset_image.h"

namespace orvel {

using TransferBuffer = std::array<PresetData, kPresetCount>;
using LastReadImages = std::array<PresetImage, kPresetCount>;

}  // namespace orvel
