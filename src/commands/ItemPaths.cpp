#include "commands/ItemPaths.h"

namespace nesk {
namespace {

wchar_t AsciiLower(wchar_t ch)
{
    return ch >= L'A' && ch <= L'Z' ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
}

bool EqualAsciiIgnoreCase(const std::wstring& a, const std::wstring& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i]))
            return false;
    return true;
}

}  // namespace

bool IsShortcutItem(const std::wstring& item, const std::wstring& dataFolder)
{
    size_t slash = item.rfind(L'\\');
    if (slash == std::wstring::npos)
        return false;
    // The folder part of "X:\name" is the root "X:\" itself; either way the text up to and
    // including the last backslash is what must equal the data folder.
    std::wstring folder = item.substr(0, slash + 1);
    std::wstring name = item.substr(slash + 1);
    size_t dot = name.rfind(L'.');
    if (dot == std::wstring::npos)
        return false;
    return EqualAsciiIgnoreCase(name.substr(dot), L".url") && EqualAsciiIgnoreCase(folder, dataFolder);
}

bool MayOpen(const std::wstring& item)
{
    if (item.find_first_not_of(L' ') == std::wstring::npos)
        return false;
    for (wchar_t ch : item)
        if (ch < 32)
            return false;
    return true;
}

std::wstring FolderPart(const std::wstring& text)
{
    size_t last = text.find_last_of(L"\\:");
    if (last == std::wstring::npos)
        return std::wstring();
    bool keepsSeparator = text[last] != L'\\' || last == 0 || text[last - 1] == L':' || text[last - 1] == L'\\';
    return text.substr(0, keepsSeparator ? last + 1 : last);
}

std::optional<FolderLaunch> ParentFolderLaunch(const std::wstring& item, const PathPredicate& folderExists)
{
    if (!item.empty() && item.back() == L'\\')
        return FolderLaunch{kDrivesFolder, FolderPart(kDrivesFolder)};
    std::wstring target = FolderPart(item);
    if (!folderExists(target))
        return std::nullopt;
    return FolderLaunch{target, FolderPart(target)};
}

}  // namespace nesk
