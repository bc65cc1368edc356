#include "tests/support/window_test_support.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "tests/support/event_loop_wait.h"

namespace orvel::testing {

bool WaitUntilDeviceIdle(TMainForm& window, std::chrono::milliseconds deadline)
{
    return WaitUntil([&] { return window.DeviceIdle(); }, deadline);
}

void WhenDialogOpens(TMainForm& window, const char* name, std::function<void(QFileDialog&)> step)
{
    QTimer::singleShot(0, &window, [&window, name, step] {
        auto* dialog = window.findChild<QFileDialog*>(QString::fromLatin1(name));
        ASSERT_NE(dialog, nullptr);
        ASSERT_TRUE(dialog->isVisible());
        step(*dialog);
    });
}

TMainForm& WindowFixture::Start(const WindowSetup& setup)
{
    MainFormOptions options;
    options.screen = setup.screen;
    options.dpi = 96;
    options.config_places = ConfigPlaces{folder_.path(), folder_.path() + "/user"};
    options.transport = setup.transport;
    options.messages = &messages_;
    const std::optional<std::string> version = setup.image_version;
    options.image_version = [version] { return version; };
    options.start_file = setup.start_file;
    options.library_folder = folder_.path() + "/data/orvel/library";
    if (!setup.save_question_box) {
        options.ask_save_changes = [this](const std::string& question) {
            save_questions.push_back(question);
            return save_answer;
        };
    }
    window_ = std::make_unique<TMainForm>(setup.arguments, options);
    return *window_;
}

}  // namespace orvel::testing

#if defined(__SANITIZE_THREAD__)
// Debian's Qt is not built for ThreadSanitizer: the locks inside it are invisible to the
// sanitizer, so Qt's own threads (the file dialog's file information thread, the image
// thread pool, QThread's finishing) look as if they raced with the window's thread inside
// Qt's code. What Qt does inside its own libraries is left out; every access of ours is
// still checked.
extern "C" const char* __tsan_default_options()
{
    return "ignore_noninstrumented_modules=1";
}

extern "C" const char* __tsan_default_suppressions()
{
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           "called_from_lib:libQt6Widgets.so.6\n";
}
#endif

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    orvel::testing::WaitWithEventLoop();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
