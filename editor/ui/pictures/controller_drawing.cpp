#include "ui/pictures/controller_drawing.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include "ui/rules/window_layout.h"

namespace orvel {

namespace {

// The preview's background: 4140 x 1293 design pixels, shown stretched in the picture's place.
constexpr int kPreviewDesignWidth = 4140;
constexpr int kPreviewDesignHeight = 1293;

// Controller picture, design pixels.
constexpr double kLowerRowY = 233;
constexpr double kUpperRowY = 90;
constexpr std::array<double, 5> kLowerRowX = {72, 266, 460, 654, 848};
constexpr std::array<double, 5> kUpperRowX = {169, 363, 558, 752, 946};
constexpr double kBezelRadius = 40;
constexpr double kKnobRadius = 31;

// Preview background, design pixels: the label windows are 600 wide and two text lines
// high, starting at these corners; the bank digit is written at (185, 190).
constexpr int kLabelWidth = 600;
constexpr int kLabelHeight = 270;
constexpr int kLabelStep = 750;
constexpr int kLowerLabelX = 100;
constexpr int kLowerLabelY = 850;
constexpr int kUpperLabelX = 460;
constexpr int kUpperLabelY = 300;
constexpr int kLabelFrame = 24;

const QColor kPanelTop(0x4a, 0x4e, 0x55);
const QColor kPanelBottom(0x23, 0x25, 0x29);
const QColor kPanelEdge(0x12, 0x13, 0x15);
const QColor kPrint(0xe8, 0xe8, 0xe8);
const QColor kLedRed(0xe8, 0x20, 0x20);
const QColor kDisplayGlass(0x1a, 0x06, 0x06);

void DrawPanel(QPainter& painter, const QRectF& rect, double radius)
{
    QLinearGradient shade(rect.topLeft(), rect.bottomLeft());
    shade.setColorAt(0, kPanelTop);
    shade.setColorAt(1, kPanelBottom);
    painter.setPen(QPen(kPanelEdge, radius / 6));
    painter.setBrush(shade);
    painter.drawRoundedRect(rect, radius, radius);
    // a lighter line along the top edge, where the light catches the bend of the sheet
    painter.setPen(QPen(QColor(255, 255, 255, 60), radius / 8));
    painter.drawLine(QPointF(rect.left() + radius, rect.top() + radius / 4),
                     QPointF(rect.right() - radius, rect.top() + radius / 4));
}

void DrawFootswitch(QPainter& painter, const QPointF& centre, int number)
{
    painter.setPen(QPen(QColor(0x60, 0x63, 0x68), 2));
    painter.setBrush(QColor(0x16, 0x17, 0x1a));
    painter.drawEllipse(centre, kBezelRadius, kBezelRadius);

    QRadialGradient chrome(centre - QPointF(10, 10), kKnobRadius * 1.6);
    chrome.setColorAt(0, QColor(0xfb, 0xfb, 0xfb));
    chrome.setColorAt(0.5, QColor(0xb8, 0xba, 0xbe));
    chrome.setColorAt(1, QColor(0x5c, 0x5e, 0x62));
    painter.setPen(QPen(QColor(0x30, 0x31, 0x34), 1.5));
    painter.setBrush(chrome);
    painter.drawEllipse(centre, kKnobRadius, kKnobRadius);

    // the switch's LED, up and to the right
    const QPointF led = centre + QPointF(kBezelRadius + 14, -kBezelRadius + 8);
    QRadialGradient glow(led, 9);
    glow.setColorAt(0, QColor(0xff, 0x9a, 0x9a));
    glow.setColorAt(0.6, kLedRed);
    glow.setColorAt(1, QColor(0x60, 0x08, 0x08));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(led, 7, 7);

    // its number, down and to the left
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(18);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kPrint);
    const QRectF label(centre.x() - kBezelRadius - 34, centre.y() + 8, 30, 26);
    painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter, QString::number(number));
}

void DrawBankDisplay(QPainter& painter, const QRectF& glass, double digit_size, const QString& digits)
{
    painter.setPen(QPen(QColor(0x0a, 0x0a, 0x0b), digit_size / 20));
    painter.setBrush(kDisplayGlass);
    painter.drawRoundedRect(glass, digit_size / 8, digit_size / 8);
    QFont font(QStringLiteral("Monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(static_cast<int>(digit_size));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(0x5a, 0x10, 0x10));  // unlit segments
    painter.drawText(glass, Qt::AlignCenter, digits);
}

}  // namespace

std::array<QPointF, kFootswitchCount> FootswitchCentres()
{
    std::array<QPointF, kFootswitchCount> centres;
    for (std::size_t i = 0; i < kLowerRowX.size(); ++i) {
        centres[i] = QPointF(kLowerRowX[i], kLowerRowY);
        centres[i + kLowerRowX.size()] = QPointF(kUpperRowX[i], kUpperRowY);
    }
    return centres;
}

QSize ControllerDesignSize()
{
    return {kPictureDesignWidth, kPictureDesignHeight};
}

QSize PreviewDesignSize()
{
    return {kPreviewDesignWidth, kPreviewDesignHeight};
}

void DrawController(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    DrawPanel(painter, QRectF(3, 3, kPictureDesignWidth - 6, kPictureDesignHeight - 6), 18);

    // a groove between the two rows of footswitches
    painter.setPen(QPen(QColor(0x18, 0x19, 0x1c), 3));
    painter.drawLine(QPointF(30, 160), QPointF(kPictureDesignWidth - 30, 160));
    painter.setPen(QPen(QColor(255, 255, 255, 40), 1));
    painter.drawLine(QPointF(30, 162.5), QPointF(kPictureDesignWidth - 30, 162.5));

    const auto centres = FootswitchCentres();
    for (std::size_t i = 0; i < centres.size(); ++i) DrawFootswitch(painter, centres[i], static_cast<int>(i) + 1);

    // the bank display at the lower right
    DrawBankDisplay(painter, QRectF(915, 198, 88, 64), 46, QStringLiteral("88"));
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(kPrint);
    painter.drawText(QRectF(915, 264, 88, 16), Qt::AlignCenter, QStringLiteral("BANK"));
    painter.restore();
}

void DrawPreviewBackground(QPainter& painter)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(QRect(QPoint(0, 0), PreviewDesignSize()), QColor(0xfa, 0xfa, 0xfa));
    DrawPanel(painter, QRectF(12, 12, kPreviewDesignWidth - 24, kPreviewDesignHeight - 24), 60);

    // the bank digit's display
    DrawBankDisplay(painter, QRectF(130, 150, 220, 230), 150, QString());

    for (int k = 0; k < kFootswitchCount; ++k) {
        const bool lower = k < kFootswitchCount / 2;
        const int column = lower ? k : k - kFootswitchCount / 2;
        const QRectF window((lower ? kLowerLabelX : kUpperLabelX) + column * kLabelStep - kLabelFrame,
                            (lower ? kLowerLabelY : kUpperLabelY) - kLabelFrame, kLabelWidth + 2 * kLabelFrame,
                            kLabelHeight + 2 * kLabelFrame);
        painter.setPen(QPen(QColor(0x0e, 0x0f, 0x11), 10));
        painter.setBrush(QColor(0xf4, 0xf4, 0xf0));
        painter.drawRoundedRect(window, 20, 20);

        // the footswitch's number under its window
        QFont font(QStringLiteral("Sans Serif"));
        font.setPixelSize(60);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(kPrint);
        painter.drawText(QRectF(window.left(), window.bottom() + 8, window.width(), 80), Qt::AlignCenter,
                         QString::number(k + 1));
    }
    painter.restore();
}

}  // namespace orvel
