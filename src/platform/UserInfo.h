#pragma once

namespace platform {

// True for the effective user root and for members of the group "sudo" or "wheel".
bool IsUserAdmin();

} // namespace platform
