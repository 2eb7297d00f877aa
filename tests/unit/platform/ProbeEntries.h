// The entries every probe test asks about: folders, files held open, links dead and alive,
// and a drive without a medium.
#pragma once

#include "fakes/FakeFileSystem.h"

namespace nesk {

inline void AddProbeEntries(fakes::FakeFileSystem& fs)
{
    fs.AddFolder(L"C:\\Folder");
    fs.AddFile(L"C:\\Folder\\file.txt", "x");
    fs.AddFile(L"C:\\locked.txt", "x");
    fs.Lock(L"C:\\locked.txt");
    fs.AddFile(L"C:\\pagefile.sys", "x");
    fs.Lock(L"C:\\pagefile.sys", true);
    fs.AddLink(L"C:\\deadlink", false, false);
    fs.AddLink(L"C:\\deadfolderlink", true, false);
    fs.AddLink(L"C:\\folderlink", true, true);
    fs.AddLink(L"C:\\filelink", false, true);
    fs.AddLink(L"C:\\lockedlink", false, true);
    fs.Lock(L"C:\\lockedlink");
    fs.AddDrive(L'E', false);
    fs.AddFile(L"E:\\x.txt", "x");
}

}  // namespace nesk
