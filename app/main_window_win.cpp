#include "app/main_window.h"

#include "app/actions.h"
#include "platform/frame_window.h"

#include <array>
#include <string_view>

namespace quillmere {
namespace {

enum ControlId : int {
    idIconList = 1001,
    idSelectFile,
    idSaveFile,
    idBatchSave,
    idSizeChooser,
    idAuthorContact,
    idGroupJoin,
    idHintLabel,
};

constexpr std::array<std::wstring_view, 3> sizeChoices = {L"16*16", L"32*32", L"48*48"};

using platform::ControlKind;

// The window as the user sees it, in tab order.
const std::array<platform::ControlDescription, 8> mainWindowControls = {{
    {idIconList, ControlKind::IconList, 2, 5, 390, 224, L""},
    {idSelectFile, ControlKind::PushButton, 8, 240, 80, 24, L"选择文件"},
    {idSaveFile, ControlKind::PushButton, 96, 240, 80, 24, L"保存文件"},
    {idBatchSave, ControlKind::PushButton, 184, 240, 80, 24, L"批量保存"},
    {idSizeChooser, ControlKind::EditableDropDown, 272, 240, 88, 160, L"", sizeChoices},
    {idAuthorContact, ControlKind::PushButton, 8, 272, 80, 24, L"作者QQ"},
    {idGroupJoin, ControlKind::PushButton, 96, 272, 80, 24, L"QQ群"},
    {idHintLabel,
     ControlKind::ColouredLabel,
     192,
     272,
     168,
     24,
     L"支持exe ico dll",
     {},
     0x008050FF /* red 255, green 80, blue 128 */},
}};

constexpr platform::FrameDescription mainWindowFrame = {403, 335, mainWindowControls};

MainWindowControls controls;

void OnClicked(int controlId) {
    switch (controlId) {
        case idSelectFile:
            OnSelectFileClicked();
            break;
        case idSaveFile:
            OnSaveFileClicked();
            break;
        case idBatchSave:
            OnBatchSaveClicked();
            break;
        case idAuthorContact:
            OpenAuthorContact();
            break;
        case idGroupJoin:
            OpenGroupJoin();
            break;
    }
}

}  // namespace

const MainWindowControls& MainWindow() {
    return controls;
}

platform::CommonDlg& 通用对话框1() {
    static platform::CommonDlg dialog;
    return dialog;
}

platform::CommonDlg& 通用对话框2() {
    static platform::CommonDlg dialog;
    return dialog;
}

bool BuildMainWindow() {
    platform::WindowHandle window = platform::CreateFrameWindow(mainWindowFrame, {OnClicked});
    if (!window)
        return false;
    controls = {
        .窗口 = window,
        .超级列表框1 = platform::ControlOf(window, idIconList),
        .按钮1 = platform::ControlOf(window, idSelectFile),
        .按钮2 = platform::ControlOf(window, idSaveFile),
        .按钮3 = platform::ControlOf(window, idBatchSave),
        .组合框1 = platform::ControlOf(window, idSizeChooser),
        .按钮4 = platform::ControlOf(window, idAuthorContact),
        .按钮5 = platform::ControlOf(window, idGroupJoin),
        .标签1 = platform::ControlOf(window, idHintLabel),
    };
    return true;
}

void ShowMainWindow() {
    platform::ShowFrameWindow(controls.窗口);
}

}  // namespace quillmere
