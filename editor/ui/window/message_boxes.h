// UserMessages shown as modal message boxes over the main window, so that the device link
// and the commands can tell the user what happened.
#pragma once

#include <string>

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "device/user_messages.h"

namespace orvel {

// The box icon of a message's icon.
QMessageBox::Icon BoxIcon(MessageIcon icon);

// A message's text for a box: each "\r" (or "\r\n") becomes a line break.
QString MessageLines(const std::string& text);

class MessageBoxes final : public UserMessages {
public:
    explicit MessageBoxes(QWidget* owner) : owner_(owner) {}
    // "\r" in the text breaks a line.
    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace orvel
