#pragma once

#include <shared_mutex>

// The end of the program does not wait for workers, but it must not cut a file write in half:
// every write holds a FileWriteInProgress, and the end lets the writes under way finish and
// stops new ones before the process goes.
namespace quillmere {

class FileWriteInProgress {
  public:
    FileWriteInProgress();
    FileWriteInProgress(const FileWriteInProgress&) = delete;
    FileWriteInProgress& operator=(const FileWriteInProgress&) = delete;

  private:
    std::shared_lock<std::shared_mutex> lock_;
};

// Waits for the writes under way; a write that starts afterwards waits until the process ends.
void FinishFileWritesForExit();

}  // namespace quillmere
