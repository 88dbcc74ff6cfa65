#include "saving/batch_file_name.h"

#include "platform/clock.h"

namespace quillmere {

std::wstring MakeBatchFileName(int iconNumber) {
    using platform::ClockField;
    std::wstring name;
    for (ClockField field : {ClockField::Year, ClockField::Month, ClockField::Day, ClockField::Hour,
                             ClockField::Minute}) {
        name += std::to_wstring(platform::ReadClock(field));
    }
    return name + std::to_wstring(iconNumber) + L".ico";
}

std::filesystem::path FirstFreeBatchPath(
    const std::filesystem::path& folder, const std::wstring& fileName,
    const std::function<bool(const std::filesystem::path&)>& taken) {
    std::filesystem::path path = folder / fileName;
    const std::wstring stem = std::filesystem::path(fileName).stem().wstring();
    for (int suffix = 2; taken(path); ++suffix) {
        path = folder / (stem + L"-" + std::to_wstring(suffix) + L".ico");
    }
    return path;
}

}  // namespace quillmere
