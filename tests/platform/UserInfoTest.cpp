#include "platform/UserInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <grp.h>
#include <unistd.h>
#include <vector>

namespace {

// Membership is worked out here from the other direction: the names of the groups the
// process belongs to.
bool MemberOfAdminGroupByName()
{
    std::vector<gid_t> groups(size_t(getgroups(0, nullptr)) + 1);
    const int count = getgroups(int(groups.size()), groups.data());
    groups.resize(size_t(count > 0 ? count : 0));
    groups.push_back(getegid());
    for (gid_t gid : groups) {
        const group *entry = getgrgid(gid);
        if (entry && (std::strcmp(entry->gr_name, "sudo") == 0 || std::strcmp(entry->gr_name, "wheel") == 0))
            return true;
    }
    return false;
}

TEST(UserInfo, AdminIsRootOrAMemberOfSudoOrWheel)
{
    EXPECT_EQ(platform::IsUserAdmin(), geteuid() == 0 || MemberOfAdminGroupByName());
}

} // namespace
