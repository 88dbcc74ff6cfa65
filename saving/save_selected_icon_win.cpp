#include "saving/save_selected_icon.h"

namespace quillmere {

void SaveSelectedIcon() {}

}  // namespace quillmere
