#pragma once

#include <vector>

#include "platform/handles.h"

// Listings may overlap (a drop during a listing, two quick confirmations in the open dialog).
// Each listing that gets as far as emptying the list takes a ticket; only the listing that took
// the latest ticket fills the list, and it does so under a lock, so the list always ends showing
// one source's icons, whole, with their images.
namespace quillmere {

using ListingTicket = unsigned long long;

// Takes a ticket and empties the list.
ListingTicket StartFillingIconList();

// Gives the list its image list and appends items "1" ... "n" with the noted image indexes
// (−1: no image), unless a later listing has taken a ticket since. Returns whether it filled.
bool FinishFillingIconList(ListingTicket ticket, platform::OwnedImageList images,
                           const std::vector<int>& imageIndexes);

}  // namespace quillmere
