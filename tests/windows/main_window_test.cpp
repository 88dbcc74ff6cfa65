#include "app/current_source_path.h"
#include "app/main_window.h"
#include "platform/frame_window.h"
#include "gui_support.h"

#include <gtest/gtest.h>

namespace quillmere {
namespace {

using testing::ClassOf;
using testing::HoldModifiers;
using testing::TextOf;

// Builds the window exactly as start-up does, minus the message loop.
class MainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(BuildMainWindow());
        OnMainWindowCreated();
        ShowMainWindow();
        ASSERT_TRUE(testing::PumpUntil([] { return IsWindowVisible(MainWindow().窗口); }));
    }
    void TearDown() override {
        if (IsWindow(MainWindow().窗口))
            DestroyWindow(MainWindow().窗口);
        HoldModifiers(false, false, false);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        }
    }

    // Runs the program's message loop until it ends or a safety quit comes after `limitMs`.
    static int RunLoopWithLimit(UINT limitMs = 3000) {
        const UINT_PTR timer =
            SetTimer(nullptr, 0, limitMs, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(99); });
        const int code = platform::RunMessageLoop(MainWindow().窗口);
        KillTimer(nullptr, timer);
        return code;
    }

    static RECT ClientPlace(HWND control) {
        RECT place;
        GetWindowRect(control, &place);
        MapWindowPoints(HWND_DESKTOP, MainWindow().窗口, reinterpret_cast<POINT*>(&place), 2);
        return place;
    }
};

TEST_F(MainWindowTest, FrameIsCentredFixedAndCaptioned) {
    HWND window = MainWindow().窗口;
    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, 403);
    EXPECT_EQ(outer.bottom - outer.top, 335);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - 403) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - 335) / 2);

    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_EQ(TextOf(window), L"Quillmere");
    EXPECT_EQ(GetClassLongPtrW(window, GCLP_HBRBACKGROUND), COLOR_BTNFACE + 1);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_TRUE(CurrentSourcePath().empty());
}

TEST_F(MainWindowTest, ControlsStandWhereTheWindowDescriptionPutsThem) {
    const MainWindowControls& w = MainWindow();
    struct Expected {
        HWND control;
        const wchar_t* className;
        int left, top, width;
        int height;  // -1: the combo box, whose closed height follows its font
        const wchar_t* text;
        DWORD styles;
        bool tabStop;
    } expected[] = {
        {w.超级列表框1, L"SysListView32", 2, 5, 390, 224, L"",
         WS_BORDER | LVS_ICON | LVS_AUTOARRANGE | LVS_SINGLESEL, true},
        {w.按钮1, L"Button", 8, 240, 80, 24, L"选择文件", BS_CENTER | BS_VCENTER | BS_MULTILINE,
         true},
        {w.按钮2, L"Button", 96, 240, 80, 24, L"保存文件", BS_CENTER | BS_VCENTER | BS_MULTILINE,
         true},
        {w.按钮3, L"Button", 184, 240, 80, 24, L"批量保存", BS_CENTER | BS_VCENTER | BS_MULTILINE,
         true},
        {w.组合框1, L"ComboBox", 272, 240, 88, -1, L"32*32", CBS_DROPDOWN | CBS_AUTOHSCROLL, true},
        {w.按钮4, L"Button", 8, 272, 80, 24, L"作者QQ", BS_CENTER | BS_VCENTER | BS_MULTILINE,
         true},
        {w.按钮5, L"Button", 96, 272, 80, 24, L"QQ群", BS_CENTER | BS_VCENTER | BS_MULTILINE, true},
        {w.标签1, L"Static", 192, 272, 168, 24, L"支持exe ico dll", SS_OWNERDRAW, false},
    };
    HWND previous = nullptr;
    for (const Expected& e : expected) {
        SCOPED_TRACE(::testing::Message()
                     << "control with text " << ::testing::PrintToString(std::wstring(e.text)));
        ASSERT_NE(e.control, nullptr);
        EXPECT_EQ(ClassOf(e.control), e.className);
        const RECT place = ClientPlace(e.control);
        EXPECT_EQ(place.left, e.left);
        EXPECT_EQ(place.top, e.top);
        EXPECT_EQ(place.right - place.left, e.width);
        if (e.height >= 0) {
            EXPECT_EQ(place.bottom - place.top, e.height);
        }
        EXPECT_EQ(TextOf(e.control), e.text);
        const DWORD style = GetWindowLongW(e.control, GWL_STYLE);
        EXPECT_EQ(style & e.styles, e.styles);
        EXPECT_EQ((style & WS_TABSTOP) != 0, e.tabStop);
        EXPECT_TRUE(IsWindowVisible(e.control));
        EXPECT_TRUE(IsWindowEnabled(e.control));
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(e.control, WM_GETFONT, 0, 0)),
                  GetStockObject(DEFAULT_GUI_FONT));
        if (ClassOf(e.control) == L"Button") {
            EXPECT_EQ(style & BS_TYPEMASK, DWORD{BS_PUSHBUTTON});  // never a default button
        }
        // Z order is tab order: each control follows the one above it in the table.
        if (previous) {
            EXPECT_EQ(GetWindow(previous, GW_HWNDNEXT), e.control);
        }
        previous = e.control;
    }
}

TEST_F(MainWindowTest, IconListAndSizeChooserStartAsDescribed) {
    const MainWindowControls& w = MainWindow();
    EXPECT_EQ(SendMessageW(w.超级列表框1, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(w.超级列表框1, LVM_GETIMAGELIST, LVSIL_NORMAL, 0), 0);
    const DWORD extended = SendMessageW(w.超级列表框1, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
    EXPECT_EQ(extended & (LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES),
              DWORD{LVS_EX_INFOTIP | LVS_EX_SUBITEMIMAGES});
    EXPECT_EQ(SendMessageW(w.超级列表框1, LVM_GETBKCOLOR, 0, 0), RGB(255, 255, 255));
    EXPECT_EQ(SendMessageW(w.超级列表框1, LVM_GETTEXTCOLOR, 0, 0), RGB(0, 0, 0));
    const DWORD listStyle = GetWindowLongW(w.超级列表框1, GWL_STYLE);
    EXPECT_FALSE(listStyle & (LVS_SHOWSELALWAYS | LVS_NOLABELWRAP | LVS_EDITLABELS |
                              LVS_SORTASCENDING | LVS_SORTDESCENDING));

    ASSERT_EQ(SendMessageW(w.组合框1, CB_GETCOUNT, 0, 0), 3);
    const wchar_t* items[] = {L"16*16", L"32*32", L"48*48"};
    for (int i = 0; i < 3; ++i) {
        wchar_t text[32] = {};
        SendMessageW(w.组合框1, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, items[i]);
    }
    EXPECT_EQ(SendMessageW(w.组合框1, CB_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(GetWindowLongW(w.组合框1, GWL_STYLE) & CBS_SORT);
    EXPECT_EQ(GetFocus(), w.超级列表框1);
}

TEST_F(MainWindowTest, WindowIconsAreTheBigTrueColourImage) {
    for (WPARAM which : {ICON_BIG, ICON_SMALL}) {
        HICON icon = reinterpret_cast<HICON>(SendMessageW(MainWindow().窗口, WM_GETICON, which, 0));
        ASSERT_NE(icon, nullptr);
        ICONINFO info = {};
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP colour = {};
        ASSERT_NE(info.hbmColor, nullptr);
        GetObjectW(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, 48);
        EXPECT_EQ(colour.bmHeight, 48);
        EXPECT_EQ(colour.bmBitsPixel, 32);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
    }
}

TEST_F(MainWindowTest, TabMovesDownTheTableAndShiftTabUp) {
    const MainWindowControls& w = MainWindow();
    HWND comboEdit = GetWindow(w.组合框1, GW_CHILD);
    const HWND forward[] = {w.超级列表框1, w.按钮1, w.按钮2, w.按钮3,
                            comboEdit,     w.按钮4, w.按钮5, w.超级列表框1};
    auto pressTab = [](bool shift) {
        HoldModifiers(false, shift, false);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0);
        PostQuitMessage(0);
        platform::RunMessageLoop(MainWindow().窗口);
    };
    SetFocus(w.超级列表框1);
    for (size_t i = 1; i < std::size(forward); ++i) {
        pressTab(false);
        EXPECT_EQ(GetFocus(), forward[i]) << "after Tab number " << i;
    }
    for (size_t i = std::size(forward) - 1; i-- > 0;) {
        pressTab(true);
        EXPECT_EQ(GetFocus(), forward[i]) << "after Shift+Tab back to position " << i;
    }
}

TEST_F(MainWindowTest, EscapeFromEveryFocusableControlClosesTheWindowAndEndsTheLoopWithZero) {
    for (int index = 0; index < 8; ++index) {
        if (index > 0)
            SetUp();
        const MainWindowControls& w = MainWindow();
        const HWND targets[] = {w.窗口,  w.超级列表框1, w.按钮1,
                                w.按钮2, w.按钮3,       GetWindow(w.组合框1, GW_CHILD),
                                w.按钮4, w.按钮5};
        HWND target = targets[index];
        SCOPED_TRACE(::testing::Message() << "focus on control " << index << " "
                                          << ::testing::PrintToString(ClassOf(target)));
        SetFocus(target);
        HoldModifiers(false, false, false);
        PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(RunLoopWithLimit(), 0);
        EXPECT_FALSE(IsWindow(w.窗口));
    }
}

TEST_F(MainWindowTest, EscapeWithAModifierHeldDoesNotClose) {
    const struct {
        bool control, shift, alt;
    } modifiers[] = {{false, true, false}, {true, false, false}, {false, false, true}};
    for (const auto& held : modifiers) {
        SetFocus(MainWindow().按钮1);
        HoldModifiers(held.control, held.shift, held.alt);
        PostMessageW(MainWindow().按钮1, WM_KEYDOWN, VK_ESCAPE, 0);
        PostQuitMessage(7);
        EXPECT_EQ(platform::RunMessageLoop(MainWindow().窗口), 7);
        EXPECT_TRUE(IsWindow(MainWindow().窗口));
    }
}

TEST_F(MainWindowTest, EnterOnAFocusedButtonClicksNothingAndSpaceClicksIt) {
    HWND button = MainWindow().按钮1;  // "选择文件": a click opens the open-file dialog
    auto press = [&](WPARAM key) {
        SetFocus(button);
        HoldModifiers(false, false, false);
        PostMessageW(button, WM_KEYDOWN, key, 0);
        if (key == VK_RETURN)
            PostMessageW(button, WM_CHAR, L'\r', 0);
        PostMessageW(button, WM_KEYUP, key, 0xC0000000);
        PostQuitMessage(0);
        platform::RunMessageLoop(MainWindow().窗口);
    };
    press(VK_RETURN);
    EXPECT_FALSE(testing::PumpUntil([] { return testing::FindFileDialog() != nullptr; },
                                    std::chrono::milliseconds(1500)));
    press(VK_SPACE);
    HWND dialog = nullptr;
    ASSERT_TRUE(
        testing::PumpUntil([&] { return (dialog = testing::FindFileDialog()) != nullptr; }));
    testing::PressDialogButton(dialog, IDCANCEL);
    EXPECT_TRUE(testing::PumpUntil([] { return testing::FindFileDialog() == nullptr; }));
}

TEST_F(MainWindowTest, FocusReturnsToTheIconListWhenTheWindowGetsItBack) {
    SetFocus(nullptr);
    SendMessageW(MainWindow().窗口, WM_SETFOCUS, 0, 0);
    EXPECT_EQ(GetFocus(), MainWindow().超级列表框1);
}

}  // namespace
}  // namespace quillmere
