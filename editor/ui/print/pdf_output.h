// The preset table as a PDF file, written through Qt's PDF writer. The file appears only
// when every page is written: an existing file is replaced whole or not at all. The file's
// name is kept as the bytes it was given.
#pragma once

#include <string>

#include <QDateTime>

#include "ui/print/table_painter.h"

namespace orvel {

class PresetTable;

struct PdfResult {
    int pages = 0;
    std::string error;  // empty on success
};

// The layout the PDF's pages get with these settings (fonts measured as the writer does).
TableLayout PdfTableLayout(const PrintSettings& settings);

// Needs a Qt GUI application (fonts); see WritePresetTablePdfOffscreen for programs without one.
PdfResult WritePresetTablePdf(const std::string& path, const PresetTable& table, const PrintSettings& settings,
                              const PlatformColours& colours, const QDateTime& now, const PrintHooks& hooks = {});

// The same for a program without a window: starts Qt's GUI module on the offscreen
// platform when no application runs yet, and takes the colours of its default palette.
PdfResult WritePresetTablePdfOffscreen(const std::string& path, const PresetTable& table,
                                       const PrintSettings& settings);

}  // namespace orvel
