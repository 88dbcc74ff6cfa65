#include "listing/select_source_and_list.h"

namespace quillmere {

void SelectSourceAndList() {}

}  // namespace quillmere
