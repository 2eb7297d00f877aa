// Drop handles, clipboard file lists, a bare test form and file trees for the drop tests.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "exchange/DropFilesBlock.h"

namespace nesk::testing {

// A global memory block holding exactly `bytes`, as a program hands it over as a drop handle.
inline HGLOBAL GlobalFromBytes(const std::vector<uint8_t>& bytes)
{
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!handle)
        return nullptr;
    std::memcpy(GlobalLock(handle), bytes.data(), bytes.size());
    GlobalUnlock(handle);
    return handle;
}

inline HGLOBAL MakeDropHandle(const std::vector<std::wstring>& names, DropPoint point = {})
{
    return GlobalFromBytes(BuildDropFiles(names, point));
}

// Puts a file list on the clipboard as the file manager's copy command does.
inline void PutFilesOnClipboard(const std::vector<std::wstring>& names)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, MakeDropHandle(names));
    CloseClipboard();
}

inline void PutTextOnClipboard(const std::wstring& text)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(GlobalLock(handle), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    GlobalUnlock(handle);
    SetClipboardData(CF_UNICODETEXT, handle);
    CloseClipboard();
}

// A plain top-level window of its own class; its procedure does nothing of its own.
inline HWND CreateTestForm(int width = 400, int height = 300)
{
    static const wchar_t* className = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TDropTestForm";
        RegisterClassExW(&windowClass);
        return L"TDropTestForm";
    }();
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
    return CreateWindowExW(0, className, L"drop test", WS_OVERLAPPEDWINDOW, 100, 100, frame.right - frame.left,
                           frame.bottom - frame.top, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// A folder under the temporary folder, emptied first.
inline std::wstring FreshFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + name;
    std::vector<wchar_t> from(folder.begin(), folder.end());
    from.push_back(0);
    from.push_back(0);
    SHFILEOPSTRUCTW remove{};
    remove.wFunc = FO_DELETE;
    remove.pFrom = from.data();
    remove.fFlags = FOF_NO_UI;
    SHFileOperationW(&remove);
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

inline void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create a test file";
    CloseHandle(file);
}

inline void MakeFolder(const std::wstring& path)
{
    ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
}

}  // namespace nesk::testing
