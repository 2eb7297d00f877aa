// The path tests that choose how an item is found in the shell's namespace, and the parts of
// a path the namespace is asked for.
#pragma once

#include <cstddef>
#include <string>

namespace nesk {

// Exactly an ASCII letter, a colon and a backslash.
bool IsDriveRoot(const std::wstring& path);
size_t CountBackslashes(const std::wstring& path);
// "\\server", with or without one trailing backslash.
bool IsUncServerRoot(const std::wstring& path);
// "\\server\share", with or without one trailing backslash; never a text starting with "\\\".
bool IsUncShareRoot(const std::wstring& path);

// The folder a path lies in, as the namespace parses it: the path without its last component,
// a root keeping its backslash ("C:\a.txt" gives "C:\"). Empty when there is no backslash.
std::wstring ParentFolderPath(const std::wstring& path);
// The last component: the file or folder name; the whole text when there is no backslash.
std::wstring LastPathComponent(const std::wstring& path);
// The path up to and including its last backslash (empty when there is none).
std::wstring FolderWithBackslash(const std::wstring& path);

}  // namespace nesk
