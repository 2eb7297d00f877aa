// The editing commands of the item list as plain functions over the texts and the selection:
// the window gathers the rows, asks these what to do, and applies the answer to its control.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Collation.h"

namespace nesk {

using ItemTexts = std::vector<std::wstring>;
using PathPredicate = std::function<bool(const std::wstring&)>;

// What removing the selected rows takes away: the rows from the last to the first, and of
// those the link files we wrote ourselves, in the same order, to be deleted when present.
struct SelectedRemoval {
    std::vector<int> rows;
    std::vector<std::wstring> ownLinkFiles;
};
SelectedRemoval PlanRemoveSelected(const ItemTexts& items, const std::vector<int>& selected,
                                   const std::wstring& dataFolder);

// Rows whose target exists neither as a folder nor as a file, from the last to the first.
// `exists` is asked once for every item, in that order.
std::vector<int> MissingRows(const ItemTexts& items, const PathPredicate& exists);

// Each text once. Texts that differ only in letter case are merged as the list's own
// case-insensitive search would merge them one by one from the bottom: the survivor and its
// place follow that walk, not simply the first occurrence. Empty items are dropped.
ItemTexts RemoveDuplicates(const ItemTexts& items, ICollation& collation);

// A cut: the buffer holds the selected texts with the highest row first, the order in which
// the rows go (last to first).
struct CutPlan {
    ItemTexts buffer;
    std::vector<int> rows;
};
CutPlan PlanCut(const ItemTexts& items, const std::vector<int>& selected);

// Where a paste inserts its block: before the one selected row, or at the end; -1 when it
// does nothing (several rows selected, or an empty buffer).
int PastePosition(int count, const std::vector<int>& selected, const ItemTexts& buffer);
// The block a buffer gives in the list: its lines in reverse order, as each line goes in at
// the same place in front of the previous one.
ItemTexts PasteBlock(const ItemTexts& buffer);

// Removes the given rows (in descending order) in one pass.
void EraseRows(ItemTexts& items, const std::vector<int>& rowsDescending);

}  // namespace nesk
