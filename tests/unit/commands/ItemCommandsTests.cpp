// The editing commands' decisions: what a cut keeps, where a paste goes, what is removed.
#include <gtest/gtest.h>

#include <set>

#include "commands/ItemCommands.h"

namespace nesk::testing {
namespace {

using Texts = std::vector<std::wstring>;
using Rows = std::vector<int>;

const std::wstring kData = L"C:\\users\\me\\AppData\\Roaming\\Lark Project\\Nesk\\";

// Cut, then paste into what is left: the block keeps its order and lands before the one
// selected row or at the end, and the buffer file holds it highest row first.
TEST(ItemCommands, CutAndPasteMoveABlockInItsOrder)
{
    struct Case {
        Texts items;
        Rows cut;
        Texts buffer;
        Texts left;
        Rows pasteSelection;
        Texts afterPaste;
    } cases[] = {
        {{L"a", L"b", L"c", L"d", L"e"}, {1, 3}, {L"d", L"b"}, {L"a", L"c", L"e"}, {2}, {L"a", L"c", L"b", L"d", L"e"}},
        {{L"a", L"b", L"c", L"d", L"e"}, {3, 1}, {L"d", L"b"}, {L"a", L"c", L"e"}, {}, {L"a", L"c", L"e", L"b", L"d"}},
        {{L"a", L"b", L"c"}, {0, 1, 2}, {L"c", L"b", L"a"}, {}, {}, {L"a", L"b", L"c"}},
        {{L"a", L"b", L"c"}, {0}, {L"a"}, {L"b", L"c"}, {0}, {L"a", L"b", L"c"}},
        // Equal texts are separate items: both go and both come back.
        {{L"x", L"x", L"y"}, {0, 1}, {L"x", L"x"}, {L"y"}, {0}, {L"x", L"x", L"y"}},
    };
    for (const auto& c : cases) {
        CutPlan plan = PlanCut(c.items, c.cut);
        EXPECT_EQ(plan.buffer, c.buffer);
        Texts left = c.items;
        EraseRows(left, plan.rows);
        EXPECT_EQ(left, c.left);

        int at = PastePosition(static_cast<int>(left.size()), c.pasteSelection, plan.buffer);
        ASSERT_GE(at, 0);
        Texts block = PasteBlock(plan.buffer);
        left.insert(left.begin() + at, block.begin(), block.end());
        EXPECT_EQ(left, c.afterPaste);
    }
}

TEST(ItemCommands, PasteDoesNothingWithSeveralRowsSelectedOrNothingToPaste)
{
    EXPECT_EQ(PastePosition(5, {1, 2}, {L"a"}), -1);
    EXPECT_EQ(PastePosition(5, {}, {}), -1);
    EXPECT_EQ(PastePosition(5, {3}, {}), -1);
    EXPECT_EQ(PastePosition(0, {}, {L"a"}), 0);
}

TEST(ItemCommands, CutWithNothingSelectedCutsNothing)
{
    CutPlan plan = PlanCut({L"a", L"b"}, {});
    EXPECT_TRUE(plan.buffer.empty());
    EXPECT_TRUE(plan.rows.empty());
}

TEST(ItemCommands, RemoveSelectedTakesEveryRowAndDeletesOnlyOurOwnLinkFiles)
{
    Texts items{
        kData + L"Example.url",                           // ours
        kData + L"Upper.URL",                             // ours, any case of the extension
        L"c:\\USERS\\me\\appdata\\roaming\\LARK PROJECT\\nesk\\Mixed.Url",  // ours, any case of the folder
        kData + L"sub\\Deeper.url",                       // a subfolder: not ours
        L"C:\\elsewhere\\Link.url",                       // another folder: not ours
        kData + L"Nesk.lst",                              // ours, but no link file
        kData + L"noextension",
        L"",                                              // no path at all: removed all the same
        L"   ",
        L"a\x01" L"b|<>\"",
        std::wstring(100000, L'x'),
        L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}",
        L"https://example.com/a.url",
        kData,                                            // the folder itself
        L"C:\\elsewhere\\kept.txt",
    };
    Rows selected;
    for (int row = 0; row < static_cast<int>(items.size()) - 1; ++row)
        selected.push_back(row);
    SelectedRemoval removal = PlanRemoveSelected(items, selected, kData);

    Rows expectedRows;
    for (int row = static_cast<int>(items.size()) - 2; row >= 0; --row)
        expectedRows.push_back(row);
    EXPECT_EQ(removal.rows, expectedRows);
    EXPECT_EQ(removal.ownLinkFiles, (Texts{items[2], items[1], items[0]}));

    EraseRows(items, removal.rows);
    EXPECT_EQ(items, (Texts{L"C:\\elsewhere\\kept.txt"}));
}

TEST(ItemCommands, RemoveSelectedWithNothingSelectedRemovesNothing)
{
    SelectedRemoval removal = PlanRemoveSelected({L"a"}, {}, kData);
    EXPECT_TRUE(removal.rows.empty());
    EXPECT_TRUE(removal.ownLinkFiles.empty());
}

TEST(ItemCommands, RemoveMissingAsksForEveryItemFromTheBottom)
{
    std::set<std::wstring> existing{L"C:\\here", L"C:\\also"};
    Texts items{L"C:\\here", L"C:\\gone", L"", L"C:\\also", L"C:\\gone"};
    Texts asked;
    Rows rows = MissingRows(items, [&](const std::wstring& path) {
        asked.push_back(path);
        return existing.count(path) > 0;
    });
    EXPECT_EQ(rows, (Rows{4, 2, 1}));
    EXPECT_EQ(asked, (Texts{L"C:\\gone", L"C:\\also", L"", L"C:\\gone", L"C:\\here"}));
    EraseRows(items, rows);
    EXPECT_EQ(items, (Texts{L"C:\\here", L"C:\\also"}));
}

}  // namespace
}  // namespace nesk::testing
