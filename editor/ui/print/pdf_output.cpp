#include "ui/print/pdf_output.h"

#include <memory>
#include <string_view>

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include "files/file_io.h"
#include "model/preset_table.h"

namespace orvel {

namespace {

constexpr int kPdfDotsPerInch = 600;

void SetUpWriter(QPdfWriter& writer, const PrintSettings& settings)
{
    writer.setResolution(kPdfDotsPerInch);
    writer.setTitle(QString::fromStdString(settings.title));
    writer.setCreator(QStringLiteral("Orvel"));
    writer.setPageLayout(PageLayoutFor(settings));
}

}  // namespace

TableLayout PdfTableLayout(const PrintSettings& settings)
{
    QBuffer nowhere;
    nowhere.open(QIODevice::WriteOnly);
    QPdfWriter writer(&nowhere);
    SetUpWriter(writer, settings);
    return LayOutOnDevice(writer, settings);
}

PdfResult WritePresetTablePdf(const std::string& path, const PresetTable& table, const PrintSettings& settings,
                              const PlatformColours& colours, const QDateTime& now, const PrintHooks& hooks)
{
    if (path.empty()) return {0, "No file name was given for the PDF."};
    // The pages are made in memory and then saved under the name's own bytes: Qt's file names
    // are texts, and a name that is not UTF-8 would reach the disk as another name.
    const FileResult writable = CheckReplaceable(path);
    if (writable.status != FileStatus::Done) return {0, writable.reason};
    QBuffer pages;
    pages.open(QIODevice::WriteOnly);
    PaintResult painted;
    {
        // The writer finishes the document when the painter ends; it must be gone before the save.
        QPdfWriter writer(&pages);
        SetUpWriter(writer, settings);
        painted = PaintPresetTable(writer, table, settings, colours, now, hooks);
    }
    if (!painted.error.empty()) return {0, painted.error};
    const QByteArray& bytes = pages.data();
    const FileResult saved =
        ReplaceFileContents(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (saved.status != FileStatus::Done) return {0, saved.reason};
    return {painted.pages, {}};
}

PdfResult WritePresetTablePdfOffscreen(const std::string& path, const PresetTable& table, const PrintSettings& settings)
{
    std::unique_ptr<QGuiApplication> app;
    if (QGuiApplication::instance() == nullptr) {
        static int argc = 1;
        static char name[] = "orvel";
        static char* argv[] = {name, nullptr};
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    }
    return WritePresetTablePdf(path, table, settings, CurrentPlatformColours(), QDateTime::currentDateTime());
}

}  // namespace orvel
