#include "serial/serial_device.h"
#include "serial/termios_device.h"

namespace zudedize {

namespace {

SerialSystem*& Installed()
{
    static SerialSystem* installed = nullptr;
    return installed;
}

}  // namespace

std::thread SerialSystem::StartThread(std::function<void()> body)
{
    return std::thread(std::move(body));
}

SerialSystem& CurrentSerialSystem()
{
    static TermiosSystem termios;
    SerialSystem* installed = Installed();
    return installed != nullptr ? *installed : termios;
}

ScopedSerialSystem::ScopedSerialSystem(SerialSystem& system) : previous_(Installed())
{
    Installed() = &system;
}

ScopedSerialSystem::~ScopedSerialSystem()
{
    Installed() = previous_;
}

}  // namespace zudedize
