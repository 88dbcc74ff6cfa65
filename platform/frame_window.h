#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

#include "platform/handles.h"

// A fixed-size top-level window described as data: the controls it holds, their places and
// texts, in tab order. The window procedure turns the few events the program listens to into
// calls of FrameEvents; everything else keeps the system's default behaviour.
namespace platform {

enum class ControlKind {
    IconList,          // large-icon list view, one selected item at most, auto-arranged
    PushButton,        // centred, wrapping text; never a default button
    EditableDropDown,  // combo box with an edit field, unsorted items
    ColouredLabel,     // one centred line in its own colour; takes no focus
};

struct ControlDescription {
    int id = 0;
    ControlKind kind = ControlKind::PushButton;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;  // for the drop-down: its height with the list dropped down
    std::wstring_view text;
    std::span<const std::wstring_view> items = {};  // drop-down items, in order
    std::uint32_t textColour = 0;                   // label text colour as 0x00BBGGRR
};

struct FrameDescription {
    int outerWidth = 0;
    int outerHeight = 0;
    std::span<const ControlDescription> controls;  // in tab order; the first takes the focus
};

struct FrameEvents {
    std::function<void(int controlId)> clicked;
};

// Creates the window hidden, centred on the primary screen, with every control created and
// visible. Returns null when the window or any control cannot be made.
WindowHandle CreateFrameWindow(const FrameDescription& description, FrameEvents events);

WindowHandle ControlOf(WindowHandle frame, int controlId);

// Shows the window normally, activates it and gives the first control the focus.
void ShowFrameWindow(WindowHandle frame);

void SetWindowCaption(WindowHandle window, std::wstring_view caption);

// Gives the window its title-bar and taskbar icons; the icons it had before are destroyed, and
// the window destroys its icons when it is destroyed.
void SetWindowIcons(WindowHandle window, OwnedIcon large, OwnedIcon small);

// Runs the thread's message loop until WM_QUIT and returns its exit code. Tab and Shift+Tab move
// the focus among the frame's controls; Esc without Ctrl, Shift or Alt closes the frame from any
// of its controls; Enter is passed to the control as it is, so it clicks no button.
int RunMessageLoop(WindowHandle frame);

// An icon made from one image of an icon file (its bitmap or PNG bytes) at the image's size.
OwnedIcon IconFromImage(std::span<const std::uint8_t> image, int width, int height);

}  // namespace platform
