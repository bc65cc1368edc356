#include "ui/window/app_icons.h"

#include <functional>

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace orvel {

namespace {

// Every icon is drawn on a 32 x 32 design square and scaled to the size asked for.
using IconDrawing = std::function<void(QPainter&)>;

class DrawnIconEngine final : public QIconEngine {
public:
    explicit DrawnIconEngine(IconDrawing drawing) : drawing_(std::move(drawing)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 32.0, rect.height() / 32.0);
        if (mode == QIcon::Disabled) painter->setOpacity(0.35);
        drawing_(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return picture;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(drawing_); }

private:
    IconDrawing drawing_;
};

QIcon Drawn(IconDrawing drawing)
{
    return QIcon(new DrawnIconEngine(std::move(drawing)));  // QIcon owns its engine
}

const QColor kOutline(0x2e, 0x34, 0x36);

void DrawFolder(QPainter& p)
{
    QPainterPath back;
    back.moveTo(3, 8);
    back.lineTo(12, 8);
    back.lineTo(14, 11);
    back.lineTo(27, 11);
    back.lineTo(27, 26);
    back.lineTo(3, 26);
    back.closeSubpath();
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(0xc1, 0x7d, 0x11));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(3, 26);
    front.lineTo(7, 15);
    front.lineTo(31, 15);
    front.lineTo(27, 26);
    front.closeSubpath();
    QLinearGradient shade(0, 15, 0, 26);
    shade.setColorAt(0, QColor(0xfc, 0xe9, 0x4f));
    shade.setColorAt(1, QColor(0xed, 0xd4, 0x00));
    p.setBrush(shade);
    p.drawPath(front);
}

void DrawDisk(QPainter& p)
{
    QPainterPath body;
    body.moveTo(4, 4);
    body.lineTo(24, 4);
    body.lineTo(28, 8);
    body.lineTo(28, 28);
    body.lineTo(4, 28);
    body.closeSubpath();
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(0x34, 0x65, 0xa4));
    p.drawPath(body);
    p.setBrush(QColor(0xee, 0xee, 0xec));
    p.drawRect(QRectF(8, 4, 14, 9));  // shutter
    p.setBrush(QColor(0x55, 0x57, 0x53));
    p.drawRect(QRectF(17, 5.5, 3, 6));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 17, 18, 11));  // label
    p.setPen(QPen(QColor(0x88, 0x8a, 0x85), 1));
    for (int y = 20; y <= 26; y += 3) p.drawLine(QPointF(9, y), QPointF(23, y));
}

void DrawPen(QPainter& p)
{
    p.save();
    p.translate(24, 20);
    p.rotate(45);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(0xf5, 0x79, 0x00));
    p.drawRect(QRectF(-2.5, -10, 5, 14));
    p.setBrush(QColor(0xe9, 0xb9, 0x6e));
    QPainterPath tip;
    tip.moveTo(-2.5, 4);
    tip.lineTo(2.5, 4);
    tip.lineTo(0, 9);
    tip.closeSubpath();
    p.drawPath(tip);
    p.restore();
}

void DrawPrinter(QPainter& p)
{
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));  // paper in
    QLinearGradient shade(0, 12, 0, 24);
    shade.setColorAt(0, QColor(0xba, 0xbd, 0xb6));
    shade.setColorAt(1, QColor(0x88, 0x8a, 0x85));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(3, 12, 26, 12), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8, 20, 16, 9));  // paper out
    p.setPen(QPen(QColor(0x88, 0x8a, 0x85), 1));
    p.drawLine(QPointF(10, 23), QPointF(22, 23));
    p.drawLine(QPointF(10, 26), QPointF(19, 26));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x4e, 0x9a, 0x06));
    p.drawEllipse(QPointF(25, 16), 1.5, 1.5);
}

void DrawControllerIcon(QPainter& p)
{
    QLinearGradient shade(0, 6, 0, 26);
    shade.setColorAt(0, QColor(0x55, 0x57, 0x5c));
    shade.setColorAt(1, QColor(0x23, 0x25, 0x29));
    p.setPen(QPen(QColor(0x10, 0x10, 0x12), 1));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(1, 7, 30, 18), 3, 3);
    const QPointF knobs[] = {{6, 20}, {13, 20}, {20, 20}, {27, 20}, {9.5, 12}, {16.5, 12}, {23.5, 12}};
    for (const QPointF& centre : knobs) {
        QRadialGradient chrome(centre - QPointF(0.8, 0.8), 3);
        chrome.setColorAt(0, Qt::white);
        chrome.setColorAt(1, QColor(0x80, 0x82, 0x86));
        p.setPen(Qt::NoPen);
        p.setBrush(chrome);
        p.drawEllipse(centre, 2.4, 2.4);
    }
    p.setPen(QPen(Qt::black, 0.6));
    p.setBrush(QColor(0xff, 0xff, 0x00));
    p.drawRect(QRectF(3.6, 17.6, 4.8, 4.8));  // an option tile over footswitch 1
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0x20, 0x20));
    p.drawEllipse(QPointF(28, 10.5), 1.2, 1.2);
}

}  // namespace

QIcon ProgramIcon()
{
    return Drawn(DrawControllerIcon);
}

QIcon OpenIcon()
{
    return Drawn(DrawFolder);
}

QIcon SaveIcon()
{
    return Drawn(DrawDisk);
}

QIcon SaveAsIcon()
{
    return Drawn([](QPainter& p) {
        DrawDisk(p);
        DrawPen(p);
    });
}

QIcon PrintIcon()
{
    return Drawn(DrawPrinter);
}

}  // namespace orvel
