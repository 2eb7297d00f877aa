#include "shell/IdLists.h"

#include <algorithm>

namespace nesk {
namespace {

uint16_t ItemSize(const uint8_t* item)
{
    return static_cast<uint16_t>(item[0] | (item[1] << 8));
}

IdListBytes Joined(const std::vector<std::vector<uint8_t>>& items, size_t first, size_t last)
{
    IdListBytes list;
    for (size_t i = first; i < last; ++i)
        list.insert(list.end(), items[i].begin(), items[i].end());
    list.push_back(0);
    list.push_back(0);
    return list;
}

}  // namespace

size_t IdListItemCount(const uint8_t* list)
{
    size_t count = 0;
    for (const uint8_t* item = list; item && ItemSize(item) != 0; item += ItemSize(item))
        ++count;
    return count;
}

const uint8_t* NextIdListItem(const uint8_t* item)
{
    if (!item || ItemSize(item) == 0)
        return nullptr;
    const uint8_t* next = item + ItemSize(item);
    return ItemSize(next) == 0 ? nullptr : next;
}

size_t IdListSize(const uint8_t* list)
{
    if (!list)
        return 0;
    size_t size = 0;
    while (ItemSize(list + size) != 0)
        size += ItemSize(list + size);
    return size + 2;
}

IdListBytes CopyIdList(const uint8_t* list)
{
    return list ? IdListBytes(list, list + IdListSize(list)) : IdListBytes();
}

std::vector<std::vector<uint8_t>> IdListItems(const IdListBytes& list)
{
    std::vector<std::vector<uint8_t>> items;
    size_t offset = 0;
    while (offset + 2 <= list.size()) {
        size_t size = ItemSize(list.data() + offset);
        if (size < 2 || offset + size > list.size())
            break;
        items.emplace_back(list.begin() + offset, list.begin() + offset + size);
        offset += size;
    }
    return items;
}

std::vector<IdListBytes> CidaListsRelativeToCommonFolder(const std::vector<IdListBytes>& parentFolders,
                                                         const std::vector<IdListBytes>& files)
{
    if (files.empty() || parentFolders.size() != files.size())
        return {};
    std::vector<std::vector<std::vector<uint8_t>>> folderItems, fileItems;
    for (const auto& folder : parentFolders)
        folderItems.push_back(IdListItems(folder));
    for (const auto& file : files)
        fileItems.push_back(IdListItems(file));

    size_t common = folderItems.front().size();
    for (const auto& items : folderItems) {
        size_t shared = 0;
        while (shared < common && shared < items.size() && items[shared] == folderItems.front()[shared])
            ++shared;
        common = shared;
    }
    for (const auto& items : fileItems)
        common = std::min(common, items.empty() ? 0 : items.size() - 1);

    std::vector<IdListBytes> lists{Joined(folderItems.front(), 0, common)};
    for (const auto& items : fileItems)
        lists.push_back(Joined(items, std::min(common, items.size()), items.size()));

    return lists;
}

}  // namespace nesk
