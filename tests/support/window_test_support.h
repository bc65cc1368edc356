// What the window tests share: a main window laid out for a given screen, with its
// Orvel.ini and its library in a fresh folder, its messages recorded and its elements found
// by name.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QAction>
#include <QFileDialog>
#include <QStringList>

#include "tests/support/recording_messages.h"
#include "tests/support/temp_folder.h"
#include "tests/support/wait_until.h"
#include "ui/window/main_form.h"

namespace orvel::testing {

struct WindowSetup {
    QStringList arguments{QStringLiteral("orvel")};
    ScreenSize screen{1024, 768};
    TransportKind transport = TransportKind::UsbConverter;
    std::optional<std::string> image_version;
    std::optional<std::string> start_file;
    bool save_question_box = false;  // "Save changes to …?" as the real box, not answered here
};

// Lets the window's thread run until the device thread has ended every job and the window
// has taken their results; false at the deadline. (WaitUntil, with the event loop running
// between looks, waits for anything else.)
bool WaitUntilDeviceIdle(TMainForm& window, std::chrono::milliseconds deadline = std::chrono::seconds(30));

// Runs `step` on the modal file dialog `name` once it is open.
void WhenDialogOpens(TMainForm& window, const char* name, std::function<void(QFileDialog&)> step);

class WindowFixture {
public:
    WindowFixture() = default;

    // Builds the window (running its start-up) with Orvel.ini looked for in folder().
    TMainForm& Start(const WindowSetup& setup = {});

    TMainForm& window() { return *window_; }
    const TempFolder& folder() const { return folder_; }
    RecordingMessages& messages() { return messages_; }
    // Every "Save changes to …?" asked, answered with save_answer.
    std::vector<std::string> save_questions;
    SaveAnswer save_answer = SaveAnswer::Discard;

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
