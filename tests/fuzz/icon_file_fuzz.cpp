// libFuzzer target: reading an icon file, describing its images and laying out the .ico and
// .bmp files, on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "saving/bmp_layout.h"
#include "saving/ico_layout.h"
#include "saving/icon_file_reader.h"
#include "saving/icon_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillmere;
    auto blocks = ReadIconFileImages(Bytes(data, size));
    if (!blocks)
        return 0;
    std::vector<IconImage> images;
    for (auto& block : *blocks) {
        auto image = DescribeIconImage(std::move(block));
        if (!image)
            return 0;
        images.push_back(std::move(*image));
    }
    if (images.empty())
        return 0;
    BuildIcoFile(images);
    BuildBmpFile(images.front());
    return 0;
}
