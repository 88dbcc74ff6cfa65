#include "platform/file_writes.h"

namespace quillmere {
namespace {

std::shared_mutex& WritesLock() {
    static auto* lock = new std::shared_mutex;  // never destroyed: workers may outlive main
    return *lock;
}

}  // namespace

FileWriteInProgress::FileWriteInProgress() : lock_(WritesLock()) {}

void FinishFileWritesForExit() {
    WritesLock().lock();
}

}  // namespace quillmere
