// The version of the firmware image this editor can upload, for the window's title. The
// loader library kpx2 knows it: once kpx2 is linked, this asks it to describe its built-in
// image and returns the version text ("2.25"); when kpx2 cannot describe it, kpx2 is
// de-initialised again and there is no version. Nothing is shown to the user either way.
#pragma once

#include <optional>
#include <string>

namespace orvel {

std::optional<std::string> UploadableImageVersion();

}  // namespace orvel
