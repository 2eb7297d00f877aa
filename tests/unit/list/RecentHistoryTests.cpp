// The recent history: pruned when it is loaded, ten entries in the menus.
#include <gtest/gtest.h>

#include <algorithm>

#include "fakes/FakePlatform.h"
#include "list/RecentHistory.h"

namespace nesk {
namespace {

using Lines = std::vector<std::wstring>;

std::wstring ListPath(int i)
{
    return L"D:\\Lists\\L" + std::to_wstring(i) + L".Nesk.log";
}

Lines ListPaths(int count)
{
    Lines paths;
    for (int i = 0; i < count; ++i)
        paths.push_back(ListPath(i));
    return paths;
}

TEST(RecentHistory, MissingFilesGoFirstThenTheFirstTenStay)
{
    struct Case {
        const char* name;
        int entries;
        std::vector<int> missing;
        std::vector<int> kept;
    } cases[] = {
        {"empty", 0, {}, {}},
        {"fifteen existing", 15, {}, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"deleted ones make room", 15, {1, 3, 12}, {0, 2, 4, 5, 6, 7, 8, 9, 10, 11}},
        {"all gone", 3, {0, 1, 2}, {}},
        {"ten", 10, {9}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fakes::ScopedFakePlatform fake;
        Lines recent = ListPaths(c.entries);
        for (int i = 0; i < c.entries; ++i)
            if (std::find(c.missing.begin(), c.missing.end(), i) == c.missing.end())
                fake.fs.AddFile(ListPath(i), std::string("x"));
        PruneRecent(recent);
        Lines expected;
        for (int i : c.kept)
            expected.push_back(ListPath(i));
        EXPECT_EQ(recent, expected);
    }
}

TEST(RecentHistory, MenusShowTheFirstTenAsCaptions)
{
    EXPECT_EQ(RecentMenuEntries({}), Lines{});
    EXPECT_EQ(RecentMenuEntries(ListPaths(3)), ListPaths(3));
    EXPECT_EQ(RecentMenuEntries(ListPaths(12)), ListPaths(10));
    EXPECT_EQ(MenuCaption(L"D:\\R&D\\A&&B.Nesk.log"), L"D:\\R&&D\\A&&&&B.Nesk.log");
}

}  // namespace
}  // namespace nesk
