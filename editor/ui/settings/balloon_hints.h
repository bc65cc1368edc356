// Balloons over the option tiles: a title and a help text in a small window by the pointer.
// One opens 200 ms after the pointer comes to rest on a tile, closes by itself after 30 s or
// when the pointer leaves the tile, and opens 50 ms after the pointer reaches another tile
// while balloons are awake (one is open, or one closed less than two seconds ago).
#pragma once

#include <QFrame>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QLabel;

namespace orvel {

class OptionTile;

// The balloon window itself, named "balloon".
class Balloon : public QFrame {
    Q_OBJECT
public:
    explicit Balloon(QWidget* parent);

    void SetContent(const QString& title, const QString& text);
    QString Title() const;
    QString Text() const;

private:
    QLabel* title_;
    QLabel* text_;
};

class BalloonHints : public QObject {
    Q_OBJECT
public:
    // owner: the window the balloon belongs to.
    explicit BalloonHints(QWidget* owner);

    void Watch(OptionTile* tile);

    // The balloon window (hidden when no balloon is open).
    Balloon* Window() const { return balloon_; }
    // How long the balloon that waits to open still waits in all; -1 when none waits.
    int PendingDelayMs() const { return show_timer_.isActive() ? show_timer_.interval() : -1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Open();
    void Close();

    Balloon* balloon_;
    QPointer<OptionTile> pending_;
    QTimer show_timer_;
    QTimer hide_timer_;
    QTimer awake_timer_;  // while it runs, the next balloon opens after the short pause
};

}  // namespace orvel
