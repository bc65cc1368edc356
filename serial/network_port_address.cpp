#include "serial/network_port_address.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

#include "serial/registry_file.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize {

namespace {

constexpr std::string_view kOlderTree = "ENUM\\ROOT";
constexpr std::string_view kCurrentTree = "SYSTEM\\CurrentControlSet\\Enum\\Root";
constexpr std::string_view kParametersKey = "Device Parameters";
constexpr std::string_view kClass = "*VSP";
constexpr std::string_view kOtherClass = "*TVSP";

std::string Upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Join(std::string_view a, std::string_view b)
{
    return std::string(a) + "\\" + std::string(b);
}

// The address of the last device of one tree naming `port_name`, or "".
std::string SearchTree(const RegistryFile& registry, std::string_view tree, std::string_view parameters,
                       const std::string& port_name)
{
    std::string class_path = Join(tree, kClass);
    if (registry.Find(class_path) == nullptr) class_path = Join(tree, kOtherClass);
    const RegistryKey* devices = registry.Find(class_path);
    if (devices == nullptr) return "";
    std::string address;
    for (const std::string& device : devices->subkeys) {
        std::string path = Join(class_path, device);
        if (!parameters.empty()) path = Join(path, parameters);
        const RegistryKey* key = registry.Find(path);
        if (key == nullptr) continue;
        const RegistryValue* name = key->Value("PortName");
        const bool is_text = name != nullptr && name->type == RegistryValue::Type::String;
        if (!is_text || Upper(name->text) != port_name) continue;
        const RegistryValue* ip = key->Value("DestinationIp");
        address = DottedAddress(ip != nullptr && ip->type == RegistryValue::Type::Dword ? ip->dword : 0);
    }
    return address;
}

}  // namespace

std::string DottedAddress(std::uint32_t v)
{
    return std::to_string(v >> 24 & 255) + "." + std::to_string(v >> 16 & 255) + "." + std::to_string(v >> 8 & 255) +
           "." + std::to_string(v & 255);
}

std::string NetworkAddressOfPort(std::uint8_t port)
{
    const char* file = std::getenv(kRegistryFileVariable);
    if (file == nullptr || *file == '\0') return "";
    const auto registry = RegistryFile::Load(file);
    return registry ? NetworkAddressIn(*registry, port) : "";
}

std::string NetworkAddressIn(const RegistryFile& registry, std::uint8_t port)
{
    const std::string port_name = "COM" + std::to_string(port);
    std::string address = SearchTree(registry, kOlderTree, "", port_name);
    if (address.empty()) address = SearchTree(registry, kCurrentTree, kParametersKey, port_name);
    return address;
}

}  // namespace zudedize
