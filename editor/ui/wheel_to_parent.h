// Drop-downs that the mouse wheel does not change: the wheel over one goes on to what lies
// under it (the grid or the page scrolls), so that a value changes only by an explicit
// choice (a click in the open list, arrow keys, typing). Qt hands a wheel event that a
// widget ignores on to its parent.
#pragma once

#include <QEvent>
#include <QObject>
#include <QWidget>

namespace orvel {

class WheelToParent : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Wheel) return false;
        event->ignore();
        return true;
    }
};

// The filter lives as long as the widget.
inline void PassWheelToParent(QWidget* widget)
{
    widget->installEventFilter(new WheelToParent(widget));
}

}  // namespace orvel
