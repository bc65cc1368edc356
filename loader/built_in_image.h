// The firmware image kpx2 carries, built in from a header in the export format: the
// generated placeholder image unless the build names another (ORVEL_FIRMWARE_HEADER).
#pragma once

#include "firmware_image.h"

namespace kpx2 {

const FirmwareImage& BuiltInImage();

}  // namespace kpx2
