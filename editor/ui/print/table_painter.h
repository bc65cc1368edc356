// Paints the preset table onto a paged device (a printer, the preview, a PDF writer): the
// title, the two header rows with their merged and turned captions, the preset rows with
// their check boxes, bank buttons and colours, and each page's footer. Needs Qt's GUI
// module only, so that the command-line companion can use it without widgets.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include <QDateTime>
#include <QStringList>

#include "ui/print/page_layout.h"
#include "ui/print/print_settings.h"

class QPagedPaintDevice;
class QPageLayout;

namespace orvel {

class PresetTable;

// What the window hears while the pages go out: the page count before the first page,
// then each page's number before it is painted.
struct PrintHooks {
    std::function<void(int page_count)> started;
    std::function<void(int page)> page;
};

// The colours the grid takes from the platform: fixed cells (header rows and digit
// columns, bank buttons) and the MIDI columns. As 0xRRGGBB.
struct PlatformColours {
    std::uint32_t fixed = 0xEFEFEF;
    std::uint32_t info = 0xFFFFDC;
};

// The application's palette, as the grid on screen uses it.
PlatformColours CurrentPlatformColours();

// The paper sizes offered, by the names print.ini keeps ("A4", "Letter", ...).
QStringList PaperNames();

// The page layout for the settings: paper, orientation and no device margins (the table
// keeps its own margins).
QPageLayout PageLayoutFor(const PrintSettings& settings);

// The table's layout on a device whose page layout is already set.
TableLayout LayOutOnDevice(QPagedPaintDevice& device, const PrintSettings& settings);

struct PaintResult {
    int pages = 0;      // pages painted
    std::string error;  // empty on success
};

// Paints every page. The device's page layout must be set (PageLayoutFor). `now` is the
// date and time the footer shows.
PaintResult PaintPresetTable(QPagedPaintDevice& device, const PresetTable& table, const PrintSettings& settings,
                             const PlatformColours& colours, const QDateTime& now, const PrintHooks& hooks = {});

}  // namespace orvel
