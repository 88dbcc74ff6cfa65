#pragma once

#include "platform/unique_handle.h"

// Typed handles of the window system, declared the way <windows.h> declares them, so that code
// outside platform/ can hold them without including any system header.
struct HWND__;
struct HICON__;
struct _IMAGELIST;

namespace platform {

using WindowHandle = HWND__*;

struct IconCloser {
    void operator()(HICON__* icon) const;
};
using OwnedIcon = UniqueHandle<HICON__*, IconCloser>;

struct ImageListCloser {
    void operator()(_IMAGELIST* images) const;
};
using OwnedImageList = UniqueHandle<_IMAGELIST*, ImageListCloser>;

}  // namespace platform
