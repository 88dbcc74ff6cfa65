#include "platform/icon_extraction.h"

#include "platform/windows_api.h"

namespace platform {

void ImageListCloser::operator()(_IMAGELIST* images) const {
    ImageList_Destroy(images);
}

int CountIcons(const std::filesystem::path& file) {
    return static_cast<int>(reinterpret_cast<INT_PTR>(
        ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), static_cast<UINT>(-1))));
}

OwnedIcon ExtractIconAt(const std::filesystem::path& file, int index) {
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), file.c_str(), static_cast<UINT>(index));
    if (icon == reinterpret_cast<HICON>(1))
        return {};  // not an executable, library or icon file
    return OwnedIcon(icon);
}

OwnedImageList CreateImageList(int size) {
    return OwnedImageList(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 0, 1));
}

int AppendIcon(const OwnedImageList& images, const OwnedIcon& icon) {
    if (!images || !icon)
        return -1;
    return ImageList_ReplaceIcon(images.get(), -1, icon.get());
}

}  // namespace platform
