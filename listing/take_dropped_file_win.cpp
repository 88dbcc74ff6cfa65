#include "listing/take_dropped_file.h"

#include "app/current_source_path.h"
#include "listing/list_source_icons.h"
#include "platform/process.h"

#include <string>

namespace quillmere {

void TakeDroppedFile(std::wstring_view droppedText) {
    ReplaceCurrentSourcePath(std::wstring(droppedText));
    platform::StartWorker(ListSourceIcons);
}

}  // namespace quillmere
