#include "listing/select_source_and_list.h"

#include "app/current_source_path.h"
#include "app/main_window.h"
#include "listing/list_source_icons.h"
#include "platform/shell_folders.h"

namespace quillmere {

void SelectSourceAndList() {
    platform::CommonDlg& dialog = 通用对话框1();
    dialog.Change([](platform::FileDialogSettings& settings) {
        settings.title = L"选择文件";
        settings.filter = L"*.exe|*.exe|*.dll|*.dll|*.ico|*.ico";
        settings.initialFolder = platform::DesktopFolder();
    });

    // A cancelled dialog keeps the current source; it is listed again at the size chosen now,
    // and with no source chosen yet there is nothing to list.
    if (const auto chosen = dialog.Show())
        ReplaceCurrentSourcePath(*chosen);
    if (CurrentSourcePath().empty())
        return;
    ListSourceIcons();
}

}  // namespace quillmere
