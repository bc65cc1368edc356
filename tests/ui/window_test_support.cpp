#include "window_test_support.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace orvel::testing {

bool WaitUntilDeviceIdle(TMainForm& window, int deadline_ms)
{
    return QTest::qWaitFor([&] { return window.DeviceIdle(); }, deadline_ms);
}

bool WaitFor(const std::function<bool()>& done, int deadline_ms)
{
    return QTest::qWaitFor(done, deadline_ms);
}

TMainForm& WindowFixture::Start(const WindowSetup& setup)
{
    MainFormOptions options;
    options.screen = setup.screen;
    options.dpi = 96;
    options.config_places = ConfigPlaces{folder_.path(), folder_.path() + "/user"};
    options.platform_kind = setup.platform_kind;
    options.messages = &messages_;
    const std::optional<std::string> version = setup.image_version;
    options.image_version = [version] { return version; };
    window_ = std::make_unique<TMainForm>(setup.arguments, options);
    return *window_;
}

}  // namespace orvel::testing

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
