#pragma once

#include <optional>
#include <span>

namespace quillmere {

// mainWindowIcon: the program's icon file (three 48 x 48 images: 4-bit, 8-bit, 32-bit), held as
// constant data; the program file carries the same images as its first icon group.
std::span<const unsigned char> MainWindowIconBytes();

struct IconFileImage {
    std::span<const unsigned char> bytes;
    int width = 0;
    int height = 0;
};

// The image a window icon of the given width is made from: the first image of that width whose
// directory entry declares at least 16 colours (0 there means 256 or more), else the last image.
// Nothing when the icon file is malformed.
std::optional<IconFileImage> PickWindowIconImage(std::span<const unsigned char> iconFile,
                                                 int width);

}  // namespace quillmere
