#include "tests/support/unprivileged_user.h"

#include <grp.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace zk::test {

namespace {

constexpr uid_t NobodyId = 65534;

// Clears the permitted, effective and inheritable capability sets.
bool DropCapabilities()
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct none[_LINUX_CAPABILITY_U32S_3] = {};
    return syscall(SYS_capset, &header, none) == 0;
}

}  // namespace

uid_t UnprivilegedUid() { return geteuid() == 0 ? NobodyId : geteuid(); }

gid_t UnprivilegedGid() { return geteuid() == 0 ? NobodyId : getegid(); }

bool BecomeUnprivilegedIn(const std::filesystem::path& folder)
{
    if (chdir(folder.c_str()) != 0) {
        return false;
    }
    if (geteuid() != 0) {
        return DropCapabilities();
    }
    // Group first: once the user id is given up, the group can't be.
    return setgroups(0, nullptr) == 0 && setresgid(NobodyId, NobodyId, NobodyId) == 0 &&
           setresuid(NobodyId, NobodyId, NobodyId) == 0 && geteuid() == NobodyId;
}

}  // namespace zk::test
