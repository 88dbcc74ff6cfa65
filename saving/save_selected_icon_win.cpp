#include "saving/save_selected_icon.h"

#include "app/current_source_path.h"
#include "app/main_window.h"
#include "platform/controls.h"
#include "platform/shell_folders.h"
#include "saving/export_icon.h"

namespace quillmere {

void SaveSelectedIcon() {
    platform::CommonDlg& dialog = 通用对话框2();
    dialog.Change([](platform::FileDialogSettings& settings) {
        settings.kind = platform::FileDialogKind::Save;
        settings.title = L"选择要保存图标的目录";
        settings.filter = L"*.ico|*.ico";
        settings.defaultExtension = L"ico";  // a name typed without extension ends in ".ico"
        settings.fileMustExist = false;      // a save dialog must accept new names
        settings.initialFolder = platform::DesktopFolder();
    });
    const auto destination = dialog.Show();
    if (!destination)
        return;

    // Read only now that the dialog is closed: a selection changed meanwhile counts.
    const int iconNumber = platform::ListSelectedItem(MainWindow().超级列表框1) + 1;
    ExportIcon(CurrentSourcePath(), iconNumber, *destination);
}

}  // namespace quillmere
