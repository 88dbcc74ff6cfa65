#pragma once

// Helpers for tests that drive the real main window the way a user would.
#include "platform/windows_api.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace quillmere::testing {

// Handles the calling thread's messages until the condition holds or the deadline passes.
inline bool PumpUntil(const std::function<bool()>& condition,
                      std::chrono::milliseconds deadline = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

inline std::wstring ClassOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// The visible top-level windows of this process with the given class ("#32770" for dialogs and
// message boxes).
inline std::vector<HWND> OwnTopLevelWindows(const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        std::vector<HWND> found;
    } search{className, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(parameter);
            DWORD process = 0;
            GetWindowThreadProcessId(window, &process);
            if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
                ClassOf(window) == search.className) {
                search.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Sets the calling thread's view of the modifier keys, as GetKeyState reports them.
inline void HoldModifiers(bool control, bool shift, bool alt) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    auto set = [&](int key, bool down) { keys[key] = down ? 0x80 : 0; };
    set(VK_CONTROL, control);
    set(VK_LCONTROL, control);
    set(VK_SHIFT, shift);
    set(VK_LSHIFT, shift);
    set(VK_MENU, alt);
    set(VK_LMENU, alt);
    SetKeyboardState(keys);
}

}  // namespace quillmere::testing

namespace quillmere::testing {

// A message box of this process: a dialog with the text static 0xFFFF.
inline HWND FindMessageBox() {
    for (HWND dialog : OwnTopLevelWindows(L"#32770")) {
        if (GetDlgItem(dialog, 0xFFFF))
            return dialog;
    }
    return nullptr;
}

// The explorer-style file dialog of this process: the one with the file-name box 0x47c.
inline HWND FindFileDialog() {
    for (HWND dialog : OwnTopLevelWindows(L"#32770")) {
        if (GetDlgItem(dialog, 0x47c))
            return dialog;
    }
    return nullptr;
}

inline std::wstring MessageBoxText(HWND box) {
    return TextOf(GetDlgItem(box, 0xFFFF));
}

// Presses a dialog's button the way a click does; posted, since the click may open another box.
inline void PressDialogButton(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Types a name into a file dialog's name box and confirms it.
inline void ChooseInFileDialog(HWND dialog, const std::wstring& name) {
    SendMessageW(GetDlgItem(dialog, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PressDialogButton(dialog, IDOK);
}

inline std::vector<std::wstring> ComboItems(HWND combo) {
    std::vector<std::wstring> items;
    const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0) + 1, L'\0');
        text.resize(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        items.push_back(text);
    }
    return items;
}

}  // namespace quillmere::testing
