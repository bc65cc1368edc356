// The check bytes and the block payloads built from an image.
#include "loader/block_payload.h"

#include <array>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "loader/crc16_arc.h"

namespace kpx2 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// An image of `blocks` blocks whose byte i of block b is b + i.
struct TestImage {
    explicit TestImage(int blocks, bool four_byte = false) : data(static_cast<std::size_t>(blocks) * kBlockSize)
    {
        for (std::size_t i = 0; i < data.size(); ++i)
            data[i] = static_cast<std::uint8_t>(i / kBlockSize + i % kBlockSize);
        image = {0x1F, "KPX-2", "2.25", blocks, four_byte, data};
    }
    std::vector<std::uint8_t> data;
    FirmwareImage image;
};

TEST(Crc16Arc, MatchesTheStandardCheckValueAndEncodesItsCheckBytes)
{
    constexpr std::string_view kCheckInput = "123456789";
    const Bytes input(kCheckInput.begin(), kCheckInput.end());
    EXPECT_EQ(Crc16Arc(input), 0xBB3D);
    EXPECT_EQ(Crc16Arc({}), 0);
    // Fed in two parts, the register carries over.
    EXPECT_EQ(Crc16Arc(std::span(input).subspan(4), Crc16Arc(std::span(input).first(4))), 0xBB3D);

    const CheckBytes example = CheckBytesOf(0x1234);
    EXPECT_EQ(example.first, 0x1A);
    EXPECT_EQ(example.second, 0x42);
    const CheckBytes bits = CheckBytesOf(0x8001);  // bit 0 of the low byte wraps to bit 7
    EXPECT_EQ(bits.first, 0x80);
    EXPECT_EQ(bits.second, 0x10);
}

TEST(BlockPayload, CarriesAddressDataAndCheckBytesOverAddressAndData)
{
    TestImage test(kImageBlockCount);
    std::array<std::uint8_t, kMaximumPayloadLength> out{};

    ASSERT_EQ(BuildPayload(test.image, 0, out), 132u);
    EXPECT_EQ(out[0], 0x00);
    EXPECT_EQ(out[1], 0x00);
    ASSERT_EQ(BuildPayload(test.image, 1, out), 132u);
    EXPECT_EQ(out[0], 0x80);
    EXPECT_EQ(out[1], 0x00);
    ASSERT_EQ(BuildPayload(test.image, 88, out), 132u);
    EXPECT_EQ(out[0], 0x00);
    EXPECT_EQ(out[1], 0x2C);
    for (std::size_t j = 0; j < kBlockSize; ++j) ASSERT_EQ(out[2 + j], test.data[88 * kBlockSize + j]) << j;

    const CheckBytes check = CheckBytesOf(Crc16Arc(std::span(out).first(130)));
    EXPECT_EQ(out[130], check.first);
    EXPECT_EQ(out[131], check.second);
}

TEST(BlockPayload, FourByteAddressesMakeItTwoBytesLonger)
{
    TestImage test(kImageBlockCount, true);
    std::array<std::uint8_t, kMaximumPayloadLength> out{};
    ASSERT_EQ(BuildPayload(test.image, 88, out), 134u);
    EXPECT_EQ((Bytes{out[0], out[1], out[2], out[3]}), (Bytes{0x00, 0x2C, 0x00, 0x00}));
    EXPECT_EQ(out[4], test.data[88 * kBlockSize]);
    const CheckBytes check = CheckBytesOf(Crc16Arc(std::span(out).first(132)));
    EXPECT_EQ(out[132], check.first);
    EXPECT_EQ(out[133], check.second);
}

TEST(BlockPayload, RefusesBlocksOutsideTheImageAndShortBuffers)
{
    TestImage test(kImageBlockCount);
    std::array<std::uint8_t, kMaximumPayloadLength> out{};
    out.fill(0xEE);
    EXPECT_FALSE(BuildPayload(test.image, -1, out));
    EXPECT_FALSE(BuildPayload(test.image, 89, out));
    EXPECT_FALSE(BuildPayload(test.image, 0x100000000LL, out));
    EXPECT_FALSE(BuildPayload(test.image, 0, std::span(out).first(131)));
    EXPECT_EQ(out[0], 0xEE);  // untouched

    // An image whose table is shorter than its count says is read no further than its table.
    TestImage short_table(10);
    short_table.image.block_count = kImageBlockCount;
    EXPECT_TRUE(BuildPayload(short_table.image, 9, out));
    EXPECT_FALSE(BuildPayload(short_table.image, 10, out));
}

}  // namespace
}  // namespace kpx2
