// iPreview: the live preview on the "Preview" page. It keeps a canvas of 4140 x 1293 design
// pixels that starts as our drawing of the controller's labels and is shown stretched; the
// live preview draws the active bank onto the canvas and calls CanvasChanged().
#pragma once

#include <QImage>
#include <QWidget>

namespace orvel {

class PreviewPicture : public QWidget {
    Q_OBJECT
public:
    explicit PreviewPicture(QWidget* parent);

    QImage& Canvas() { return canvas_; }
    const QImage& Canvas() const { return canvas_; }
    void CanvasChanged() { update(); }

    // Back to the background without any bank drawn.
    void ClearCanvas();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage canvas_;
};

}  // namespace orvel
