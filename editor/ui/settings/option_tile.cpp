#include "ui/settings/option_tile.h"

#include <QMouseEvent>

#include "ui/qt_values.h"
#include "ui/rules/cell_colours.h"

namespace orvel {

OptionTile::OptionTile(int tile, QWidget* parent) : QLabel(parent), tile_(tile)
{
    setObjectName(QStringLiteral("asg%1").arg(tile));
    setAlignment(Qt::AlignCenter);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0xff, 0xff, 0x00));
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    setCursor(Qt::PointingHandCursor);
}

void OptionTile::SetMarked(bool marked)
{
    if (marked == marked_) return;
    marked_ = marked;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, marked ? QtColour(kDifferenceRgb) : QColor(0xff, 0xff, 0x00));
    setPalette(colours);
}

void OptionTile::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit clicked(tile_);
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

}  // namespace orvel
