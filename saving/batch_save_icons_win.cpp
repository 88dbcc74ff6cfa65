#include "saving/batch_save_icons.h"

namespace quillmere {

void BatchSaveIcons() {}

}  // namespace quillmere
