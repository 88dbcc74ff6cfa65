#pragma once

// Starts the real quillmere.exe and drives it from outside, the way a user would: by its
// windows, keys and clicks, with screenshots of the screen as Wine draws it.
#include "platform/windows_api.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillmere::e2e {

bool WaitFor(const std::function<bool()>& condition,
             std::chrono::milliseconds deadline = std::chrono::seconds(30));

class RunningProgram {
  public:
    // Starts the program with the given folder as its working folder.
    explicit RunningProgram(const std::filesystem::path& program);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return process_ != nullptr; }
    DWORD id() const { return processId_; }

    // The visible top-level windows of the program with the given class and, if given, caption.
    std::vector<HWND> Windows(const wchar_t* className, const wchar_t* caption = nullptr) const;
    HWND WaitForWindow(const wchar_t* className, const wchar_t* caption = nullptr) const;

    // Waits for the process to end; its exit code, or nothing when it is still running.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds deadline = std::chrono::seconds(30));

  private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

HWND ChildWithId(HWND parent, int id);
HWND ChildWithText(HWND parent, const std::wstring& className, const std::wstring& text);

// Brings the window forward and types a key with real keyboard input.
void TypeKey(HWND window, WORD key);
// Clicks a button as the mouse would, then lets the program handle it.
void ClickButton(HWND button);

// Writes what the screen shows inside the rectangle (screen coordinates) as a .bmp file.
bool SaveScreenshot(const RECT& area, const std::filesystem::path& file);
bool SaveWindowScreenshot(HWND window, const std::string& name);

}  // namespace quillmere::e2e
