#include "app/DataFolder.h"

#include <windows.h>
#include <shlobj.h>

namespace nesk {
namespace {

std::wstring dataFolder;

bool FolderExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void EnsureFolder(const std::wstring& path)
{
    if (!FolderExists(path))
        CreateDirectoryW(path.c_str(), nullptr);
}

}  // namespace

bool CreateDataFolder(const std::wstring& name)
{
    wchar_t buffer[MAX_PATH + 1] = {};
    // Without an answer from the shell the path would be relative to wherever we were started,
    // and our files would land in a random folder: better not to start at all.
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, buffer)) || buffer[0] == 0)
        return false;
    std::wstring path(buffer);
    path += L"\\Lark Project";
    EnsureFolder(path);
    path += L"\\" + name;
    EnsureFolder(path);
    if (!FolderExists(path))
        return false;
    dataFolder = path + L"\\";
    return true;
}

const std::wstring& DataFolder()
{
    return dataFolder;
}

}  // namespace nesk
