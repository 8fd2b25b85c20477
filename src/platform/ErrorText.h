#pragma once

#include <QString>

namespace platform {

// The system's message for the errno value `err` in the user's language (the locale the
// environment names), without a trailing line break. Unknown values give the system's
// "unknown error" text with the number.
QString ErrorText(int err);

} // namespace platform
