// Environment variables a test sets for its own lifetime, and the name that gives a COM port
// its device.
#pragma once

#include <cstdlib>
#include <string>
#include <utility>

namespace orvel::testing {

// Sets an environment variable for the lifetime of the object.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, const std::string& value) : name_(std::move(name)) {
        setenv(name_.c_str(), value.c_str(), 1);
    }
    ~ScopedEnvironment() { unsetenv(name_.c_str()); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string name_;
};

// "ZUDEDIZE_COM<n>": names the device of COM port n.
inline std::string PortVariable(int port) { return "ZUDEDIZE_COM" + std::to_string(port); }

}  // namespace orvel::testing
