// PIPAdress: the network address behind a virtual COM port whose data travels over the
// network, looked up in the registry stand-in file named by ZUDEDIZE_REGISTRY.
#pragma once

#include <cstdint>
#include <string>

namespace zudedize {

// The IPv4 address of the device server behind COM port `port` as dotted decimal text,
// or "" when the port is not such a virtual port, there is no registry file, or anything
// fails. Both device trees are searched: "ENUM\ROOT\<class>\<device>" first, and only when
// nothing matched there "SYSTEM\CurrentControlSet\Enum\Root\<class>\<device>\Device
// Parameters"; the class is "*VSP", or "*TVSP" when there is no "*VSP" key. A device
// matches when its "PortName" in upper case is "COM<port>"; a later match wins; a matching
// device without a readable "DestinationIp" gives "0.0.0.0".
std::string NetworkAddressOfPort(std::uint8_t port);

class RegistryFile;
// The same lookup in a registry already read.
std::string NetworkAddressIn(const RegistryFile& registry, std::uint8_t port);

// The four bytes of v, most significant first, as "a.b.c.d".
std::string DottedAddress(std::uint32_t v);

}  // namespace zudedize
