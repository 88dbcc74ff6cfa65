// libFuzzer target: the module reader, then loading every icon group and describing its images,
// on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/module_resources.h"
#include "saving/icon_group_loader.h"
#include "saving/icon_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quillmere;
    auto module = ModuleResources::FromBytes(std::vector<std::uint8_t>(data, data + size));
    if (!module)
        return 0;
    const auto groups = module->Names(kResourceTypeGroupIcon);
    for (std::size_t i = 0; i < groups.size() && i < 64; ++i) {
        LoadedGroup group = LoadIconGroup(*module, groups[i]);
        for (auto& block : group.images)
            DescribeIconImage(std::move(block));
    }
    return 0;
}
