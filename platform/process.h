#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

// Services of the operating system for the program as a whole.
namespace platform {

// OLE for the calling thread, from construction to destruction.
class OleSession {
  public:
    OleSession();
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

  private:
    bool initialised_;
};

// The full path of the program's executable file.
std::filesystem::path ProgramFilePath();

void SetCurrentFolder(const std::filesystem::path& folder);

// Starts a new thread that runs the routine to its end; nothing keeps or waits for the thread.
// Returns whether the thread was created.
bool StartWorker(std::function<void()> routine);

// Ends the process at once with the exit code; threads still running end with it.
[[noreturn]] void EndProcess(int exitCode);

// Hands a link to the shell's registered handler ("open", shown normally, no owner window).
// Returns as soon as the shell has taken the request; failures are the shell's affair.
void OpenLink(std::wstring_view link);

}  // namespace platform
