#pragma once

namespace quillmere {

// Behind "保存文件", on a worker thread: the save dialog, then the selected icon written.
void SaveSelectedIcon();

}  // namespace quillmere
