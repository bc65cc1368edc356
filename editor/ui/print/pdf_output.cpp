#include "ui/print/pdf_output.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QSaveFile>

#include <memory>

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
    const QString name = QFile::decodeName(QByteArray::fromStdString(path));
    if (name.isEmpty()) return {0, "No file name was given for the PDF."};
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return {0, "Cannot write \"" + path + "\": " + file.errorString().toStdString()};
    PaintResult painted;
    {
        // The writer finishes the file when the painter ends; it must be gone before the commit.
        QPdfWriter writer(&file);
        SetUpWriter(writer, settings);
        painted = PaintPresetTable(writer, table, settings, colours, now, hooks);
    }
    if (!painted.error.empty()) {
        file.cancelWriting();
        return {0, painted.error};
    }
    if (!file.commit()) return {0, "Cannot write \"" + path + "\": " + file.errorString().toStdString()};
    return {painted.pages, {}};
}

PdfResult WritePresetTablePdfOffscreen(const std::string& path, const PresetTable& table,
                                       const PrintSettings& settings)
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
