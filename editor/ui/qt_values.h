// Values of the plain C++ layers as Qt values: a text (UTF-8, as captions and messages carry
// Polish letters; a string_view need not end in a zero) and a colour given as 0xRRGGBB.
#pragma once

#include <QColor>
#include <QString>

#include <cstdint>
#include <string_view>

namespace orvel {

inline QString QtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor QtColour(std::uint32_t rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

}  // namespace orvel
