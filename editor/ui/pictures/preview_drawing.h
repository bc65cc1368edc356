// Draws the active bank onto the live preview's canvas: the bank digit, the ten boxes with
// the active one red, and their labels centred, a too wide label wrapped on two lines.
#pragma once

#include <array>
#include <string>

#include <QColor>
#include <QFont>
#include <QImage>

#include "ui/rules/preview_rules.h"

namespace orvel {

struct PreviewBank {
    ShownDigits digits;
    std::array<std::string, kPreviewBoxCount> labels;
    QFont font;          // the face and style of tile asg1
    QColor text_colour;  // its colour
    int points = kPreviewTextPoints;
};

// The canvas must be the preview's design size; its background is drawn first.
void DrawPreviewBank(QImage& canvas, const PreviewBank& bank);

}  // namespace orvel
