// Turns the mouse wheel as the platform does: a spontaneous wheel event handed to the
// widget's window, which gives it to the widget under the pointer and, while widgets
// ignore it, on to their parents. (An event sent straight to a widget never travels on.)
#pragma once

#include <QCoreApplication>
#include <QPoint>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>
#include <QtTest/qtestspontaneevent.h>

namespace orvel::testing {

// Notches towards the user (down, the next entry of a drop-down) are positive.
inline void TurnWheel(QWidget* over, QPoint position, int notches)
{
    QWidget* top = over->window();
    const QPointF in_window = over->mapTo(top, position);
    const QPointF global = over->mapToGlobal(position);
    for (int i = 0; i < notches; ++i) {
        QWheelEvent wheel(in_window, global, QPoint(), QPoint(0, -QWheelEvent::DefaultDeltasPerStep), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QCoreApplication::instance()->notify(top->windowHandle(), &wheel);  // keeps it spontaneous
    }
    QCoreApplication::processEvents();
}

}  // namespace orvel::testing
