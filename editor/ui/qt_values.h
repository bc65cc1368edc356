// Values of the plain C++ layers as Qt values: a text (UTF-8, as captions and messages carry
// Polish letters; a string_view need not end in a zero), a colour given as 0xRRGGBB, and a
// file name, which the plain layers keep as the bytes the user gave.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QString>

namespace orvel {

inline QString QtText(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QColor QtColour(std::uint32_t rgb)
{
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

// A file name for the screen (bytes that are not UTF-8 show as replacement characters).
inline QString ShownPath(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// A name Qt gave (a file dialog's) as the file system's bytes.
inline std::string LocalPath(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

}  // namespace orvel
