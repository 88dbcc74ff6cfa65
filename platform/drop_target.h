#pragma once

#include <functional>
#include <string_view>

#include "platform/handles.h"

namespace platform {

// Called once per accepted drop, on the window's thread, with the dropped text.
using FilesDropped = std::function<void(std::wstring_view droppedText)>;

// Binds a drop target for file lists to the window, until the window is destroyed.
// A window can be bound once; a further binding fails and changes nothing.
bool BindFileDropTarget(WindowHandle window, FilesDropped filesDropped);

}  // namespace platform
