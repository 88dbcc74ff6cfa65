#pragma once

#include <string>
#include <string_view>

namespace platform {

// Turns a filter text of "display|pattern|display|pattern" pairs into the common dialogs' list of
// NUL-separated pairs ended by an empty entry: white space at the end is cut, "||" is appended
// unless the text is empty or already ends with it, and every "|" becomes NUL.
std::wstring ConvertDialogFilter(std::wstring_view filter);

}  // namespace platform
