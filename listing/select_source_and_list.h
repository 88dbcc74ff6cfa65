#pragma once

namespace quillmere {

// Behind "选择文件", on a worker thread: the open-file dialog, then the listing.
void SelectSourceAndList();

}  // namespace quillmere
