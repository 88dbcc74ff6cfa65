#pragma once

#include "platform/file_dialog.h"
#include "platform/handles.h"

// 窗口, the program's one window, and its controls by their form names.
namespace quillmere {

struct MainWindowControls {
    platform::WindowHandle 窗口 = nullptr;
    platform::WindowHandle 超级列表框1 = nullptr;  // the icon list
    platform::WindowHandle 按钮1 = nullptr;        // "选择文件"
    platform::WindowHandle 按钮2 = nullptr;        // "保存文件"
    platform::WindowHandle 按钮3 = nullptr;        // "批量保存"
    platform::WindowHandle 组合框1 = nullptr;      // the size chooser
    platform::WindowHandle 按钮4 = nullptr;        // "作者QQ"
    platform::WindowHandle 按钮5 = nullptr;        // "QQ群"
    platform::WindowHandle 标签1 = nullptr;        // "支持exe ico dll"
};

// The controls of the main window; all null before it is built.
const MainWindowControls& MainWindow();

// The main window's file dialogs, which keep their settings for the life of the program.
platform::CommonDlg& 通用对话框1();  // the open-file dialog
platform::CommonDlg& 通用对话框2();  // the save-file dialog

// Creates the main window hidden, with all its controls. False when it cannot be made.
bool BuildMainWindow();

// Binds the drop target, selects "32*32", sets the window's icons and caption.
void OnMainWindowCreated();

// Shows the window and gives the icon list the focus.
void ShowMainWindow();

}  // namespace quillmere
