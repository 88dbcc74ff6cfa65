#include "listing/icon_list_filling.h"

#include "app/main_window.h"
#include "platform/controls.h"

#include <mutex>
#include <string>

namespace quillmere {
namespace {

std::mutex fillingLock;
ListingTicket latestTicket = 0;

}  // namespace

ListingTicket StartFillingIconList() {
    std::lock_guard lock(fillingLock);
    platform::ListDeleteAllItems(MainWindow().超级列表框1);
    return ++latestTicket;
}

bool FinishFillingIconList(ListingTicket ticket, platform::OwnedImageList images,
                           const std::vector<int>& imageIndexes) {
    std::lock_guard lock(fillingLock);
    if (ticket != latestTicket) return false;
    const platform::WindowHandle list = MainWindow().超级列表框1;
    platform::ListDeleteAllItems(list);  // nothing of an overtaken listing stays
    if (images) platform::ListSetNormalImageList(list, std::move(images));
    for (size_t k = 1; k <= imageIndexes.size(); ++k) {
        platform::ListAppendItem(list, std::to_wstring(k), imageIndexes[k - 1]);
    }
    return true;
}

}  // namespace quillmere
