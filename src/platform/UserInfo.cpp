#include "platform/UserInfo.h"

#include <grp.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

bool GroupId(const char *name, gid_t *gid)
{
    std::vector<char> buffer(16384);
    group entry{};
    group *found = nullptr;
    if (getgrnam_r(name, &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return false;
    *gid = found->gr_gid;
    return true;
}

bool InGroup(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    if (count <= 0)
        return false;
    std::vector<gid_t> groups(count);
    const int filled = getgroups(count, groups.data());
    for (int i = 0; i < filled; ++i) {
        if (groups[i] == gid)
            return true;
    }
    return false;
}

} // namespace

bool IsUserAdmin()
{
    if (geteuid() == 0)
        return true;
    for (const char *name : {"sudo", "wheel"}) {
        gid_t gid = 0;
        if (GroupId(name, &gid) && InGroup(gid))
            return true;
    }
    return false;
}

} // namespace platform
