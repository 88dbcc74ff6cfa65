#pragma once

#include <string>

namespace platform {

// The current user's desktop folder in the file system, ending with "\"; not created when
// missing. The empty text when it cannot be found.
std::wstring DesktopFolder();

}  // namespace platform
