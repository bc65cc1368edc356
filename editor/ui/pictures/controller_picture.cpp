#include "ui/pictures/controller_picture.h"

#include <QPainter>

#include "ui/pictures/controller_drawing.h"

namespace orvel {

ControllerPicture::ControllerPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("i_kpx"));
}

void ControllerPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QSize design = ControllerDesignSize();
    painter.scale(static_cast<double>(width()) / design.width(), static_cast<double>(height()) / design.height());
    DrawController(painter);
}

}  // namespace orvel
