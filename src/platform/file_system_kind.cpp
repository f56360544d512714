// Telling real file systems from the kernel's pseudo file systems by the
// type number statfs reports, not by where they are mounted.

#include <linux/magic.h>
#include <sys/vfs.h>

#include <algorithm>
#include <array>

#include "platform/file_system.h"

namespace plotvale::platform {
namespace {

// proc mirrors every process's root (/proc/<pid>/root), sysfs and the others
// hold no pictures and, through their links, trees without end. devtmpfs
// reports tmpfs's number and cannot be told apart; it holds device nodes,
// which are never admitted as input files.
constexpr std::array<long, 16> PseudoFileSystems{
    PROC_SUPER_MAGIC,  SYSFS_MAGIC,       DEVPTS_SUPER_MAGIC, CGROUP_SUPER_MAGIC,
    CGROUP2_SUPER_MAGIC, DEBUGFS_MAGIC,   TRACEFS_MAGIC,      SECURITYFS_MAGIC,
    PSTOREFS_MAGIC,    BPF_FS_MAGIC,      BINFMTFS_MAGIC,     EFIVARFS_MAGIC,
    SELINUX_MAGIC,     SMACK_MAGIC,       0x62656570 /* configfs */, 0x19800202 /* mqueue */};

}  // namespace

bool onRealFileSystem(const std::string& folder) {
    struct statfs info {};
    if (folder.empty() || statfs(folder.c_str(), &info) != 0) return true;
    return std::find(PseudoFileSystems.begin(), PseudoFileSystems.end(),
                     static_cast<long>(info.f_type)) == PseudoFileSystems.end();
}

}  // namespace plotvale::platform
