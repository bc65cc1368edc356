// The registry of the local machine as a REGEDIT4 text file (the form the Windows registry
// editor exports), read only. Keys under HKEY_LOCAL_MACHINE (or HKLM) are kept; names of
// keys and values match without regard to case, as in the registry; a key's subkeys are
// listed in the order the file first names them.
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\ENUM\ROOT\*VSP\0000]
//   "PortName"="COM4"
//   "DestinationIp"=dword:c0a80005
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zudedize {

struct RegistryValue {
    enum class Type { String, Dword, Other };
    Type type = Type::Other;
    std::string text;         // String
    std::uint32_t dword = 0;  // Dword
};

struct RegistryKey {
    std::vector<std::string> subkeys;  // names as written, in file order
    std::vector<std::pair<std::string, RegistryValue>> values;

    // The value of that name (a later line of the same name replaces an earlier one).
    const RegistryValue* Value(std::string_view name) const;
};

class RegistryFile {
public:
    // Reads the file; none when it cannot be read or does not start with "REGEDIT4" (or the
    // version 5 header). The text is UTF-8, with or without a byte-order mark, or UTF-16
    // little-endian with its byte-order mark.
    static std::optional<RegistryFile> Load(const std::string& path);
    static std::optional<RegistryFile> Parse(std::string_view bytes);

    // The key at a path below the machine root ("ENUM\ROOT\*VSP"), or null when missing.
    const RegistryKey* Find(std::string_view path) const;

private:
    RegistryKey& MakeKey(std::string_view path);

    std::map<std::string, RegistryKey> keys_;  // by upper-case path
};

}  // namespace zudedize
