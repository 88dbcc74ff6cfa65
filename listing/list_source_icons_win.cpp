#include "listing/list_source_icons.h"

#include "app/main_window.h"
#include "listing/icon_list_filling.h"
#include "platform/controls.h"
#include "platform/icon_extraction.h"
#include "platform/message_box.h"

#include <vector>

namespace quillmere {
namespace {

// Cell size of each item of the size chooser: "16*16", "32*32", "48*48".
constexpr int cellSizes[] = {16, 32, 48};

// Every icon of the source appended to the image list; for each icon, its image index or −1.
std::vector<int> AppendEveryIcon(const std::filesystem::path& source, int count,
                                 const platform::OwnedImageList& images) {
    std::vector<int> imageIndexes;
    imageIndexes.reserve(count);
    for (int i = 1; i <= count; ++i) {
        const platform::OwnedIcon icon = platform::ExtractIconAt(source, i - 1);
        imageIndexes.push_back(platform::AppendIcon(images, icon));
    }
    return imageIndexes;
}

}  // namespace

void ListSourceIcons() {
    const auto [ticket, source] = StartListing();
    const int count = platform::CountIcons(source);
    if (count < 1) {
        platform::ShowMessageBox(L"没有资源图标", L"错误", platform::StopIconOk);
        return;
    }

    if (!EmptyIconList(ticket))
        return;  // a later listing has taken over
    const int choice = platform::ComboSelection(MainWindow().组合框1);
    if (choice < 0 || choice >= static_cast<int>(std::size(cellSizes))) {
        platform::ShowMessageBox(L"请选择需要的图标大小", L"提示", platform::InformationIconOk);
        return;
    }

    platform::OwnedImageList images = platform::CreateImageList(cellSizes[choice]);
    const std::vector<int> imageIndexes = AppendEveryIcon(source, count, images);
    FillIconList(ticket, std::move(images), imageIndexes);
}

}  // namespace quillmere
