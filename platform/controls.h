#pragma once

#include <string>
#include <string_view>

#include "platform/handles.h"

// Operations on the main window's controls. Each is one message sent to the control, carried out
// on the window's thread, so a worker thread may call them while the window's thread runs its loop.
namespace platform {

// Combo box: select the item at index (−1 for none); the selected item's index, −1 when none.
void ComboSelect(WindowHandle combo, int index);
int ComboSelection(WindowHandle combo);

// List view.
void ListDeleteAllItems(WindowHandle list);
int ListItemCount(WindowHandle list);
// Appends an item with its caption and image (−1: no image); returns its position or −1.
int ListAppendItem(WindowHandle list, std::wstring_view caption, int imageIndex);
// Position of the first selected item, −1 when none is selected.
int ListSelectedItem(WindowHandle list);
// Gives the list its normal image list, which it owns from now on; the one it had is destroyed.
void ListSetNormalImageList(WindowHandle list, OwnedImageList images);

}  // namespace platform
