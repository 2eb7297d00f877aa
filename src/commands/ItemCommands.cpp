#include "commands/ItemCommands.h"

#include <algorithm>
#include <numeric>
#include <unordered_map>

#include "commands/ItemPaths.h"

namespace nesk {
namespace {

std::vector<int> SortedUnique(std::vector<int> rows, int count)
{
    std::erase_if(rows, [count](int row) { return row < 0 || row >= count; });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

}  // namespace

SelectedRemoval PlanRemoveSelected(const ItemTexts& items, const std::vector<int>& selected,
                                   const std::wstring& dataFolder)
{
    SelectedRemoval removal;
    std::vector<int> rows = SortedUnique(selected, static_cast<int>(items.size()));
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        removal.rows.push_back(*row);
        if (IsShortcutItem(items[*row], dataFolder))
            removal.ownLinkFiles.push_back(items[*row]);
    }
    return removal;
}

std::vector<int> MissingRows(const ItemTexts& items, const PathPredicate& exists)
{
    std::vector<int> rows;
    for (int row = static_cast<int>(items.size()) - 1; row >= 0; --row)
        if (!exists(items[row]))
            rows.push_back(row);
    return rows;
}

// The list's own merge walks the snapshot from the bottom; for each text s it takes every row
// equal to s out, and puts s back at the top only when nothing equal to it ignoring case is
// left. Each text therefore survives at most once, and the survivors stand in the order of the
// last time each was put back. That is what is computed here, without the walks.
ItemTexts RemoveDuplicates(const ItemTexts& items, ICollation& collation)
{
    const int n = static_cast<int>(items.size());
    std::unordered_map<std::wstring, int> ids;
    ids.reserve(items.size());
    std::vector<int> idOfRow(n);
    std::vector<const std::wstring*> texts;
    std::vector<int> count;
    for (int row = 0; row < n; ++row) {
        auto [it, added] = ids.try_emplace(items[row], static_cast<int>(texts.size()));
        if (added) {
            texts.push_back(&it->first);
            count.push_back(0);
        }
        idOfRow[row] = it->second;
        ++count[it->second];
    }

    // Classes of texts equal ignoring letter case, by the user locale's comparison. A stable
    // merge sort never reads outside the range even if a comparison were not a strict order.
    const int distinct = static_cast<int>(texts.size());
    std::vector<int> order(distinct);
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return collation.CompareIgnoreCase(*texts[a], *texts[b]) < 0;
    });
    std::vector<int> classOf(distinct);
    int classes = 0;
    for (int k = 0; k < distinct; ++k) {
        if (k > 0 && collation.CompareIgnoreCase(*texts[order[k - 1]], *texts[order[k]]) != 0)
            ++classes;
        classOf[order[k]] = classes;
    }
    std::vector<int> presentInClass(distinct > 0 ? classes + 1 : 0, 0);
    for (int id = 0; id < distinct; ++id)
        ++presentInClass[classOf[id]];

    std::vector<int> lastPutBack(distinct, -1);
    for (int j = n - 1; j >= 0; --j) {
        int id = idOfRow[j];
        if (count[id] == 0)
            continue;
        count[id] = 0;
        int cls = classOf[id];
        --presentInClass[cls];
        if (!texts[id]->empty() && presentInClass[cls] == 0) {
            count[id] = 1;
            ++presentInClass[cls];
            lastPutBack[id] = j;
        }
    }

    std::vector<int> byTime(n, -1);
    for (int id = 0; id < distinct; ++id)
        if (count[id] == 1)
            byTime[lastPutBack[id]] = id;
    ItemTexts result;
    for (int id : byTime)
        if (id >= 0)
            result.push_back(*texts[id]);
    return result;
}

CutPlan PlanCut(const ItemTexts& items, const std::vector<int>& selected)
{
    CutPlan plan;
    std::vector<int> rows = SortedUnique(selected, static_cast<int>(items.size()));
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        plan.buffer.push_back(items[*row]);
        plan.rows.push_back(*row);
    }
    return plan;
}

int PastePosition(int count, const std::vector<int>& selected, const ItemTexts& buffer)
{
    if (selected.size() > 1 || buffer.empty())
        return -1;
    return selected.size() == 1 ? selected.front() : count;
}

ItemTexts PasteBlock(const ItemTexts& buffer)
{
    return ItemTexts(buffer.rbegin(), buffer.rend());
}

void EraseRows(ItemTexts& items, const std::vector<int>& rowsDescending)
{
    if (rowsDescending.empty())
        return;
    std::vector<char> gone(items.size(), 0);
    for (int row : rowsDescending)
        if (row >= 0 && static_cast<size_t>(row) < items.size())
            gone[row] = 1;
    size_t kept = 0;
    for (size_t row = 0; row < items.size(); ++row) {
        if (gone[row])
            continue;
        if (kept != row)
            items[kept] = std::move(items[row]);
        ++kept;
    }
    items.resize(kept);
}

}  // namespace nesk
