// A TMainForm in the test process on the real data folder, and small file helpers.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/DataFolder.h"
#include "app/MainForm.h"
#include "platform/win32/Win32Services.h"

namespace nesk::testing {

inline std::vector<uint8_t> ReadBytes(const std::wstring& path)
{
    std::vector<uint8_t> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
    CloseHandle(file);
    bytes.resize(read);
    return bytes;
}

inline void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// UTF-16LE with mark and CR LF after every line: the list file layout.
inline std::vector<uint8_t> Utf16Lines(const std::vector<std::wstring>& lines)
{
    std::vector<uint8_t> bytes{0xFF, 0xFE};
    for (const auto& line : lines)
        for (wchar_t ch : line + L"\r\n") {
            bytes.push_back(static_cast<uint8_t>(ch & 0xFF));
            bytes.push_back(static_cast<uint8_t>(ch >> 8));
        }
    return bytes;
}

inline bool FileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline std::wstring TempFolder()
{
    wchar_t buffer[MAX_PATH];
    GetTempPathW(MAX_PATH, buffer);
    std::wstring folder = std::wstring(buffer) + L"nesk-tests";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

// Deletes the files (not the subfolders) of a folder.
inline void EmptyFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            std::wstring path = folder + found.cFileName;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

// Deletes the program's own files, so every test starts as on a first start.
inline void ResetDataFolder()
{
    EmptyFolder(DataFolder());
}

// Runs the window's pending messages, as the message loop would between user actions.
inline void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class MainFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallWin32Services();
        ASSERT_TRUE(CreateDataFolder(L"Nesk"));
        ResetDataFolder();
        // Lists a test wrote in an earlier run must not answer for "missing" files of this one.
        EmptyFolder(TempFolder());
    }

    void TearDown() override
    {
        form.reset();
        PumpMessages();
        ResetDataFolder();
    }

    TMainForm& Start(const std::wstring& argument, bool hasArgument = true)
    {
        form.reset(TMainForm::Create(argument, hasArgument, SW_HIDE));
        EXPECT_NE(form, nullptr);
        return *form;
    }

    TMainForm& StartWithoutArgument() { return Start(L"", false); }

    std::wstring DefaultList() const { return DataFolder() + L"Nesk.lst"; }

    std::unique_ptr<TMainForm> form;
};

}  // namespace nesk::testing
