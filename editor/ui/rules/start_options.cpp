#include "ui/rules/start_options.h"

#include <algorithm>
#include <cctype>

namespace orvel {

namespace {

// A first argument equal to this word, in any case, shows "Check &default".
constexpr std::string_view kTestWord = "ZEBU";
// This argument (anywhere on the line) selects the numbered serial port transport.
constexpr std::string_view kSerialPortOption = "--serial-port";

}  // namespace

bool IsTestMode(const std::vector<std::string>& arguments)
{
    if (arguments.size() < 2) return false;
    const std::string& first = arguments[1];
    return std::equal(first.begin(), first.end(), kTestWord.begin(), kTestWord.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
}

bool AsksForSerialPort(const std::vector<std::string>& arguments)
{
    return arguments.size() > 1 &&
           std::find(arguments.begin() + 1, arguments.end(), kSerialPortOption) != arguments.end();
}

std::optional<std::string> StartFile(const std::vector<std::string>& arguments)
{
    for (std::size_t i = IsTestMode(arguments) ? 2 : 1; i < arguments.size(); ++i)
        if (!arguments[i].empty() && arguments[i].front() != '-') return arguments[i];
    return std::nullopt;
}

TransportKind StartTransport(const std::vector<std::string>& arguments, const char* transport_variable)
{
    if (AsksForSerialPort(arguments)) return TransportKind::SerialPort;
    return TransportNamedBy(transport_variable).value_or(TransportKind::UsbConverter);
}

std::size_t ChooseMonitor(const std::vector<MonitorGeometry>& monitors)
{
    for (std::size_t i = 0; i < monitors.size(); ++i)
        if (monitors[i].left == 0) return i;
    return 0;
}

}  // namespace orvel
