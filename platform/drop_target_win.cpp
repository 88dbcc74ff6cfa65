#include "platform/drop_target.h"

#include "platform/windows_api.h"

namespace platform {

bool BindFileDropTarget(WindowHandle, FilesDropped) {
    return false;  // drops are refused until the drop target is written
}

}  // namespace platform
