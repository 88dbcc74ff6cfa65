#include "saving/icon_source.h"

#include <utility>

#include "platform/files.h"
#include "saving/icon_file_reader.h"
#include "saving/icon_group_loader.h"

namespace quillmere {
namespace {

// Describes every block; one malformed block refuses the whole icon.
LoadedIcon Describe(std::vector<std::vector<std::uint8_t>> blocks) {
    if (blocks.empty())
        return {IconLoad::kMalformed, {}};
    LoadedIcon icon{IconLoad::kLoaded, {}};
    for (auto& block : blocks) {
        auto image = DescribeIconImage(std::move(block));
        if (!image)
            return {IconLoad::kMalformed, {}};
        icon.images.push_back(std::move(*image));
    }
    return icon;
}

}  // namespace

IconSource IconSource::Open(const std::filesystem::path& path) {
    IconSource source;
    std::vector<std::uint8_t> bytes;
    switch (ReadWholeFile(path, bytes)) {
        case ReadFileResult::kMissing:
            source.state_ = SourceState::kMissing;
            return source;
        case ReadFileResult::kUnreadable:
            source.state_ = SourceState::kUnreadable;
            return source;
        case ReadFileResult::kRead:
            break;
    }
    if (LooksLikeModule(bytes)) {
        source.module_ = ModuleResources::FromBytes(std::move(bytes));
        source.state_ = SourceState::kModule;
        if (source.module_)
            source.groups_ = source.module_->Names(kResourceTypeGroupIcon);
    } else if (LooksLikeIconFile(bytes)) {
        source.iconFile_ = std::move(bytes);
        source.state_ = SourceState::kIconFile;
    }
    return source;
}

int IconSource::Count() const {
    switch (state_) {
        case SourceState::kModule:
            return static_cast<int>(groups_.size());
        case SourceState::kIconFile:
            return 1;
        default:
            return 0;
    }
}

LoadedIcon IconSource::Load(int number) const {
    if (number < 1 || number > Count())
        return {IconLoad::kMalformed, {}};
    if (state_ == SourceState::kIconFile)
        return LoadFromIconFile();
    return LoadFromModule(number);
}

LoadedIcon IconSource::LoadFromIconFile() const {
    auto blocks = ReadIconFileImages(iconFile_);
    if (!blocks)
        return {IconLoad::kMalformed, {}};
    return Describe(std::move(*blocks));
}

LoadedIcon IconSource::LoadFromModule(int number) const {
    LoadedGroup group = LoadIconGroup(*module_, groups_[static_cast<std::size_t>(number - 1)]);
    switch (group.result) {
        case GroupLoad::kLoaded:
            return Describe(std::move(group.images));
        case GroupLoad::kMissingImage:
            return {IconLoad::kMissingImage, {}};
        case GroupLoad::kMissingGroup:
            break;
    }
    return {IconLoad::kMalformed, {}};
}

}  // namespace quillmere
