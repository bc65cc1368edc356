#include "ui/print/table_painter.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

#include "model/bank_functions.h"
#include "model/bank_rows.h"
#include "model/cell_editor.h"
#include "model/preset_table.h"
#include "ui/qt_values.h"
#include "ui/rules/cell_colours.h"
#include "ui/rules/grid_header_captions.h"

namespace orvel {

namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kGridLineMm = 0.1;
constexpr double kFrameLineMm = 0.35;
constexpr double kCheckBoxShare = 0.7;  // of the smaller side of its cell
constexpr std::uint32_t kGridLineRgb = 0x808080;
constexpr std::uint32_t kButtonLightRgb = 0xFFFFFF;
constexpr std::uint32_t kButtonShadowRgb = 0x808080;

const std::array<std::pair<const char*, QPageSize::PageSizeId>, 5> kPapers = {{
    {"A4", QPageSize::A4},
    {"A3", QPageSize::A3},
    {"A5", QPageSize::A5},
    {"Letter", QPageSize::Letter},
    {"Legal", QPageSize::Legal},
}};

QPageSize::PageSizeId PaperId(const std::string& name)
{
    for (const auto& [paper, id] : kPapers) {
        if (name == paper) return id;
    }
    return QPageSize::A4;
}

QFont FontOf(const PrintFont& font)
{
    QFont f(QString::fromStdString(font.family));
    f.setPointSizeF(font.points);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setStyleHint(QFont::SansSerif);
    // Unhinted glyphs scale with the resolution, so that every device lays out alike.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

Qt::Alignment AlignmentOf(TextPlace place)
{
    switch (place) {
    case TextPlace::Left: return Qt::AlignLeft | Qt::AlignVCenter;
    case TextPlace::Right: return Qt::AlignRight | Qt::AlignVCenter;
    case TextPlace::Centre: break;
    }
    return Qt::AlignCenter;
}

// Dates are written with d, m and y for day, month and year; Qt spells the month M.
QString DatePattern(const std::string& format)
{
    QString pattern = QString::fromStdString(format);
    pattern.replace(QLatin1Char('m'), QLatin1Char('M'));
    return pattern;
}

// One page being painted: millimetres in, device pixels out.
class PagePainter {
public:
    PagePainter(QPainter& painter, QPagedPaintDevice& device, const TableLayout& layout, const PrintSettings& settings,
                const PlatformColours& colours)
        : p_(painter),
          layout_(layout),
          settings_(settings),
          colours_(colours),
          x_(device.logicalDpiX() / kMmPerInch),
          y_(device.logicalDpiY() / kMmPerInch),
          cell_font_(FontOf(settings.cell_font)),
          fixed_font_(FontOf(settings.fixed_font))
    {
    }

    QRectF Rect(double left, double top, double width, double height) const
    {
        return {left * x_, top * y_, width * x_, height * y_};
    }

    QRectF CellRect(int row, int column, int rows = 1, int columns = 1) const
    {
        const auto c = static_cast<std::size_t>(column);
        const auto last = static_cast<std::size_t>(column + columns - 1);
        double height = 0;
        for (int r = row; r < row + rows; ++r) height += RowHeight(layout_, r);
        return Rect(layout_.column_left[c], RowTop(layout_, row),
                    layout_.column_left[last] + layout_.column_width[last] - layout_.column_left[c], height);
    }

    // The room for text inside a cell: the column spacing left and right.
    QRectF TextRoom(const QRectF& cell) const
    {
        const double inset = settings_.column_spacing / static_cast<double>(kPrintUnitsPerMm) * x_ / 2;
        return cell.adjusted(inset, 0, -inset, 0);
    }

    void Frame(const QRectF& rect, double width_mm, std::uint32_t rgb)
    {
        QPen pen(QtColour(rgb));
        pen.setWidthF(width_mm * x_);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(rect);
    }

    void CellBorder(const QRectF& rect)
    {
        if (settings_.grid_lines) Frame(rect, kGridLineMm, kGridLineRgb);
    }

    void Title()
    {
        if (!settings_.show_title) return;
        p_.setFont(FontOf(settings_.header_font));
        p_.setPen(Qt::black);
        p_.drawText(Rect(layout_.table_left, layout_.title_top, layout_.table_width, layout_.title_height),
                    AlignmentOf(settings_.title_place), QString::fromStdString(settings_.title));
    }

    void Footer(int page, const QDateTime& now)
    {
        const QRectF footer = Rect(layout_.table_left, layout_.footer_top, layout_.table_width, layout_.footer_height);
        p_.setFont(FontOf(settings_.footer_font));
        p_.setPen(Qt::black);
        if (settings_.page_numbers) {
            p_.drawText(footer, AlignmentOf(settings_.page_number_place),
                        QStringLiteral("%1/%2").arg(page).arg(layout_.page_count));
        }
        QStringList when;
        if (settings_.show_date) when << now.date().toString(DatePattern(settings_.date_format));
        if (settings_.show_time) when << now.time().toString(QString::fromStdString(settings_.time_format));
        if (!when.isEmpty()) p_.drawText(footer, AlignmentOf(settings_.date_place), when.join(QStringLiteral("  ")));
    }

    void HeaderRows()
    {
        p_.setFont(fixed_font_);
        for (const HeaderCaption& caption : HeaderCaptions()) {
            const QRectF rect =
                CellRect(caption.span.row, caption.span.column, caption.span.rows, caption.span.columns);
            p_.fillRect(rect, QtColour(colours_.fixed));
            CellBorder(rect);
            p_.setPen(Qt::black);
            QString text = QtText(caption.text);
            text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
            if (caption.turned)
                TurnedText(rect, text);
            else if (!CaptionOverColumns(caption, text))
                p_.drawText(rect, Qt::AlignCenter, text);
        }
    }

    void Rows(const PresetTable& table, int first_row, int end_row)
    {
        BankColumn(table, first_row, end_row);
        for (int row = first_row; row < end_row; ++row) {
            const QRectF digit = CellRect(row, kColumnPreset);
            p_.fillRect(digit, QtColour(colours_.fixed));
            CellBorder(digit);
            p_.setFont(fixed_font_);
            p_.setPen(Qt::black);
            p_.drawText(digit, Qt::AlignCenter, QString::fromStdString(table.Cell(row, kColumnPreset).text));
            for (int column = kFixedColumnCount; column < kColumnCount; ++column) Cell(table, row, column);
        }
    }

    void OuterFrame(int rows_on_page)
    {
        if (!settings_.outer_frame) return;
        const double height = layout_.header_height[0] + layout_.header_height[1] + rows_on_page * layout_.row_height;
        Frame(Rect(layout_.table_left, layout_.table_top, layout_.table_width, height), kFrameLineMm, 0x000000);
    }

private:
    void TurnedText(const QRectF& rect, const QString& text)
    {
        p_.save();
        p_.translate(rect.center());
        p_.rotate(-90);
        p_.drawText(QRectF(-rect.height() / 2, -rect.width() / 2, rect.height(), rect.width()), Qt::AlignCenter, text);
        p_.restore();
    }

    // A caption whose second line numbers the columns under it: each word over its column.
    bool CaptionOverColumns(const HeaderCaption& caption, const QString& text)
    {
        const QStringList lines = text.split(QLatin1Char('\n'));
        if (lines.size() != 2) return false;
        const QStringList words = lines[1].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() != caption.span.columns || words.size() < 2) return false;
        const QRectF rect = CellRect(caption.span.row, caption.span.column, caption.span.rows, caption.span.columns);
        const QRectF upper(rect.left(), rect.top(), rect.width(), rect.height() / 2);
        p_.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, lines[0]);
        for (qsizetype i = 0; i < words.size(); ++i) {
            const QRectF column = CellRect(caption.span.row, caption.span.column + static_cast<int>(i));
            p_.drawText(QRectF(column.left(), upper.bottom(), column.width(), rect.height() / 2),
                        Qt::AlignHCenter | Qt::AlignTop, words[i]);
        }
        return true;
    }

    // Column 0: each bank's digit over its rows on this page, its button in its first row.
    void BankColumn(const PresetTable& table, int first_row, int end_row)
    {
        for (int row = first_row; row < end_row;) {
            const int bank_first = FirstRowOfBank(row);
            const int bank_end = std::min(bank_first + kPresetsPerBank, end_row);
            QRectF span = CellRect(row, kColumnBank, bank_end - row);
            p_.fillRect(span, QtColour(colours_.fixed));
            CellBorder(span);
            if (row == bank_first && settings_.cell_graphics) {
                const QRectF button = CellRect(row, kColumnBank);
                BankButton(button, QtText(BankFunctionCaption(table.BankFunction(BankDigitOfTableRow(row)))));
                span.setTop(button.bottom());
            }
            if (span.height() > 0) {
                p_.setFont(fixed_font_);
                p_.setPen(Qt::black);
                p_.drawText(span, Qt::AlignCenter, QString::fromStdString(table.Cell(bank_first, kColumnBank).text));
            }
            row = bank_end;
        }
    }

    void BankButton(const QRectF& cell, const QString& caption)
    {
        const double inset = 0.3 * x_;
        const QRectF rect = cell.adjusted(inset, inset, -inset, -inset);
        p_.fillRect(rect, QtColour(colours_.fixed));
        QPen pen(QtColour(kButtonLightRgb));
        pen.setWidthF(0.15 * x_);
        p_.setPen(pen);
        p_.drawLine(rect.topLeft(), rect.topRight());
        p_.drawLine(rect.topLeft(), rect.bottomLeft());
        pen.setColor(QtColour(kButtonShadowRgb));
        p_.setPen(pen);
        p_.drawLine(rect.bottomLeft(), rect.bottomRight());
        p_.drawLine(rect.topRight(), rect.bottomRight());
        p_.setPen(Qt::black);
        p_.setFont(cell_font_);
        p_.drawText(rect, Qt::AlignCenter, caption);
    }

    std::uint32_t Background(const PresetTable& table, int row, int column) const
    {
        if (!settings_.column_colours) return kWhiteRgb;
        const CellBackground role = ColoursOfCell(table, row, column).background;
        if (role == CellBackground::Info) return colours_.info;
        if (role == CellBackground::Fixed) return colours_.fixed;
        return RgbOfBackground(role).value_or(kWhiteRgb);
    }

    void Cell(const PresetTable& table, int row, int column)
    {
        const QRectF rect = CellRect(row, column);
        const TableCell& cell = table.Cell(row, column);
        // An inactive cell is a plain silver box, as on screen.
        if (!cell.active) {
            p_.fillRect(rect, QtColour(kInactiveRgb));
            CellBorder(rect);
            return;
        }
        p_.fillRect(rect, QtColour(Background(table, row, column)));
        CellBorder(rect);
        p_.setPen(Qt::black);
        if (EditorOfColumn(column).kind == CellEditorKind::CheckBox) {
            if (settings_.cell_graphics)
                CheckBox(rect, cell.checked);
            else if (cell.checked) {
                p_.setFont(cell_font_);
                p_.drawText(rect, Qt::AlignCenter, QStringLiteral("X"));
            }
            return;
        }
        p_.setFont(cell_font_);
        p_.save();
        p_.setClipRect(rect);
        p_.drawText(TextRoom(rect), Qt::AlignCenter, QString::fromStdString(cell.text));
        p_.restore();
    }

    void CheckBox(const QRectF& cell, bool checked)
    {
        const double side = std::min(cell.width(), cell.height()) * kCheckBoxShare;
        QRectF box(0, 0, side, side);
        box.moveCenter(cell.center());
        p_.fillRect(box, Qt::white);
        QPen pen(Qt::black);
        pen.setWidthF(0.15 * x_);
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        p_.drawRect(box);
        if (!checked) return;
        pen.setWidthF(0.3 * x_);
        p_.setPen(pen);
        QPainterPath tick;
        tick.moveTo(box.left() + side * 0.2, box.top() + side * 0.5);
        tick.lineTo(box.left() + side * 0.42, box.top() + side * 0.75);
        tick.lineTo(box.left() + side * 0.8, box.top() + side * 0.25);
        p_.drawPath(tick);
    }

    QPainter& p_;
    const TableLayout& layout_;
    const PrintSettings& settings_;
    const PlatformColours& colours_;
    double x_;
    double y_;
    QFont cell_font_;
    QFont fixed_font_;
};

// Fonts are measured on one reference device, so that the preview, the printer and the PDF
// writer (each with its own resolution) get the same rows per page.
constexpr int kReferenceDotsPerInch = 1200;

QPaintDevice& ReferenceDevice()
{
    static QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dots_per_metre = static_cast<int>(kReferenceDotsPerInch / kMmPerInch * 1000 + 0.5);
        image.setDotsPerMeterX(dots_per_metre);
        image.setDotsPerMeterY(dots_per_metre);
        return image;
    }();
    return device;
}

double LineMm(const PrintFont& font)
{
    QPaintDevice& device = ReferenceDevice();
    return QFontMetricsF(FontOf(font), &device).height() * kMmPerInch / device.logicalDpiY();
}

}  // namespace

PlatformColours CurrentPlatformColours()
{
    const QPalette palette = QGuiApplication::palette();
    return PlatformColours{palette.color(QPalette::Button).rgb() & 0xFFFFFFu,
                           palette.color(QPalette::ToolTipBase).rgb() & 0xFFFFFFu};
}

QStringList PaperNames()
{
    QStringList names;
    for (const auto& paper : kPapers) names << QString::fromLatin1(paper.first);
    return names;
}

QPageLayout PageLayoutFor(const PrintSettings& settings)
{
    return QPageLayout(QPageSize(PaperId(settings.paper)),
                       settings.landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
}

TableLayout LayOutOnDevice(QPagedPaintDevice& device, const PrintSettings& settings)
{
    const QRectF paper = device.pageLayout().fullRect(QPageLayout::Millimeter);
    TextMetrics metrics;
    metrics.cell_line = LineMm(settings.cell_font);
    metrics.fixed_line = LineMm(settings.fixed_font);
    metrics.header_line = LineMm(settings.header_font);
    metrics.footer_line = LineMm(settings.footer_font);
    QPaintDevice& reference = ReferenceDevice();
    metrics.turned_caption =
        QFontMetricsF(FontOf(settings.fixed_font), &reference).horizontalAdvance(QtText(kCaptionBuffer)) * kMmPerInch /
        reference.logicalDpiX();
    // The device's page already has its orientation.
    return LayOutTable(settings, PageSizeMm{paper.width(), paper.height()}, metrics);
}

PaintResult PaintPresetTable(QPagedPaintDevice& device, const PresetTable& table, const PrintSettings& settings,
                             const PlatformColours& colours, const QDateTime& now, const PrintHooks& hooks)
{
    const TableLayout layout = LayOutOnDevice(device, settings);
    if (layout.page_count == 0) return {0, "The margins and fonts leave no room for the table on the page."};

    // The current row's yellow marks the cursor, not the set-up: the pages show the columns' colours.
    PresetTable shown = table;
    shown.SetCurrentRow(0);

    QPainter painter;
    if (!painter.begin(&device)) return {0, "The printer or the file could not be opened."};
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (hooks.started) hooks.started(layout.page_count);
    PagePainter page(painter, device, layout, settings, colours);
    for (int n = 1; n <= layout.page_count; ++n) {
        if (hooks.page) hooks.page(n);
        if (n > 1 && !device.newPage()) {
            painter.end();
            return {n - 1, "A new page could not be started."};
        }
        page.Title();
        page.HeaderRows();
        const int first = FirstRowOfPage(layout, n);
        const int end = EndRowOfPage(layout, n);
        page.Rows(shown, first, end);
        page.OuterFrame(end - first);
        page.Footer(n, now);
    }
    if (!painter.end()) return {layout.page_count, "The pages could not be finished."};
    return {layout.page_count, {}};
}

}  // namespace orvel
