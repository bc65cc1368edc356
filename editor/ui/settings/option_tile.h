// asg1 to asg8: one option code of the controller's settings as large centred text on a
// yellow square over its footswitch. Not editable; a click asks for the next code.
#pragma once

#include <QLabel>

namespace orvel {

class OptionTile : public QLabel {
    Q_OBJECT
public:
    // tile: 1 to 8; the object is named "asg" followed by it.
    OptionTile(int tile, QWidget* parent);

    int Tile() const { return tile_; }
    // Drawn in the difference colour instead of yellow while its code differs from the
    // controller's.
    void SetMarked(bool marked);
    bool IsMarked() const { return marked_; }

signals:
    void clicked(int tile);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int tile_;
    bool marked_ = false;
};

}  // namespace orvel
