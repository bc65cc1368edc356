#include "ui/window/com_port_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "files/file_constants.h"

namespace orvel {

TfCOMPortNumber::TfCOMPortNumber(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfCOMPortNumber"));
    setWindowTitle(QStringLiteral("COM port number"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* label = new QLabel(QStringLiteral("Serial port number"), this);
    seCOMPort_ = new QSpinBox(this);
    seCOMPort_->setObjectName(QStringLiteral("seCOMPort"));
    seCOMPort_->setRange(kPortMin, kPortMax);
    seCOMPort_->setValue(kPortMin);
    label->setBuddy(seCOMPort_);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("bOK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(seCOMPort_, 0, 1);
    layout->addWidget(ok, 1, 0, 1, 2, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfCOMPortNumber::showEvent(QShowEvent* event)
{
    if (QWidget* owner = parentWidget()) {
        const QRect over = owner->frameGeometry();
        move(over.center() - QPoint(width() / 2, height() / 2));
    }
    QDialog::showEvent(event);
}

}  // namespace orvel
