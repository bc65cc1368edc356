// Our own drawing of the foot controller seen from above (the picture on the "Settings"
// page) and of the live preview's background, in their design pixels: 1024 x 284 and
// 4140 x 1293. Both are shown stretched; the option tiles lie over footswitches 1 to 8.
#pragma once

#include <array>

#include <QImage>
#include <QPointF>
#include <QSize>

class QPainter;

namespace orvel {

inline constexpr int kFootswitchCount = 10;

// Centres of footswitches 1 to 10 (index 0 is footswitch 1) in the controller picture's
// design pixels: 1 to 5 along the lower row, 6 to 10 along the upper one. They lie where
// the window puts the tiles once the picture is stretched to its page.
std::array<QPointF, kFootswitchCount> FootswitchCentres();

// Draws the controller into the rectangle (0, 0) to (1024, 284) of the painter.
void DrawController(QPainter& painter);

// Draws the preview background into (0, 0) to (4140, 1293): the panel, the bank display
// and the ten label windows the preview writes preset names into.
void DrawPreviewBackground(QPainter& painter);

// The design sizes of the two pictures.
QSize ControllerDesignSize();
QSize PreviewDesignSize();

}  // namespace orvel
