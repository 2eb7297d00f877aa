#include "exchange/DropRules.h"

#include <algorithm>

#include "platform/Services.h"

namespace nesk {
namespace {

// The file menu proposes this ending; a dropped name that merely contains it counts too.
constexpr wchar_t kListFileMark[] = L".Nesk.log";

}  // namespace

DropAction DecideDrop(const std::vector<std::wstring>& dropped, const std::vector<std::wstring>& lastOutgoing)
{
    if (dropped.size() == 1 && dropped[0].find(kListFileMark) != std::wstring::npos)
        return DropAction::OpenListFile;
    // A drag that leaves the window and comes straight back arrives with the same names in
    // the same places; one matching place is enough to tell.
    if (dropped.size() == lastOutgoing.size())
        for (size_t k = 0; k < dropped.size(); ++k)
            if (dropped[k] == lastOutgoing[k])
                return DropAction::IgnoreOwnDrag;
    return DropAction::AddPaths;
}

std::vector<std::wstring> SortedIgnoringCase(std::vector<std::wstring> names)
{
    ICollation& collation = Collation();
    std::stable_sort(names.begin(), names.end(), [&](const std::wstring& a, const std::wstring& b) {
        return collation.CompareIgnoreCase(a, b) < 0;
    });
    return names;
}

InsertionBlock BlockForInsertion(const std::vector<std::wstring>& ascending, int row, size_t itemCount)
{
    InsertionBlock block;
    if (row < 0 || static_cast<size_t>(row) > itemCount) {
        block.position = itemCount;
        block.texts = ascending;
    } else {
        block.position = static_cast<size_t>(row);
        block.texts.assign(ascending.rbegin(), ascending.rend());
    }
    return block;
}

std::wstring CleanWindowTitle(const std::wstring& raw)
{
    std::wstring title = raw.substr(0, raw.find(L'\0'));
    size_t end = title.size();
    while (end > 0 && static_cast<unsigned>(title[end - 1]) <= 0x20)
        --end;
    title.resize(end);
    return title;
}

}  // namespace nesk
