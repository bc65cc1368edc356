#include "ui/settings/balloon_hints.h"

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "model/settings_constants.h"
#include "model/settings_tiles.h"
#include "ui/qt_values.h"
#include "ui/settings/option_tile.h"

namespace orvel {

namespace {

constexpr int kBalloonShowDelayMs = 200;    // pointer rests on a tile
constexpr int kBalloonHideAfterMs = 30000;  // a balloon closes on its own
constexpr int kBalloonReshowDelayMs = 50;   // pointer moves on to another tile

constexpr int kAwakeAfterCloseMs = 2000;
constexpr int kPointerGap = 18;  // the balloon's corner below the pointer

QString HelpText(std::string_view text)
{
    QString shown = QtText(text);
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

}  // namespace

Balloon::Balloon(QWidget* parent) : QFrame(parent, Qt::ToolTip | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("balloon"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 8);
    layout->setSpacing(4);
    title_ = new QLabel(this);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    text_ = new QLabel(this);
    text_->setTextFormat(Qt::PlainText);
    text_->setWordWrap(true);
    layout->addWidget(title_);
    layout->addWidget(text_);
}

void Balloon::SetContent(const QString& title, const QString& text)
{
    title_->setText(title);
    text_->setText(text);
    // wide enough for the longest line of most texts, wrapping the rest
    const int widest = text_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 80;
    text_->setMinimumWidth(std::min(widest, text_->fontMetrics().horizontalAdvance(text)));
    text_->setMaximumWidth(widest);
    adjustSize();
}

QString Balloon::Title() const
{
    return title_->text();
}

QString Balloon::Text() const
{
    return text_->text();
}

BalloonHints::BalloonHints(QWidget* owner) : QObject(owner), balloon_(new Balloon(owner))
{
    show_timer_.setSingleShot(true);
    hide_timer_.setSingleShot(true);
    hide_timer_.setInterval(kBalloonHideAfterMs);
    awake_timer_.setSingleShot(true);
    awake_timer_.setInterval(kAwakeAfterCloseMs);
    connect(&show_timer_, &QTimer::timeout, this, &BalloonHints::Open);
    connect(&hide_timer_, &QTimer::timeout, this, &BalloonHints::Close);
}

void BalloonHints::Watch(OptionTile* tile)
{
    tile->setMouseTracking(true);
    tile->installEventFilter(this);
}

bool BalloonHints::eventFilter(QObject* watched, QEvent* event)
{
    auto* tile = qobject_cast<OptionTile*>(watched);
    if (!tile) return false;
    switch (event->type()) {
    case QEvent::Enter: {
        const bool awake = balloon_->isVisible() || awake_timer_.isActive();
        pending_ = tile;
        show_timer_.start(awake ? kBalloonReshowDelayMs : kBalloonShowDelayMs);
        break;
    }
    case QEvent::MouseMove:
        // the pause counts from the moment the pointer rests
        if (!balloon_->isVisible() && pending_ == tile) show_timer_.start();
        break;
    case QEvent::Leave:
    case QEvent::Hide:
        if (pending_ == tile) {
            show_timer_.stop();
            pending_ = nullptr;
        }
        if (balloon_->isVisible()) Close();
        break;
    default: break;
    }
    return false;
}

void BalloonHints::Open()
{
    if (!pending_) return;
    const int tile = pending_->Tile();
    OptionTile* over = pending_;
    pending_ = nullptr;  // opened once per visit: a balloon that timed out stays closed
    balloon_->SetContent(HelpText(BalloonTitle(tile)), HelpText(BalloonText(tile)));

    QPoint corner = QCursor::pos() + QPoint(0, kPointerGap);
    if (!over->rect().contains(over->mapFromGlobal(QCursor::pos())))
        corner = over->mapToGlobal(QPoint(over->width() / 2, over->height()));
    if (QScreen* screen = over->screen()) {
        const QRect room = screen->availableGeometry();
        corner.setX(std::max(room.left(), std::min(corner.x(), room.right() - balloon_->width())));
        if (corner.y() + balloon_->height() > room.bottom())
            corner.setY(over->mapToGlobal(QPoint(0, 0)).y() - balloon_->height() - 4);
    }
    balloon_->move(corner);
    balloon_->show();
    balloon_->raise();
    awake_timer_.stop();
    hide_timer_.start();
}

void BalloonHints::Close()
{
    hide_timer_.stop();
    balloon_->hide();
    awake_timer_.start();
}

}  // namespace orvel
