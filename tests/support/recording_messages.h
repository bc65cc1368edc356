// A UserMessages that remembers every box it was asked to show.
#pragma once

#include <string>
#include <vector>

#include "device/user_messages.h"

namespace orvel::testing {

struct ShownMessage {
    MessageIcon icon;
    std::string caption;
    std::string text;
};

class RecordingMessages final : public UserMessages {
public:
    void ShowMessage(MessageIcon icon, const std::string& caption, const std::string& text) override
    {
        shown.push_back({icon, caption, text});
    }
    std::vector<ShownMessage> shown;
};

}  // namespace orvel::testing
