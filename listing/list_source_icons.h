#pragma once

namespace quillmere {

// Fills the icon list with the icons of the current source, at the size chosen in the size
// chooser, captioned "1", "2", ...; or tells the user why it cannot. Runs on a worker thread.
void ListSourceIcons();

}  // namespace quillmere
