#pragma once

#include <string_view>

namespace quillmere {

// A file dropped on the icon list, on the window's thread: it becomes the current source and a
// worker lists it.
void TakeDroppedFile(std::wstring_view droppedText);

}  // namespace quillmere
