#include "ui/pictures/preview_drawing.h"

#include <QFontMetrics>
#include <QPainter>

#include "ui/pictures/controller_drawing.h"

namespace orvel {

namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;  // the point sizes are meant for 96 dots per inch
const QColor kActiveBox(0xff, 0x00, 0x00);
const QColor kBox(0xff, 0xff, 0xff);
const QColor kDigitBackground(0x1a, 0x06, 0x06);
const QColor kDigitColour(0xe8, 0x20, 0x20);

void DrawLine(QPainter& painter, int box_x, int y, const QString& text)
{
    const QFontMetrics metrics(painter.font(), painter.device());
    const int width = metrics.horizontalAdvance(text);
    painter.drawText(PreviewCentredX(box_x, width), y + metrics.ascent(), text);
}

}  // namespace

void DrawPreviewBank(QImage& canvas, const PreviewBank& bank)
{
    canvas.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    canvas.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
    QPainter painter(&canvas);
    DrawPreviewBackground(painter);
    painter.setRenderHint(QPainter::TextAntialiasing);

    QFont font = bank.font;
    font.setPointSize(std::max(1, bank.points));
    painter.setFont(font);
    const QFontMetrics metrics(font, &canvas);
    const int line_height = metrics.height();

    // The bank digit, opaque.
    const QString digit = QString::number(bank.digits.bank);
    painter.fillRect(QRect(kPreviewBankDigitX, kPreviewBankDigitY, metrics.horizontalAdvance(digit), line_height),
                     kDigitBackground);
    painter.setPen(kDigitColour);
    painter.drawText(kPreviewBankDigitX, kPreviewBankDigitY + metrics.ascent(), digit);

    // Each box is as many spaces wide as fit below 600 pixels, and two lines high.
    const int space = std::max(1, metrics.horizontalAdvance(QLatin1Char(' ')));
    const int box_width = ((kPreviewBoxWidth - 1) / space) * space;
    painter.setPen(bank.text_colour);
    for (int k = 0; k < kPreviewBoxCount; ++k) {
        const PreviewPoint at = PreviewBoxOrigin(k);
        painter.fillRect(QRect(at.x, at.y, box_width, 2 * line_height),
                         PreviewBoxActive(k, bank.digits.preset) ? kActiveBox : kBox);
        const std::string& label = bank.labels[static_cast<std::size_t>(k)];
        const QString text = QString::fromStdString(label);
        if (metrics.horizontalAdvance(text) <= kPreviewBoxWidth) {
            DrawLine(painter, at.x, at.y, text);
        } else {
            const WrappedLabel wrapped = WrapPreviewLabel(label);
            DrawLine(painter, at.x, at.y, QString::fromStdString(wrapped.first));
            DrawLine(painter, at.x, at.y + line_height, QString::fromStdString(wrapped.second));
        }
    }
}

}  // namespace orvel
