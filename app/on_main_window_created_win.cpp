#include "app/main_window.h"

#include "app/main_window_icon.h"
#include "listing/take_dropped_file.h"
#include "platform/controls.h"
#include "platform/drop_target.h"
#include "platform/frame_window.h"

namespace quillmere {
namespace {

constexpr int sizeChoice32 = 1;  // "32*32"

platform::OwnedIcon WindowIconOfWidth(int width) {
    const auto image = PickWindowIconImage(MainWindowIconBytes(), width);
    if (!image)
        return {};
    return platform::IconFromImage(image->bytes, image->width, image->height);
}

}  // namespace

void OnMainWindowCreated() {
    const MainWindowControls& window = MainWindow();
    platform::BindFileDropTarget(window.超级列表框1, TakeDroppedFile);
    platform::ComboSelect(window.组合框1, sizeChoice32);
    platform::SetWindowIcons(window.窗口, WindowIconOfWidth(32), WindowIconOfWidth(16));
    platform::SetWindowCaption(window.窗口, L"Quillmere");
}

}  // namespace quillmere
