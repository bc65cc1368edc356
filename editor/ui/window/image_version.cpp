#include "ui/window/image_version.h"

namespace orvel {

std::optional<std::string> UploadableImageVersion()
{
    // Until the editor links kpx2 the title shows the base title alone.
    return std::nullopt;
}

}  // namespace orvel
