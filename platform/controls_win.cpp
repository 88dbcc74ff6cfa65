#include "platform/controls.h"

#include "platform/windows_api.h"

namespace platform {

void ComboSelect(WindowHandle combo, int index) {
    SendMessageW(combo, CB_SETCURSEL, index, 0);
}

int ComboSelection(WindowHandle combo) {
    return static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
}

void ListDeleteAllItems(WindowHandle list) {
    SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
}

int ListItemCount(WindowHandle list) {
    return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

int ListAppendItem(WindowHandle list, std::wstring_view caption, int imageIndex) {
    std::wstring text(caption);
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = ListItemCount(list);
    item.pszText = text.data();
    item.iImage = imageIndex < 0 ? I_IMAGENONE : imageIndex;
    return static_cast<int>(
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

int ListSelectedItem(WindowHandle list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

void ListSetNormalImageList(WindowHandle list, OwnedImageList images) {
    HIMAGELIST previous = reinterpret_cast<HIMAGELIST>(SendMessageW(
        list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(images.release())));
    if (previous)
        ImageList_Destroy(previous);
}

}  // namespace platform
