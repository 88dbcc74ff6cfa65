#include "app/current_source_path.h"

#include <mutex>
#include <utility>

namespace quillmere {
namespace {

std::mutex pathLock;
std::filesystem::path currentSourcePath;

}  // namespace

std::filesystem::path CurrentSourcePath() {
    std::lock_guard lock(pathLock);
    return currentSourcePath;
}

void ReplaceCurrentSourcePath(std::filesystem::path path) {
    std::filesystem::path old;
    {
        std::lock_guard lock(pathLock);
        old = std::exchange(currentSourcePath, std::move(path));
    }
}

void ReleaseOnExit() {
    ReplaceCurrentSourcePath({});
}

}  // namespace quillmere
