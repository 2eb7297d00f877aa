// The main window's drop decision, sort order and insertion position, and title cleaning.
#include <gtest/gtest.h>

#include "exchange/DropRules.h"
#include "fakes/FakePlatform.h"

namespace nesk {
namespace {

using Names = std::vector<std::wstring>;
using Action = DropAction;

TEST(DecideDrop, ListFileOwnDragOrPaths)
{
    Names outgoing{L"C:\\x", L"C:\\y"};
    struct Case {
        const char* name;
        Names dropped;
        Names outgoing;
        Action action;
    } cases[] = {
        {"one list file", {L"D:\\Work.Nesk.log"}, {}, Action::OpenListFile},
        {"the mark anywhere in the name", {L"D:\\notes.Nesk.log.bak"}, {}, Action::OpenListFile},
        {"the mark in a folder name", {L"D:\\a.Nesk.logs\\x.txt"}, {}, Action::OpenListFile},
        {"other letter case", {L"D:\\work.nesk.log"}, {}, Action::AddPaths},
        {"two list files", {L"D:\\A.Nesk.log", L"D:\\B.Nesk.log"}, {}, Action::AddPaths},
        {"a list file that is our own drag", {L"D:\\W.Nesk.log"}, {L"D:\\W.Nesk.log"}, Action::OpenListFile},
        {"own drag, same names", {L"C:\\x", L"C:\\y"}, outgoing, Action::IgnoreOwnDrag},
        {"own drag, one place matches", {L"C:\\x", L"C:\\z"}, outgoing, Action::IgnoreOwnDrag},
        {"same names in other places", {L"C:\\y", L"C:\\x"}, outgoing, Action::AddPaths},
        {"no place matches", {L"C:\\z", L"C:\\x"}, outgoing, Action::AddPaths},
        {"counts differ", {L"C:\\x"}, outgoing, Action::AddPaths},
        {"matching is case-sensitive", {L"C:\\X", L"C:\\Y"}, outgoing, Action::AddPaths},
        {"no outgoing drag", {L"C:\\x", L"C:\\y"}, {}, Action::AddPaths},
        {"nothing dropped, nothing dragged", {}, {}, Action::AddPaths},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DecideDrop(c.dropped, c.outgoing), c.action);
    }
}

class DropInsertion : public fakes::FakePlatformTest {};

TEST_F(DropInsertion, SortIgnoresLetterCaseAndKeepsDuplicates)
{
    EXPECT_EQ(SortedIgnoringCase({L"C:\\b.txt", L"D:\\c", L"C:\\A.txt", L"c:\\b.txt", L"C:\\a.txt"}),
              (Names{L"C:\\A.txt", L"C:\\a.txt", L"C:\\b.txt", L"c:\\b.txt", L"D:\\c"}));
    EXPECT_GT(fake.collation.calls, 0) << "the user locale's order decides, not code units";
}

TEST_F(DropInsertion, BlockLandsAtTheRowOrAtTheEnd)
{
    Names dropped{L"C:\\b.txt", L"C:\\A.txt", L"D:\\c"};
    struct Case {
        const char* name;
        Names items;
        int row;
        Names expected;
    } cases[] = {
        {"outside the list appends ascending", {L"x"}, -1, {L"x", L"C:\\A.txt", L"C:\\b.txt", L"D:\\c"}},
        {"on a row goes in front of it, descending",
         {L"x", L"y"}, 1, {L"x", L"D:\\c", L"C:\\b.txt", L"C:\\A.txt", L"y"}},
        {"on the first row", {L"x", L"y"}, 0, {L"D:\\c", L"C:\\b.txt", L"C:\\A.txt", L"x", L"y"}},
        {"below the last row, descending", {L"x"}, 1, {L"x", L"D:\\c", L"C:\\b.txt", L"C:\\A.txt"}},
        {"empty list, inside", {}, 0, {L"D:\\c", L"C:\\b.txt", L"C:\\A.txt"}},
        {"empty list, outside", {}, -1, {L"C:\\A.txt", L"C:\\b.txt", L"D:\\c"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        InsertionBlock block = BlockForInsertion(SortedIgnoringCase(dropped), c.row, c.items.size());
        Names items = c.items;
        items.insert(items.begin() + static_cast<std::ptrdiff_t>(block.position), block.texts.begin(),
                     block.texts.end());
        EXPECT_EQ(items, c.expected);
    }
}

TEST(CleanWindowTitle, TrailingBlanksAndControlsGoLeadingOnesStay)
{
    struct Case {
        std::wstring raw;
        std::wstring title;
    } cases[] = {
        {L"Page - Browser  ", L"Page - Browser"},
        {L"  Page\t\r\n \x01", L"  Page"},
        {std::wstring(L"Page\0garbage after the end  ", 28), L"Page"},
        {L"   ", L""},
        {L"", L""},
        {L"ページ\x3000", L"ページ\x3000"},  // an ideographic space is above U+0020
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanWindowTitle(c.raw), c.title);
}

}  // namespace
}  // namespace nesk
