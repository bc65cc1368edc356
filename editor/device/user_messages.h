// What the device link and the commands show the user: modal message boxes in the window,
// lines on the terminal in the command-line companion, a record in the tests.
#pragma once

#include <string>

namespace orvel {

enum class MessageIcon { Error, Warning, Information, Question };

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // A box with one OK button; returns when the user has closed it.
    virtual void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) = 0;
};

}  // namespace orvel
