#include "ui/window/message_boxes.h"

#include <QMessageBox>

namespace orvel {

QMessageBox::Icon BoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QString MessageLines(const std::string& text)
{
    QString shown = QString::fromStdString(text);
    return shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}

void MessageBoxes::ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text)
{
    QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), MessageLines(text), QMessageBox::Ok, owner_.data());
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

}  // namespace orvel
