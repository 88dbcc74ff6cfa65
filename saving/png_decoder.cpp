#include "saving/png_decoder.h"

#include <climits>
#include <memory>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 4096
#define STB_IMAGE_STATIC
#include <stb_image.h>

namespace quillmere {

std::optional<RgbaPixels> DecodePng(Bytes png) {
    if (png.size() > static_cast<std::size_t>(INT_MAX))
        return std::nullopt;
    int width = 0;
    int height = 0;
    int channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(png.data(), static_cast<int>(png.size()), &width, &height, &channels,
                              4),
        stbi_image_free);
    if (!pixels || width <= 0 || height <= 0)
        return std::nullopt;
    RgbaPixels result{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), {}};
    result.rgba.assign(pixels.get(), pixels.get() + std::size_t{result.width} * result.height * 4);
    return result;
}

}  // namespace quillmere
