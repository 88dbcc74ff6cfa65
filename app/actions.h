#pragma once

// What the main window's buttons do. The three action buttons start a worker thread of their own
// and return at once; the contact buttons open their links on the window's thread.
namespace quillmere {

void OnSelectFileClicked();
void OnSaveFileClicked();
void OnBatchSaveClicked();

void OpenAuthorContact();
void OpenGroupJoin();

}  // namespace quillmere
