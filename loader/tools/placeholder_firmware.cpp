// Writes the placeholder firmware image kpx2 is built with when no real image is given: a
// header in the export format whose 89 blocks each begin with a label saying what they are,
// followed by a fixed pseudo-random pattern. It is not firmware for any controller.
//
//   kpx2_placeholder_firmware <output header>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "loader/firmware_image.h"
#include "loader/header_text.h"

namespace {

constexpr std::uint8_t kPlaceholderType = 0x1F;
constexpr std::string_view kPlaceholderName = "KPX-2";
constexpr std::string_view kPlaceholderVersion = "2.25";
constexpr std::string_view kLabel = "ORVEL PLACEHOLDER IMAGE - NOT CONTROLLER FIRMWARE - BLOCK ";

// The bytes of block `index`: the label and the block number, then a xorshift pattern.
void FillBlock(int index, std::uint8_t* block)
{
    std::string label(kLabel);
    label += std::to_string(index);
    label += '\0';
    std::size_t i = 0;
    for (; i < label.size() && i < kpx2::kBlockSize; ++i) block[i] = static_cast<std::uint8_t>(label[i]);
    std::uint32_t state = 0x9E3779B9u ^ static_cast<std::uint32_t>(index * 7919 + 1);
    for (; i < kpx2::kBlockSize; ++i) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        block[i] = static_cast<std::uint8_t>(state >> 24);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: kpx2_placeholder_firmware <output header>\n";
        return 2;
    }
    std::vector<std::uint8_t> data(static_cast<std::size_t>(kpx2::kImageBlockCount) * kpx2::kBlockSize);
    for (int index = 0; index < kpx2::kImageBlockCount; ++index)
        FillBlock(index, data.data() + static_cast<std::size_t>(index) * kpx2::kBlockSize);
    const kpx2::FirmwareImage image{
        kPlaceholderType, kPlaceholderName, kPlaceholderVersion, kpx2::kImageBlockCount, false, data};

    std::string text = kpx2::HeaderLines(image);
    for (int index = 0; index < image.block_count; ++index)
        text += kpx2::BlockLine(kpx2::ImageBlockBytes(image, index), index == image.block_count - 1);
    text += kpx2::kClosingLine;

    const std::string path = argv[1];
    const std::string partial = path + ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            std::cerr << "kpx2_placeholder_firmware: cannot write " << partial << '\n';
            return 1;
        }
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        std::cerr << "kpx2_placeholder_firmware: cannot rename " << partial << " to " << path << '\n';
        return 1;
    }
    return 0;
}
