#include "platform/files.h"

#include <system_error>

namespace quillmere {

// POSIX rename replaces an existing destination in one step.
bool MoveReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    return !error;
}

}  // namespace quillmere
