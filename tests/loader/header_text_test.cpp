// The header export's text, character for character.
#include "loader/header_text.h"

#include <array>
#include <vector>

#include <gtest/gtest.h>

namespace kpx2 {
namespace {

TEST(HeaderText, WritesTheNineLinesWithTheirColumnsAndCrLf)
{
    const std::vector<std::uint8_t> data(kBlockSize);
    const FirmwareImage image{0x1F, "KPX-2", "2.25", 89, false, data};
    EXPECT_EQ(HeaderLines(image),
              "#define TypUrzadzeniaZPliku                    0x1F\r\n"
              "#define NazwaUrzadzeniaZPliku                  \"KPX-2\"\r\n"
              "#define NumerWersjiZPliku                      \"2.25\"\r\n"
              "#define IloscDanychZPliku                      89\r\n"
              "const boolean UzycAdresowaniaCzterobajtowego = false;\r\n"
              "\r\n"
              "typedef byte WektorBajtow[0x80];\r\n"
              "WektorBajtow TablicaDanych[IloscDanychZPliku] =\r\n"
              "  {\r\n");
    const FirmwareImage other{0x0A, "ABCDE", "9.01", 7, true, data};
    const std::string lines = HeaderLines(other);
    EXPECT_TRUE(lines.starts_with("#define TypUrzadzeniaZPliku                    0x0A\r\n"));
    EXPECT_NE(lines.find("      7\r\nconst boolean UzycAdresowaniaCzterobajtowego = true;\r\n"), std::string::npos);
}

TEST(HeaderText, WritesABlockAsOneRowWithUpperCaseHex)
{
    std::array<std::uint8_t, kBlockSize> data{};
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 2 + 0xA0);
    const std::string row = BlockLine(data, false);
    EXPECT_EQ(row.substr(0, 23), "    {0xA0, 0xA2, 0xA4, ");
    EXPECT_TRUE(row.ends_with("0x9A, 0x9C, 0x9E},\r\n"));
    EXPECT_EQ(row.size(), 5 + 128 * 4 + 127 * 2 + 2 + 2u);
    const std::string last = BlockLine(data, true);
    EXPECT_EQ(last, row.substr(0, row.size() - 4) + "}\r\n");
    EXPECT_EQ(kClosingLine, "  };\r\n");
}

}  // namespace
}  // namespace kpx2
