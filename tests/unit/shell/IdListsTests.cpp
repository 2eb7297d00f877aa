// Identifier lists as bytes, and the CIDA of a file drag.
#include <gtest/gtest.h>

#include <string>

#include "ole/ClipboardBytes.h"
#include "shell/IdLists.h"

namespace nesk::testing {
namespace {

// One item per name: its size (2 + length), then the name's bytes.
IdListBytes List(std::initializer_list<std::string> names)
{
    IdListBytes list;
    for (const auto& name : names) {
        size_t size = 2 + name.size();
        list.push_back(static_cast<uint8_t>(size));
        list.push_back(static_cast<uint8_t>(size >> 8));
        list.insert(list.end(), name.begin(), name.end());
    }
    list.push_back(0);
    list.push_back(0);
    return list;
}

TEST(IdLists, Walking)
{
    IdListBytes list = List({"pc", "C:", "data"});
    EXPECT_EQ(IdListItemCount(list.data()), 3u);
    EXPECT_EQ(IdListItemCount(nullptr), 0u);
    EXPECT_EQ(IdListSize(list.data()), list.size());
    const uint8_t* second = NextIdListItem(list.data());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second - list.data(), 4);
    const uint8_t* third = NextIdListItem(second);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(NextIdListItem(third), nullptr);
    IdListBytes empty = List({});
    EXPECT_EQ(IdListItemCount(empty.data()), 0u);
    EXPECT_EQ(NextIdListItem(empty.data()), nullptr);
    EXPECT_EQ(CopyIdList(list.data()), list);

    // A size past the block, or below 2, ends the walk of bytes.
    IdListBytes broken = List({"pc", "C:"});
    broken[4] = 200;
    EXPECT_EQ(IdListItems(broken).size(), 1u);
    broken[4] = 1;
    EXPECT_EQ(IdListItems(broken).size(), 1u);
}

TEST(IdLists, CidaOfSiblingFoldersIsRelativeToTheirDrive)
{
    std::vector<IdListBytes> parents{List({"pc", "C:", "A"}), List({"pc", "C:", "B"})};
    std::vector<IdListBytes> files{List({"pc", "C:", "A", "x.txt"}), List({"pc", "C:", "B", "y.txt"})};
    std::vector<uint8_t> cida = BuildCida(CidaListsRelativeToCommonFolder(parents, files));
    auto parsed = ParseCida(cida.data(), cida.size());
    ASSERT_TRUE(parsed);
    std::vector<IdListBytes> lists = *parsed;
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_EQ(cida[0], 2);  // cidl: the files, without the folder
    EXPECT_EQ(lists[0], List({"pc", "C:"}));
    EXPECT_EQ(lists[1], List({"A", "x.txt"}));
    EXPECT_EQ(lists[2], List({"B", "y.txt"}));
    size_t total = 4 * 4;
    for (const auto& list : lists)
        total += list.size();
    EXPECT_EQ(cida.size(), total);
    EXPECT_EQ(cida[4], 16);  // the folder's list follows the offsets at once
}

TEST(IdLists, CidaCases)
{
    struct Case {
        const char* what;
        std::vector<IdListBytes> parents, files, expected;
    } cases[] = {
        {"files of one folder",
         {List({"pc", "C:", "A"}), List({"pc", "C:", "A"})},
         {List({"pc", "C:", "A", "x"}), List({"pc", "C:", "A", "y"})},
         {List({"pc", "C:", "A"}), List({"x"}), List({"y"})}},
        {"a folder and a file inside it",
         {List({"pc", "C:"}), List({"pc", "C:", "A"})},
         {List({"pc", "C:", "A"}), List({"pc", "C:", "A", "x"})},
         {List({"pc", "C:"}), List({"A"}), List({"A", "x"})}},
        {"two drives share only the computer",
         {List({"pc", "C:"}), List({"pc", "D:"})},
         {List({"pc", "C:", "x"}), List({"pc", "D:", "y"})},
         {List({"pc"}), List({"C:", "x"}), List({"D:", "y"})}},
        {"items of the same size but other bytes differ",
         {List({"pc", "C:", "AA"}), List({"pc", "C:", "AB"})},
         {List({"pc", "C:", "AA", "x"}), List({"pc", "C:", "AB", "y"})},
         {List({"pc", "C:"}), List({"AA", "x"}), List({"AB", "y"})}},
        // A drive root's parent is the root itself; it is named inside the computer instead
        // of by an empty list.
        {"a drive root", {List({"pc", "C:"})}, {List({"pc", "C:"})}, {List({"pc"}), List({"C:"})}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CidaListsRelativeToCommonFolder(c.parents, c.files), c.expected) << c.what;
    }
    EXPECT_TRUE(CidaListsRelativeToCommonFolder({}, {}).empty());
    EXPECT_TRUE(CidaListsRelativeToCommonFolder({List({"pc"})}, {}).empty());
}

}  // namespace
}  // namespace nesk::testing
