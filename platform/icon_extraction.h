#pragma once

#include <filesystem>

#include "platform/handles.h"

// The shell's icon extraction, as the icon list uses it.
namespace platform {

// How many icons the file holds: an executable's or library's icon groups, 1 for an icon file,
// 0 for anything else (a missing file, an empty path, another kind of file).
int CountIcons(const std::filesystem::path& file);

// Icon `index` (from 0) at the system's large-icon size; no icon when the file yields none.
OwnedIcon ExtractIconAt(const std::filesystem::path& file, int index);

// An image list of square size x size cells, 32-bit colour with a mask, growing one at a time.
OwnedImageList CreateImageList(int size);

// Appends a copy of the icon, scaled to one cell; its image index, or −1 when nothing was added.
int AppendIcon(const OwnedImageList& images, const OwnedIcon& icon);

}  // namespace platform
