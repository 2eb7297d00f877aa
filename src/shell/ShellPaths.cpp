#include "shell/ShellPaths.h"

#include <algorithm>

namespace nesk {
namespace {

std::wstring WithoutOneTrailingBackslash(const std::wstring& path)
{
    return !path.empty() && path.back() == L'\\' ? path.substr(0, path.size() - 1) : path;
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix)
{
    return text.rfind(prefix, 0) == 0;
}

}  // namespace

bool IsDriveRoot(const std::wstring& path)
{
    if (path.size() != 3)
        return false;
    wchar_t letter = path[0];
    bool ascii = (letter >= L'A' && letter <= L'Z') || (letter >= L'a' && letter <= L'z');
    return ascii && path[1] == L':' && path[2] == L'\\';
}

size_t CountBackslashes(const std::wstring& path)
{
    return static_cast<size_t>(std::count(path.begin(), path.end(), L'\\'));
}

bool IsUncServerRoot(const std::wstring& path)
{
    std::wstring text = WithoutOneTrailingBackslash(path);
    return text.size() >= 3 && StartsWith(text, L"\\\\") && CountBackslashes(text) == 2;
}

bool IsUncShareRoot(const std::wstring& path)
{
    std::wstring text = WithoutOneTrailingBackslash(path);
    return text.size() >= 5 && StartsWith(text, L"\\\\") && CountBackslashes(text) == 3 &&
           !StartsWith(text, L"\\\\\\");
}

std::wstring ParentFolderPath(const std::wstring& path)
{
    size_t last = path.rfind(L'\\');
    if (last == std::wstring::npos)
        return std::wstring();
    // "C:\a.txt" lies in "C:\", which the namespace only knows with its backslash.
    if (last == 2 && path[1] == L':')
        return path.substr(0, 3);
    return path.substr(0, last);
}

std::wstring LastPathComponent(const std::wstring& path)
{
    size_t last = path.rfind(L'\\');
    return last == std::wstring::npos ? path : path.substr(last + 1);
}

std::wstring FolderWithBackslash(const std::wstring& path)
{
    size_t last = path.rfind(L'\\');
    return last == std::wstring::npos ? std::wstring() : path.substr(0, last + 1);
}

}  // namespace nesk
