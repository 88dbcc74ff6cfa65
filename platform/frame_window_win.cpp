#include "platform/frame_window.h"

#include "platform/windows_api.h"

#include <memory>
#include <string>
#include <vector>

namespace platform {
namespace {

constexpr wchar_t frameClassName[] = L"QuillmereFrame";

// What the window procedure needs to know, kept in the window's user data for its lifetime.
struct FrameState {
    FrameEvents events;
    HWND firstControl = nullptr;
    HWND lastFocus = nullptr;
    HICON largeIcon = nullptr;
    HICON smallIcon = nullptr;
    HFONT font = nullptr;
    std::vector<std::pair<int, COLORREF>> labelColours;
};

FrameState* StateOf(HWND frame) {
    return reinterpret_cast<FrameState*>(GetWindowLongPtrW(frame, GWLP_USERDATA));
}

HFONT GuiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void DrawLabel(const DRAWITEMSTRUCT& item, COLORREF colour) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_BTNFACE));
    wchar_t text[256] = {};
    GetWindowTextW(item.hwndItem, text, 256);
    RECT area = item.rcItem;
    HGDIOBJ oldFont = SelectObject(item.hDC, GuiFont());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, colour);
    DrawTextW(item.hDC, text, -1, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP);
    SelectObject(item.hDC, oldFont);
}

void FocusRememberedControl(HWND frame, FrameState& state) {
    HWND target =
        state.lastFocus && IsChild(frame, state.lastFocus) && IsWindowEnabled(state.lastFocus)
            ? state.lastFocus
            : state.firstControl;
    if (target)
        SetFocus(target);
}

void DestroyIcons(FrameState& state) {
    if (state.largeIcon)
        DestroyIcon(state.largeIcon);
    if (state.smallIcon)
        DestroyIcon(state.smallIcon);
    state.largeIcon = state.smallIcon = nullptr;
}

LRESULT CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    FrameState* state = StateOf(frame);
    if (!state)
        return DefWindowProcW(frame, message, wParam, lParam);

    switch (message) {
        case WM_COMMAND:
            if (HIWORD(wParam) == BN_CLICKED && lParam != 0 && state->events.clicked) {
                state->events.clicked(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            for (const auto& [id, colour] : state->labelColours) {
                if (static_cast<UINT>(id) == item.CtlID) {
                    DrawLabel(item, colour);
                    return TRUE;
                }
            }
            break;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus && IsChild(frame, focus))
                    state->lastFocus = focus;
            } else {
                FocusRememberedControl(frame, *state);
            }
            return 0;
        case WM_SETFOCUS:
            FocusRememberedControl(frame, *state);
            return 0;
        case WM_SETFONT:
            state->font = reinterpret_cast<HFONT>(wParam);
            return 0;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(state->font);
        case WM_CLOSE:
            DestroyWindow(frame);
            return 0;
        case WM_DESTROY:
            DestroyIcons(*state);
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(frame, GWLP_USERDATA, 0);
            delete state;
            return DefWindowProcW(frame, message, wParam, lParam);
    }
    return DefWindowProcW(frame, message, wParam, lParam);
}

bool RegisterFrameClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = FrameProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = frameClassName;
        return RegisterClassExW(&windowClass);
    }();
    return atom != 0;
}

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
};

ClassAndStyle ClassAndStyleOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::IconList:
            return {WC_LISTVIEWW, WS_TABSTOP | WS_BORDER | LVS_ICON | LVS_AUTOARRANGE |
                                      LVS_SINGLESEL | LVS_ALIGNTOP};
        case ControlKind::PushButton:
            return {WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER | BS_MULTILINE};
        case ControlKind::EditableDropDown:
            return {WC_COMBOBOXW, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL};
        case ControlKind::ColouredLabel:
            return {WC_STATICW, SS_OWNERDRAW};
    }
    return {WC_STATICW, 0};
}

void ConfigureIconList(HWND list) {
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES,
                 LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES);
    SendMessageW(list, LVM_SETTEXTCOLOR, 0, RGB(0, 0, 0));
    SendMessageW(list, LVM_SETTEXTBKCOLOR, 0, RGB(255, 255, 255));
    SendMessageW(list, LVM_SETBKCOLOR, 0, RGB(255, 255, 255));
}

void FillDropDown(HWND combo, std::span<const std::wstring_view> items) {
    for (std::wstring_view item : items) {
        const std::wstring text(item);
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

HWND CreateControl(HWND frame, const ControlDescription& control) {
    const auto [className, style] = ClassAndStyleOf(control.kind);
    const std::wstring text(control.text);
    HWND window = CreateWindowExW(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                                  control.left, control.top, control.width, control.height, frame,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window)
        return nullptr;
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    if (control.kind == ControlKind::IconList)
        ConfigureIconList(window);
    if (control.kind == ControlKind::EditableDropDown)
        FillDropDown(window, control.items);
    return window;
}

}  // namespace

void IconCloser::operator()(HICON__* icon) const {
    DestroyIcon(icon);
}

WindowHandle CreateFrameWindow(const FrameDescription& description, FrameEvents events) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    if (!RegisterFrameClass())
        return nullptr;

    const int left = (GetSystemMetrics(SM_CXSCREEN) - description.outerWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - description.outerHeight) / 2;
    HWND frame = CreateWindowExW(WS_EX_CONTROLPARENT, frameClassName, L"",
                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, left,
                                 top, description.outerWidth, description.outerHeight, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!frame)
        return nullptr;

    auto state = std::make_unique<FrameState>();
    state->events = std::move(events);
    state->font = GuiFont();
    for (const ControlDescription& control : description.controls) {
        HWND window = CreateControl(frame, control);
        if (!window) {
            DestroyWindow(frame);
            return nullptr;
        }
        if (!state->firstControl)
            state->firstControl = window;
        if (control.kind == ControlKind::ColouredLabel) {
            state->labelColours.emplace_back(control.id, control.textColour);
        }
    }
    SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    return frame;
}

WindowHandle ControlOf(WindowHandle frame, int controlId) {
    return GetDlgItem(frame, controlId);
}

void ShowFrameWindow(WindowHandle frame) {
    ShowWindow(frame, SW_SHOWNORMAL);
    SetForegroundWindow(frame);
    if (FrameState* state = StateOf(frame))
        FocusRememberedControl(frame, *state);
    UpdateWindow(frame);
}

void SetWindowCaption(WindowHandle window, std::wstring_view caption) {
    const std::wstring text(caption);
    SetWindowTextW(window, text.c_str());
}

void SetWindowIcons(WindowHandle window, OwnedIcon large, OwnedIcon small) {
    FrameState* state = StateOf(window);
    if (!state)
        return;
    DestroyIcons(*state);
    state->largeIcon = large.release();
    state->smallIcon = small.release();
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(state->largeIcon));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(state->smallIcon));
}

namespace {

bool IsOwnWindow(HWND frame, HWND window) {
    return window == frame || (window && IsChild(frame, window));
}

bool NoModifierHeld() {
    return GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_MENU) >= 0;
}

bool IsEnterKey(const MSG& message) {
    return (message.message == WM_KEYDOWN || message.message == WM_KEYUP ||
            message.message == WM_CHAR) &&
           message.wParam == VK_RETURN;
}

}  // namespace

int RunMessageLoop(WindowHandle frame) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(frame) && IsOwnWindow(frame, message.hwnd)) {
            if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && NoModifierHeld()) {
                SendMessageW(frame, WM_CLOSE, 0, 0);
                continue;
            }
            if (!IsEnterKey(message) && IsDialogMessageW(frame, &message))
                continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

OwnedIcon IconFromImage(std::span<const std::uint8_t> image, int width, int height) {
    return OwnedIcon(CreateIconFromResourceEx(const_cast<PBYTE>(image.data()),
                                              static_cast<DWORD>(image.size()), TRUE, 0x00030000,
                                              width, height, LR_DEFAULTCOLOR));
}

}  // namespace platform
