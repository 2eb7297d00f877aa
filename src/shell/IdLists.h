// Item identifier lists as bytes: a run of items, each starting with its 16-bit size, ended by
// an item of size 0. Walking them, and the "Shell IDList Array" (CIDA) of a file drag, which
// names every file relative to the deepest folder all of them share (ClipboardBytes.h
// lays the lists out).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nesk {

// An identifier list with its two-byte terminator.
using IdListBytes = std::vector<uint8_t>;

// The pointer functions trust the list as the shell hands it out; 0 and null for null.
size_t IdListItemCount(const uint8_t* list);
const uint8_t* NextIdListItem(const uint8_t* item);
size_t IdListSize(const uint8_t* list);  // in bytes, the terminator included
IdListBytes CopyIdList(const uint8_t* list);

// The items of a list held in bytes, each with its size field; a size that runs past the
// block, or a size below 2, ends the walk.
std::vector<std::vector<uint8_t>> IdListItems(const IdListBytes& list);

// The lists of a "Shell IDList Array" for files whose parent folders and own absolute lists
// are given in the same order: the common folder's list, then each file's list without the
// leading items it shares with that folder. The common folder is the longest run of
// leading items that all parent folders share (same size, same bytes); it stops one item
// short of the shortest file list, so that no file is named by an empty list (a dragged drive
// root stands in the folder of all drives). Empty when there are no files or the counts differ.
std::vector<IdListBytes> CidaListsRelativeToCommonFolder(const std::vector<IdListBytes>& parentFolders,
                                                         const std::vector<IdListBytes>& files);

}  // namespace nesk
