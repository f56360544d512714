// Telling real file systems from the kernel's pseudo file systems by the
// type number statfs reports, not by where they are mounted.

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/vfs.h>

#include <algorithm>
#include <array>
#include <map>
#include <mutex>
#include <sstream>

#include "platform/file_system.h"

namespace plotvale::platform {
namespace {

// proc mirrors every process's root (/proc/<pid>/root), sysfs and the others
// hold no pictures and, through their links, trees without end.
constexpr std::array<long, 16> PseudoFileSystems{
    PROC_SUPER_MAGIC,  SYSFS_MAGIC,       DEVPTS_SUPER_MAGIC, CGROUP_SUPER_MAGIC,
    CGROUP2_SUPER_MAGIC, DEBUGFS_MAGIC,   TRACEFS_MAGIC,      SECURITYFS_MAGIC,
    PSTOREFS_MAGIC,    BPF_FS_MAGIC,      BINFMTFS_MAGIC,     EFIVARFS_MAGIC,
    SELINUX_MAGIC,     SMACK_MAGIC,       0x62656570 /* configfs */, 0x19800202 /* mqueue */};

// The type name /proc/self/mountinfo gives the mount of a device
// ("major:minor" in the third field, the type after the " - " separator).
std::string mountedType(dev_t device) {
    const auto table = readFile("/proc/self/mountinfo", 16 << 20);
    if (!table) return {};
    const std::string wanted = std::to_string(major(device)) + ":" + std::to_string(minor(device));
    std::istringstream lines(*table);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string id, parent, numbers;
        fields >> id >> parent >> numbers;
        const size_t separator = line.find(" - ");
        if (numbers != wanted || separator == std::string::npos) continue;
        std::istringstream rest(line.substr(separator + 3));
        std::string type;
        rest >> type;
        return type;
    }
    return {};
}

// devtmpfs (the kernel's /dev) reports tmpfs's type number; only the mount
// table tells them apart. Remembered per device, as walks ask per folder:
// devtmpfs keeps one device number for the machine's life, so a number
// remembered either way never changes its answer.
bool isDeviceFileSystem(const std::string& folder) {
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) return false;
    static std::mutex mutex;
    static std::map<dev_t, bool> known;
    const std::lock_guard lock(mutex);
    const auto found = known.find(info.st_dev);
    if (found != known.end()) return found->second;
    return known[info.st_dev] = mountedType(info.st_dev) == "devtmpfs";
}

}  // namespace

bool onRealFileSystem(const std::string& folder) {
    struct statfs info {};
    if (folder.empty() || statfs(folder.c_str(), &info) != 0) return true;
    if (static_cast<long>(info.f_type) == TMPFS_MAGIC) return !isDeviceFileSystem(folder);
    return std::find(PseudoFileSystems.begin(), PseudoFileSystems.end(),
                     static_cast<long>(info.f_type)) == PseudoFileSystems.end();
}

}  // namespace plotvale::platform
