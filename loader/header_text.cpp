#include "loader/header_text.h"

namespace kpx2 {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

// "0x" and two upper-case hexadecimal digits.
void AppendHexByte(std::string& text, std::uint8_t value)
{
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    text += "0x";
    text += kDigits[value >> 4];
    text += kDigits[value & 0x0F];
}

}  // namespace

std::string HeaderLines(const FirmwareImage& image)
{
    std::string text;
    const auto line = [&text](std::string_view start, std::string_view value = {}) {
        text += start;
        text += value;
        text += kLineEnd;
    };
    std::string type;
    AppendHexByte(type, image.device_type);
    line("#define TypUrzadzeniaZPliku                    ", type);
    line("#define NazwaUrzadzeniaZPliku                  ", "\"" + std::string(image.device_name) + "\"");
    line("#define NumerWersjiZPliku                      ", "\"" + std::string(image.version) + "\"");
    line("#define IloscDanychZPliku                      ", std::to_string(image.block_count));
    line("const boolean UzycAdresowaniaCzterobajtowego = ", image.four_byte_addresses ? "true;" : "false;");
    line("");
    line("typedef byte WektorBajtow[0x80];");
    line("WektorBajtow TablicaDanych[IloscDanychZPliku] =");
    line("  {");
    return text;
}

std::string BlockLine(std::span<const std::uint8_t, kBlockSize> data, bool last_block)
{
    std::string text = "    {";
    for (std::size_t i = 0; i < data.size(); ++i) {
        AppendHexByte(text, data[i]);
        if (i + 1 < data.size()) text += ", ";
    }
    text += last_block ? "}" : "},";
    text += kLineEnd;
    return text;
}

}  // namespace kpx2
