// Removing duplicates against the list's own merge walk, transcribed step by step.
#include <gtest/gtest.h>

#include <random>

#include "TestCollations.h"
#include "commands/ItemCommands.h"

namespace nesk::testing {
namespace {

using Texts = std::vector<std::wstring>;

// The merge exactly as the list performs it: for each snapshot text from the bottom, walk the
// rows from the bottom; take out a row equal to the text, and put it back at the top when
// nothing equal to it ignoring case is left in the list. Cubic, kept only as the reference.
Texts ReferenceRemoveDuplicates(const Texts& items, ICollation& collation)
{
    Texts list = items;
    const Texts snapshot = items;
    for (int j = static_cast<int>(snapshot.size()) - 1; j >= 0; --j) {
        const std::wstring& s = snapshot[j];
        int countAtStart = static_cast<int>(list.size());
        for (int i = countAtStart - 1; i >= 0; --i) {
            std::wstring r;
            if (list[i] == s) {
                r = list[i];
                list.erase(list.begin() + i);
            }
            if (!r.empty()) {
                bool equalLeft = false;
                for (const auto& item : list)
                    if (collation.CompareIgnoreCase(item, r) == 0) {
                        equalLeft = true;
                        break;
                    }
                if (!equalLeft)
                    list.insert(list.begin(), r);
            }
        }
    }
    return list;
}

TEST(RemoveDuplicates, KnownLists)
{
    struct Case {
        Texts items;
        Texts expected;
    } cases[] = {
        {{}, {}},
        {{L"A", L"B", L"A", L"C"}, {L"A", L"B", L"C"}},
        {{L"B", L"A", L"B"}, {L"B", L"A"}},
        {{L"x", L"", L"y", L""}, {L"x", L"y"}},
        {{L"", L""}, {}},
        {{L"a", L"A"}, {L"a"}},
        {{L"A", L"a"}, {L"A"}},
        {{L"b", L"B", L"b"}, {L"B"}},
        {{L"A", L"B", L"a", L"A"}, {L"B", L"a"}},
        {{L"C:\\日本語\\ファイル.txt", L"C:\\日本語\\ファイル.txt", L"c:\\日本語\\ファイル.TXT"}, {L"C:\\日本語\\ファイル.txt"}},
    };
    UpperCaseCollation collation;
    for (const auto& c : cases) {
        EXPECT_EQ(RemoveDuplicates(c.items, collation), c.expected);
        EXPECT_EQ(ReferenceRemoveDuplicates(c.items, collation), c.expected);
    }
}

// Small random lists over a few texts with case variants, empty items and repeats: every order
// of survivors that the walk can produce is met many times over. The second locale also
// ignores "-", so merging must follow the comparison it is given, not a case fold of its own.
TEST(RemoveDuplicates, MatchesTheWalkOnRandomLists)
{
    const Texts alphabet[] = {
        {L"a", L"A", L"b", L"B", L""},
        {L"ab", L"aB", L"Ab", L"AB", L"c", L"", L"C"},
        {L"x-y", L"xy", L"X-Y", L"XY", L"z", L"-", L""},
    };
    std::mt19937 random(20261210);
    for (bool ignoreDashes : {false, true}) {
        UpperCaseCollation collation(ignoreDashes);
        for (const auto& texts : alphabet) {
            for (int round = 0; round < 3000; ++round) {
                Texts items(random() % 9);
                for (auto& item : items)
                    item = texts[random() % texts.size()];
                ASSERT_EQ(RemoveDuplicates(items, collation), ReferenceRemoveDuplicates(items, collation))
                    << "list of " << items.size() << " items, round " << round;
            }
        }
    }
}

}  // namespace
}  // namespace nesk::testing
