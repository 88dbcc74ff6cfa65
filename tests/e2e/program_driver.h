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

    // The program's main window, once it is shown.
    HWND WaitForMainWindow() const { return WaitForWindow(L"QuillmereFrame", L"Quillmere"); }
    // Its dialogs, told apart by their children: the file dialogs by their name box, message
    // boxes by their text, the folder browser by its tree.
    HWND WaitForFileDialog() const;
    HWND WaitForMessageBox() const;
    HWND WaitForFolderBrowser() const;

    // Waits for the process to end; its exit code, or nothing when it is still running.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds deadline = std::chrono::seconds(30));

  private:
    HANDLE process_ = nullptr;
    DWORD processId_ = 0;
};

// The Windows path of a path the build gives as a Unix path (Wine maps "/" to a drive).
std::filesystem::path WindowsPath(const std::filesystem::path& unixPath);
size_t IconFilesIn(const std::filesystem::path& folder);

HWND ChildWithText(HWND parent, const std::wstring& className, const std::wstring& text);

// Brings the window forward and types a key with real keyboard input.
void TypeKey(HWND window, WORD key);
// Clicks a button as the mouse would, then lets the program handle it.
void ClickButton(HWND button);
// Clicks the main window's button with this text.
void ClickButton(HWND window, const wchar_t* text);
// Types a path into a file dialog's name box and confirms it.
void ChooseInFileDialog(HWND dialog, const std::filesystem::path& path);
// "选择文件", then the path chosen in the open dialog; returns whether the dialog appeared.
bool ChooseSource(const RunningProgram& program, HWND window, const std::filesystem::path& path);

HWND IconList(HWND window);
int ItemCount(HWND list);

// Writes what the screen shows inside the rectangle (screen coordinates) as a .bmp file.
bool SaveScreenshot(const RECT& area, const std::filesystem::path& file);
bool SaveWindowScreenshot(HWND window, const std::string& name);

}  // namespace quillmere::e2e
