// Feeds arbitrary bytes to the REGEDIT4 reader that stands in for the registry, then looks up
// the network address of a few ports in what it read. Every key a key lists as a subkey can
// be found by its path; an address is empty or four octets; a text of plain ASCII reads the
// same as its UTF-16 form with a byte-order mark.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "serial/network_port_address.h"
#include "serial/registry_file.h"

namespace {

// Walks the tree below `path`, checking that each listed subkey is there; the keys seen.
std::size_t Walk(const zudedize::RegistryFile& registry, const std::string& path, int depth)
{
    const zudedize::RegistryKey* key = registry.Find(path);
    if (key == nullptr) __builtin_trap();
    std::size_t seen = 1;
    if (depth == 0) return seen;
    for (const std::string& name : key->subkeys)
        seen += Walk(registry, path.empty() ? name : path + "\\" + name, depth - 1);
    return seen;
}

bool IsAddress(const std::string& text)
{
    if (text.empty()) return true;
    int octets = 0;
    std::size_t at = 0;
    while (at <= text.size()) {
        std::size_t end = text.find('.', at);
        if (end == std::string::npos) end = text.size();
        const std::string octet = text.substr(at, end - at);
        if (octet.empty() || octet.size() > 3 || octet.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(octet) > 255)
            return false;
        ++octets;
        at = end + 1;
    }
    return octets == 4;
}

constexpr std::uint8_t kPorts[] = {1, 2, 3, 4, 5, 6, 7, 8, 255};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto registry = zudedize::RegistryFile::Parse(bytes);
    if (!registry) return 0;
    // A file that names no key under the machine root has no root key either.
    const std::size_t keys = registry->Find("") != nullptr ? Walk(*registry, "", 8) : 0;
    std::vector<std::string> addresses;
    for (const std::uint8_t port : kPorts) {
        addresses.push_back(zudedize::NetworkAddressIn(*registry, port));
        if (!IsAddress(addresses.back())) __builtin_trap();
    }

    const bool ascii =
        bytes.find_first_of(std::string_view("\x00", 1)) == std::string_view::npos &&
        std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) return 0;
    std::string utf16 = "\xFF\xFE";
    for (const char c : bytes) {
        utf16 += c;
        utf16 += '\0';
    }
    const auto wide = zudedize::RegistryFile::Parse(utf16);
    if (!wide || (wide->Find("") != nullptr ? Walk(*wide, "", 8) : 0) != keys) __builtin_trap();
    for (std::size_t i = 0; i < std::size(kPorts); ++i) {
        if (zudedize::NetworkAddressIn(*wide, kPorts[i]) != addresses[i]) __builtin_trap();
    }
    return 0;
}
