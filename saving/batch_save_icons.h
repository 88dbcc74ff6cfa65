#pragma once

namespace quillmere {

// Behind "批量保存", on a worker thread: every listed icon written into one folder.
void BatchSaveIcons();

}  // namespace quillmere
