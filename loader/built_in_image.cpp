// The header named by KPX2_FIRMWARE_HEADER is included here, in a namespace of its own, with
// the two type names its text uses.
#include "loader/built_in_image.h"

#include <cstddef>
#include <cstdint>

#include "loader/image_check.h"
#include KPX2_IMAGE_CHECK_HEADER

namespace kpx2 {

namespace image_header {
using boolean = bool;
using byte = std::uint8_t;
#include KPX2_FIRMWARE_HEADER
}  // namespace image_header

namespace {

constexpr bool IsVersionText(std::string_view text)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return text.size() == 4 && digit(text[0]) && text[1] == '.' && digit(text[2]) && digit(text[3]);
}

// The caller's buffers hold 6 bytes for the name and 5 for the version; the export writes
// its last block line for exactly kImageBlockCount blocks.
static_assert(TypUrzadzeniaZPliku >= 0 && TypUrzadzeniaZPliku <= 0xFF, "the device type is one byte");
static_assert(sizeof(NazwaUrzadzeniaZPliku) == 6, "the device name has 5 characters");
static_assert(IsVersionText(NumerWersjiZPliku), "the version reads digit, point, digit, digit");
static_assert(IloscDanychZPliku == kImageBlockCount, "the image has 89 blocks");
static_assert(sizeof(image_header::WektorBajtow) == kBlockSize);
static_assert(sizeof(image_header::TablicaDanych) == IloscDanychZPliku * kBlockSize);

}  // namespace

const FirmwareImage& BuiltInImage()
{
    static const FirmwareImage image{
        TypUrzadzeniaZPliku,
        NazwaUrzadzeniaZPliku,
        NumerWersjiZPliku,
        IloscDanychZPliku,
        image_header::UzycAdresowaniaCzterobajtowego,
        std::span<const std::uint8_t>(&image_header::TablicaDanych[0][0], sizeof(image_header::TablicaDanych)),
    };
    return image;
}

bool BuiltInImageIsWhole()
{
    static const bool whole = ImageIsWhole(BuiltInImage(), kHeaderBlockCrcs);
    return whole;
}

}  // namespace kpx2
