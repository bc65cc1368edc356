#include "ui/pictures/preview_picture.h"

#include <QPainter>

#include "ui/pictures/controller_drawing.h"

namespace orvel {

PreviewPicture::PreviewPicture(QWidget* parent) : QWidget(parent), canvas_(PreviewDesignSize(), QImage::Format_RGB32)
{
    setObjectName(QStringLiteral("iPreview"));
    ClearCanvas();
}

void PreviewPicture::ClearCanvas()
{
    QPainter painter(&canvas_);
    DrawPreviewBackground(painter);
    update();
}

void PreviewPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), canvas_);
}

}  // namespace orvel
