// The firmware header's check before the build and the built-in image's check at start.
#include "loader/image_check.h"

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "loader/built_in_image.h"
#include "loader/c_integer_literal.h"
#include "loader/crc16_arc.h"
#include "loader/header_table_check.h"

namespace kpx2 {
namespace {

std::string BuiltInHeaderText()
{
    std::ifstream in(KPX2_FIRMWARE_HEADER_PATH, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text with the first `from` after the start of block line `block` replaced.
std::string Edited(std::string text, int block, const std::string& from, const std::string& to)
{
    std::size_t at = text.find("TablicaDanych");
    for (int i = 0; i <= block; ++i) at = text.find("    {", at + 1);
    at = text.find(from, at);
    return text.replace(at, from.size(), to);
}

std::string Problems(const HeaderTableCheck& check)
{
    std::string all;
    for (const std::string& problem : check.problems) all += problem + "\n";
    return all;
}

TEST(HeaderTableCheck, BuiltInHeaderIsWholeAndGivesTheCrcOfEachBlock)
{
    const HeaderTableCheck check = CheckHeaderTable(BuiltInHeaderText());
    EXPECT_EQ(Problems(check), "");
    ASSERT_EQ(check.block_crcs.size(), 89u);
    EXPECT_EQ(check.block_crcs[88], Crc16Arc(ImageBlockBytes(BuiltInImage(), 88)));
    EXPECT_TRUE(BuiltInImageIsWhole());
}

TEST(HeaderTableCheck, DamageIsNamedByBlockAndWhatIsMissing)
{
    const std::string whole = BuiltInHeaderText();

    // The last value of block 17 dropped (its line ends "..., 0xAB},").
    std::string text = whole;
    std::size_t at = text.find("TablicaDanych");
    for (int i = 0; i <= 17; ++i) at = text.find("    {", at + 1);
    const std::size_t end = text.find("},", at);
    const std::size_t comma = text.rfind(", ", end);
    text.erase(comma, end - comma);
    EXPECT_EQ(Problems(CheckHeaderTable(text)), "block 17 has 127 of its 128 bytes: 1 byte is missing\n");

    // The last block line gone: the line before it closes the table.
    text = whole;
    at = text.find("TablicaDanych");
    for (int i = 0; i <= 87; ++i) at = text.find("    {", at + 1);
    const std::size_t last = text.find("    {", at + 1);
    text.erase(text.rfind(',', last), 1);
    text.erase(last, text.find("  };", last) - last);
    EXPECT_EQ(Problems(CheckHeaderTable(text)),
              "TablicaDanych has 88 block lines for 89 blocks: block 88 is missing\n");

    text = whole;
    const std::string count = "IloscDanychZPliku                      89";
    text.replace(text.find(count), count.size(), "IloscDanychZPliku                      90");
    EXPECT_EQ(Problems(CheckHeaderTable(text)),
              "IloscDanychZPliku declares 90 blocks; the image has 89\n"
              "TablicaDanych has 89 block lines for 90 blocks: block 89 is missing\n");

    EXPECT_EQ(Problems(CheckHeaderTable(Edited(whole, 5, ", 0x", ", 0x1G, 0x"))),
              "block 5, byte 1: \"0x1G\" cannot be read as an integer literal\n");
    EXPECT_EQ(Problems(CheckHeaderTable(Edited(whole, 6, ", 0x", ", 0x100, 0x"))),
              "block 6, byte 1: \"0x100\" is not a byte value\n");
    EXPECT_EQ(Problems(CheckHeaderTable(Edited(whole, 7, ", 0x", ", , 0x"))),
              "block 7: a value is missing after byte 1\n");
    EXPECT_EQ(Problems(CheckHeaderTable(Edited(whole, 8, ", 0x", ", 0x00, 0x"))),
              "block 8 has 129 bytes; a block holds 128\n");
    // A comment is not a value.
    EXPECT_EQ(Problems(CheckHeaderTable(Edited(whole, 9, ", 0x", ", /* 0x00, */ 0x"))), "");
}

// Each literal beside the value the compiler gives it, so that the check is held to the
// compiler's own reading.
struct CompiledLiteral {
    const char* text;
    unsigned long long value;
};
#define KPX2_COMPILED(literal) \
    CompiledLiteral            \
    {                          \
#literal, literal      \
    }

TEST(HeaderTableCheck, ReadsEveryLiteralAsTheCompilerDoesOrNamesIt)
{
    for (const CompiledLiteral& literal :
         {KPX2_COMPILED(0117), KPX2_COMPILED(0), KPX2_COMPILED(00), KPX2_COMPILED(0'17), KPX2_COMPILED(0x4F),
          KPX2_COMPILED(0XfFu), KPX2_COMPILED(0b1001111), KPX2_COMPILED(0B1'0LU), KPX2_COMPILED(79ull),
          KPX2_COMPILED(1'0), KPX2_COMPILED(255Ul), KPX2_COMPILED(0377LLU), KPX2_COMPILED(0xBull)}) {
        EXPECT_EQ(ReadIntegerLiteral(literal.text), literal.value) << literal.text;
    }
    for (const char* unreadable : {"089", "0x", "0b12", "1e2", "'O'", "1''0", "0x'1", "1'", "12lL", "1.0", "-1", "79z",
                                   "(79)", "99999999999999999999"}) {
        EXPECT_EQ(ReadIntegerLiteral(unreadable), std::nullopt) << unreadable;
    }

    // An octal byte is checked as the byte the compiler stores, so the library built from
    // this header finds its image whole.
    const std::string whole = BuiltInHeaderText();
    std::string text = whole;
    std::size_t at = text.find("TablicaDanych");
    for (int i = 0; i <= 10; ++i) at = text.find("    {", at + 1);
    text.replace(at + 5, 4, "0117");  // the first byte's "0xHH"
    const HeaderTableCheck check = CheckHeaderTable(text);
    EXPECT_EQ(Problems(check), "");
    const auto original = ImageBlockBytes(BuiltInImage(), 10);
    std::vector<std::uint8_t> block(original.begin(), original.end());
    block[0] = 79;
    ASSERT_EQ(check.block_crcs.size(), 89u);
    EXPECT_EQ(check.block_crcs[10], Crc16Arc(block));

    const std::string count = "IloscDanychZPliku                      89";
    text = whole;
    EXPECT_EQ(Problems(CheckHeaderTable(text.replace(text.find(count), count.size(), "IloscDanychZPliku 0131"))), "");
    text = whole;
    EXPECT_EQ(Problems(CheckHeaderTable(text.replace(text.find(count), count.size(), "IloscDanychZPliku 89z"))),
              "IloscDanychZPliku: \"89z\" cannot be read as an integer literal\n");
    EXPECT_EQ(Problems(CheckHeaderTable(Edited(whole, 12, ", 0x", ", 089, 0x"))),
              "block 12, byte 1: \"089\" cannot be read as an integer literal\n");
}

TEST(ImageCheck, RefusesAnImageThatDiffersFromItsHeader)
{
    const FirmwareImage& built_in = BuiltInImage();
    const std::vector<std::uint16_t> crcs = CheckHeaderTable(BuiltInHeaderText()).block_crcs;
    EXPECT_TRUE(ImageIsWhole(built_in, crcs));

    std::vector<std::uint8_t> data(built_in.data.begin(), built_in.data.end());
    FirmwareImage image = built_in;
    image.data = data;
    data[40 * kBlockSize + 127] ^= 0x01;  // one bit of block 40
    EXPECT_FALSE(ImageIsWhole(image, crcs));
    data[40 * kBlockSize + 127] ^= 0x01;
    EXPECT_TRUE(ImageIsWhole(image, crcs));

    image.data = std::span<const std::uint8_t>(data).first(data.size() - 1);
    EXPECT_FALSE(ImageIsWhole(image, crcs)) << "the last block one byte short";
    image.data = data;
    image.block_count = 88;
    EXPECT_FALSE(ImageIsWhole(image, std::span(crcs).first(88))) << "a block missing";
}

}  // namespace
}  // namespace kpx2
