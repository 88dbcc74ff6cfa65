#include "app/actions.h"

#include "app/contact_links.h"
#include "listing/select_source_and_list.h"
#include "platform/process.h"
#include "saving/batch_save_icons.h"
#include "saving/save_selected_icon.h"

namespace quillmere {

void OnSelectFileClicked() {
    platform::StartWorker(SelectSourceAndList);
}
void OnSaveFileClicked() {
    platform::StartWorker(SaveSelectedIcon);
}
void OnBatchSaveClicked() {
    platform::StartWorker(BatchSaveIcons);
}

void OpenAuthorContact() {
    platform::OpenLink(AuthorContactLink());
}
void OpenGroupJoin() {
    platform::OpenLink(GroupJoinLink());
}

}  // namespace quillmere
