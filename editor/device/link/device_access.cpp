#include "device/link/device_access.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "device/controller_constants.h"
#include "device/converter/usb_converters.h"
#include "zudedize/port_names.h"

namespace orvel {

namespace {

constexpr std::size_t kNameBufferSize = 16384;  // room for a user or group entry and its members

std::string GroupName(gid_t gid, bool* lists_user, const std::string& user)
{
    group entry{};
    group* found = nullptr;
    std::vector<char> buffer(kNameBufferSize);
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::to_string(gid);
    if (lists_user != nullptr && found->gr_mem != nullptr)
        for (char** member = found->gr_mem; *member != nullptr; ++member)
            if (user == *member) *lists_user = true;
    return found->gr_name;
}

std::string UserName(uid_t uid)
{
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(kNameBufferSize);
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::to_string(uid);
    return found->pw_name;
}

bool SessionHasGroup(gid_t gid)
{
    if (::getegid() == gid) return true;
    const int count = ::getgroups(0, nullptr);
    if (count <= 0) return false;
    std::vector<gid_t> groups(static_cast<std::size_t>(count));
    const int got = ::getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

}  // namespace

std::vector<DeviceCandidate> ConverterCandidates(const std::string& serial)
{
    std::vector<DeviceCandidate> all;
    std::vector<DeviceCandidate> matching;
    for (const ListedConverter& converter : ListUsbConverters()) {
        all.push_back({converter.device, true});
        if (!serial.empty() && ListedSerial(converter.serial) == serial) matching.push_back({converter.device, true});
    }
    return matching.empty() ? all : matching;
}

std::vector<DeviceCandidate> SerialPortCandidates(int port)
{
    const std::string path = zudedize::ComPortDevicePath(port);
    if (path.empty()) return {};
    return {{path, false}};
}

std::vector<DeviceCandidate> LinkCandidates(const DeviceLink& link)
{
    return UsesSerialPort(link) ? SerialPortCandidates(link.port_number) : ConverterCandidates(link.selected_serial);
}

std::optional<RefusedDevice> FindRefusedDevice(const std::vector<DeviceCandidate>& candidates)
{
    for (const DeviceCandidate& candidate : candidates) {
        struct stat node {};
        if (::stat(candidate.path.c_str(), &node) != 0) continue;
        if (::faccessat(AT_FDCWD, candidate.path.c_str(), R_OK | W_OK, AT_EACCESS) == 0) continue;
        if (errno != EACCES && errno != EPERM) continue;

        RefusedDevice refused;
        refused.path = candidate.path;
        refused.usb_converter = candidate.usb_converter;
        refused.user = UserName(::geteuid());
        bool listed = false;
        refused.group = GroupName(node.st_gid, &listed, refused.user);
        refused.user_in_group = listed && !SessionHasGroup(node.st_gid);
        refused.group_may_open = (node.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
        refused.owner = UserName(node.st_uid);
        return refused;
    }
    return std::nullopt;
}

std::string AccessRefusedText(const RefusedDevice& refused)
{
    std::string text = kTextNoPermissionPrefix + refused.path + ". ";
    if (!refused.group_may_open) {
        text += kTextOwnerOnlyPrefix + refused.owner + kTextOwnerOnlySuffix;
        return text + (refused.usb_converter ? kTextInstallRule : kTextAskAdministrator);
    }
    if (refused.user_in_group) return text + kTextSessionGroupPrefix + refused.group + kTextSessionGroupSuffix;
    text += kTextJoinGroupPrefix + refused.group + kTextJoinGroupCommand + refused.group + " " + refused.user +
            kTextLogInAgain;
    return text + (refused.usb_converter ? kTextOrInstallRule : ".");
}

std::optional<std::string> LinkAccessProblem(const DeviceLink& link)
{
    if (const std::string failure = link.transport->OpenFailure(); !failure.empty())
        return kTextPortNotOpenedPrefix + failure;
    const auto refused = FindRefusedDevice(LinkCandidates(link));
    if (!refused) return std::nullopt;
    return AccessRefusedText(*refused);
}

std::string NoControllerText(const DeviceLink& link)
{
    return LinkAccessProblem(link).value_or(kTextNoController);
}

}  // namespace orvel
