#include "listing/take_dropped_file.h"

namespace quillmere {

void TakeDroppedFile(std::wstring_view) {}

}  // namespace quillmere
