// TfCOMPortNumber: the small modal dialog that asks for a serial port number, "COM port
// number", with the number box seCOMPort (1 to 99, two digits at most) and an "OK" button.
// It opens centred over the main window.
#pragma once

#include <QDialog>

class QSpinBox;

namespace orvel {

class TfCOMPortNumber : public QDialog {
    Q_OBJECT
public:
    explicit TfCOMPortNumber(QWidget* parent);

    QSpinBox* seCOMPort() const { return seCOMPort_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QSpinBox* seCOMPort_;
};

}  // namespace orvel
