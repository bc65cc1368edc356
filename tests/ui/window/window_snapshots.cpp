// Draws the main window's three pages for a few screen sizes into PNG files, to look at the
// layout by eye: window_snapshots <folder> [WxH ...]. Run with QT_QPA_PLATFORM=offscreen.
#include <chrono>
#include <cstdio>

#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QTabWidget>
#include <QTimer>

#include "tests/support/event_loop_wait.h"
#include "ui/settings/balloon_hints.h"
#include "ui/settings/option_tile.h"
#include "ui/window/main_form.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    orvel::testing::WaitWithEventLoop();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: window_snapshots <folder> [WxH ...]\n");
        return 2;
    }
    const QDir folder(arguments[1]);
    QStringList sizes = arguments.mid(2);
    if (sizes.isEmpty()) sizes = {QStringLiteral("1024x768"), QStringLiteral("1920x1080")};

    for (const QString& size : sizes) {
        const QStringList parts = size.split(QLatin1Char('x'));
        if (parts.size() != 2) continue;
        orvel::MainFormOptions options;
        options.screen = orvel::ScreenSize{parts[0].toInt(), parts[1].toInt()};
        options.dpi = 96;
        options.config_places = orvel::ConfigPlaces{QDir::tempPath().toStdString() + "/orvel-snapshots-none", ""};
        options.transport = orvel::TransportKind::SerialPort;  // show the port box too
        orvel::TMainForm window({QStringLiteral("orvel"), QStringLiteral("zebu")}, options);
        window.show();
        QApplication::processEvents();
        const char* pages[] = {"settings", "presets", "preview"};
        for (int page = 0; page < 3; ++page) {
            window.Configuration2()->setCurrentIndex(page);
            QApplication::processEvents();
            const QString path = folder.filePath(QStringLiteral("%1-%2.png").arg(size, QLatin1String(pages[page])));
            if (!window.grab().save(path))
                std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            else
                std::printf("%s\n", qPrintable(path));
        }

        // the balloon over tile 1
        window.Configuration2()->setCurrentIndex(0);
        QApplication::processEvents();
        orvel::OptionTile* tile = window.Tile(1);
        const QPointF centre(tile->width() / 2.0, tile->height() / 2.0);
        QEnterEvent enter(centre, tile->mapTo(&window, centre), tile->mapToGlobal(centre));
        QApplication::sendEvent(tile, &enter);
        auto* balloon = window.findChild<orvel::BalloonHints*>()->Window();
        orvel::testing::WaitUntil([&] { return balloon->isVisible(); }, std::chrono::seconds(2));
        const QString path = folder.filePath(QStringLiteral("%1-balloon.png").arg(size));
        if (balloon->grab().save(path)) std::printf("%s\n", qPrintable(path));
        const QString icon = folder.filePath(QStringLiteral("%1-icon.png").arg(size));
        if (window.windowIcon().pixmap(96, 96).save(icon)) std::printf("%s\n", qPrintable(icon));
    }
    return 0;
}
