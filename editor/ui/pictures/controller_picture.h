// i_kpx: the picture of the controller on the "Settings" page, drawn by us and stretched to
// the widget's size.
#pragma once

#include <QWidget>

namespace orvel {

class ControllerPicture : public QWidget {
    Q_OBJECT
public:
    explicit ControllerPicture(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvel
