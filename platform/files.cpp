#include "platform/files.h"

#include "platform/file_writes.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <string>
#include <system_error>
#include <thread>

namespace quillmere {
namespace {

// A name that no other call, thread or process picks: random bits, the clock, the thread and a
// counter of this process.
std::filesystem::path TemporarySibling(const std::filesystem::path& destination) {
    static std::atomic<std::uint64_t> counter{0};
    std::random_device device;
    const std::uint64_t mix =
        (std::uint64_t{device()} << 32) ^ device() ^
        static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (std::hash<std::thread::id>{}(std::this_thread::get_id()) << 7) ^ (++counter * 0x9E37u);
    std::filesystem::path name = destination.filename();
    name += ".";
    name += std::to_string(mix);
    name += ".partial";
    return destination.parent_path() / name;
}

bool WriteNewFile(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
    std::error_code error;
    if (std::filesystem::exists(path, error) || error)
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

}  // namespace

ReadFileResult ReadWholeFile(const std::filesystem::path& path, std::vector<std::uint8_t>& bytes) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return ReadFileResult::kMissing;
    if (error || !std::filesystem::is_regular_file(status))
        return ReadFileResult::kUnreadable;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ReadFileResult::kUnreadable;
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size < 0)
        return ReadFileResult::kUnreadable;
    in.seekg(0, std::ios::beg);
    bytes.assign(static_cast<std::size_t>(size), 0);
    in.read(reinterpret_cast<char*>(bytes.data()), size);
    if (in.gcount() != size)
        return ReadFileResult::kUnreadable;
    return ReadFileResult::kRead;
}

bool ReplaceFileWith(const std::filesystem::path& destination,
                     std::span<const std::uint8_t> bytes) {
    if (destination.empty() || !destination.has_filename())
        return false;
    const FileWriteInProgress writing;
    const std::filesystem::path temporary = TemporarySibling(destination);
    if (WriteNewFile(temporary, bytes) && MoveReplacing(temporary, destination))
        return true;
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return false;
}

}  // namespace quillmere
