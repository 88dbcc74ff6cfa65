#include "platform/folder_browser.h"

#include "platform/unique_handle.h"
#include "platform/windows_api.h"

#include <vector>

namespace platform {
namespace {

// Disables the program's enabled top-level windows for its lifetime, as a modal window would.
class ProgramWindowsDisabled {
  public:
    ProgramWindowsDisabled() : foreground_(GetForegroundWindow()), active_(GetActiveWindow()) {
        EnumWindows(DisableIfOwn, reinterpret_cast<LPARAM>(&disabled_));
    }
    ~ProgramWindowsDisabled() {
        for (HWND window : disabled_)
            EnableWindow(window, TRUE);
        if (foreground_)
            SetForegroundWindow(foreground_);
        if (active_)
            SetActiveWindow(active_);
    }
    ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
    ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;

  private:
    static BOOL CALLBACK DisableIfOwn(HWND window, LPARAM parameter) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
            IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            reinterpret_cast<std::vector<HWND>*>(parameter)->push_back(window);
        }
        return TRUE;
    }

    HWND foreground_;
    HWND active_;
    std::vector<HWND> disabled_;
};

class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_)
            CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};

struct ItemListCloser {
    void operator()(ITEMIDLIST* items) const { CoTaskMemFree(items); }
};
using OwnedItemList = UniqueHandle<ITEMIDLIST*, ItemListCloser>;

}  // namespace

std::optional<std::wstring> BrowseForFolder(std::wstring_view title) {
    ComApartment com;
    const std::wstring caption(title);
    wchar_t displayName[MAX_PATH] = {};
    BROWSEINFOW browse = {};
    browse.hwndOwner = nullptr;
    browse.pidlRoot = nullptr;  // the desktop: the whole shell namespace
    browse.pszDisplayName = displayName;
    browse.lpszTitle = caption.c_str();
    browse.ulFlags = BIF_EDITBOX;

    OwnedItemList chosen;
    {
        ProgramWindowsDisabled modal;
        chosen.reset(SHBrowseForFolderW(&browse));
    }
    if (!chosen)
        return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(chosen.get(), path) || path[0] == L'\0')
        return std::nullopt;
    return std::wstring(path);
}

void HandlePendingMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace platform
