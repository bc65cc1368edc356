// What the window tests share: a main window laid out for a given screen, with its
// Orvel.ini in a fresh folder, its messages recorded and its elements found by name.
#pragma once

#include <QAction>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

#include "recording_messages.h"
#include "temp_folder.h"
#include "ui/window/main_form.h"

namespace orvel::testing {

struct WindowSetup {
    QStringList arguments{QStringLiteral("orvel")};
    ScreenSize screen{1024, 768};
    PlatformKind platform_kind = kPlatformUsb;
    std::optional<std::string> image_version;
};

class WindowFixture {
public:
    WindowFixture() = default;

    // Builds the window (running its start-up) with Orvel.ini looked for in folder().
    TMainForm& Start(const WindowSetup& setup = {});

    TMainForm& window() { return *window_; }
    const TempFolder& folder() const { return folder_; }
    RecordingMessages& messages() { return messages_; }

    template <typename T>
    T* Find(const char* name)
    {
        return window_->findChild<T*>(QString::fromLatin1(name));
    }
    QAction* Action(const char* name) { return Find<QAction>(name); }

private:
    TempFolder folder_;
    RecordingMessages messages_;
    std::unique_ptr<TMainForm> window_;
};

}  // namespace orvel::testing
