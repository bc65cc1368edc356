// Environment variables a test sets for its own lifetime, and the name that gives a COM port
// its device.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>

namespace orvel::testing {

// Sets an environment variable (or, given no value, removes it) for the lifetime of the
// object, then puts back what it was before.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::optional<std::string>& value) : name_(std::move(name))
    {
        if (const char* before = std::getenv(name_.c_str())) before_ = before;
        if (value)
            setenv(name_.c_str(), value->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ~ScopedEnvironment()
    {
        if (before_)
            setenv(name_.c_str(), before_->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
    std::optional<std::string> before_;
};

// "ZUDEDIZE_COM<n>": names the device of COM port n.
inline std::string PortVariable(int port)
{
    return "ZUDEDIZE_COM" + std::to_string(port);
}

}  // namespace orvel::testing
