#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The shell's folder browser over the whole namespace, with an edit box and the given title,
// without an owner window. While it is open every top-level window of the program is disabled;
// afterwards each gets back the state it had, and the foreground and active windows return.
// The chosen folder's file-system path; nothing when cancelled or when the choice is no folder
// on disk.
std::optional<std::wstring> BrowseForFolder(std::wstring_view title);

// Handles the window messages waiting in the calling thread's own queue, then returns.
void HandlePendingMessages();

}  // namespace platform
