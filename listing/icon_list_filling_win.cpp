#include "listing/icon_list_filling.h"

#include "app/current_source_path.h"
#include "app/main_window.h"
#include "platform/controls.h"

#include <mutex>
#include <string>

namespace quillmere {
namespace {

std::mutex fillingLock;
ListingTicket latestTicket = 0;

}  // namespace

ListingStart StartListing() {
    std::lock_guard lock(fillingLock);
    return {++latestTicket, CurrentSourcePath()};
}

bool EmptyIconList(ListingTicket ticket) {
    std::lock_guard lock(fillingLock);
    if (ticket != latestTicket)
        return false;
    platform::ListDeleteAllItems(MainWindow().超级列表框1);
    return true;
}

bool FillIconList(ListingTicket ticket, platform::OwnedImageList images,
                  const std::vector<int>& imageIndexes) {
    std::lock_guard lock(fillingLock);
    if (ticket != latestTicket)
        return false;
    const platform::WindowHandle list = MainWindow().超级列表框1;
    platform::ListDeleteAllItems(list);
    if (images)
        platform::ListSetNormalImageList(list, std::move(images));
    for (size_t k = 1; k <= imageIndexes.size(); ++k) {
        platform::ListAppendItem(list, std::to_wstring(k), imageIndexes[k - 1]);
    }
    return true;
}

}  // namespace quillmere
