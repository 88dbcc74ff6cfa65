#pragma once

#include <filesystem>
#include <vector>

#include "platform/handles.h"

// Listings may overlap (a drop during a listing, two quick confirmations in the open dialog).
// Each listing takes a ticket together with the source path, so tickets follow the order in which
// the listings took their sources. Only the listing holding the latest ticket touches the list,
// and it fills it under a lock, so the list always ends showing the icons of the listing started
// last, whole and with their images, never a mix of two sources.
namespace quillmere {

using ListingTicket = unsigned long long;

struct ListingStart {
    ListingTicket ticket;
    std::filesystem::path source;
};

// Takes a ticket and the current source path.
ListingStart StartListing();

// Empties the list, unless a later listing has started. Returns whether it did.
bool EmptyIconList(ListingTicket ticket);

// Gives the list its image list and appends items "1" ... "n" with the noted image indexes
// (−1: no image), unless a later listing has started. Returns whether it filled the list.
bool FillIconList(ListingTicket ticket, platform::OwnedImageList images,
                  const std::vector<int>& imageIndexes);

}  // namespace quillmere
