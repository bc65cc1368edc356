// UserMessages shown as modal message boxes over the main window, so that the device link
// and the commands can tell the user what happened.
#pragma once

#include <QPointer>
#include <QWidget>

#include "user_messages.h"

namespace orvel {

class MessageBoxes final : public UserMessages {
public:
    explicit MessageBoxes(QWidget* owner) : owner_(owner) {}
    // "\r" in the text breaks a line.
    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override;

private:
    QPointer<QWidget> owner_;
};

}  // namespace orvel
