// The firmware image kpx2 carries, built in from a header in the export format: the
// generated placeholder image unless the build names another (ORVEL_FIRMWARE_HEADER).
#pragma once

#include "loader/firmware_image.h"

namespace kpx2 {

const FirmwareImage& BuiltInImage();

// The built-in image checked once more, at its first use, against the header it was built
// from: the block count, each block's length and each block's CRC.
bool BuiltInImageIsWhole();

}  // namespace kpx2
