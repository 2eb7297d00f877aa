// The clipboard import of a running Nesk.exe, with the file list put on the clipboard by this
// second program as the file manager's copy command does.
#include <gtest/gtest.h>

#include <cstring>

#include "chrome/CommandIds.h"
#include "e2e/Driver.h"

namespace nesk::e2e {
namespace {

using Lines = std::vector<std::wstring>;

// A DROPFILES block with wide names, as the shell puts it on the clipboard.
void PutFilesOnClipboard(const Lines& names)
{
    std::wstring list;
    for (const auto& name : names)
        list += name + L'\0';
    list += L'\0';
    DWORD header[5] = {sizeof header, 0, 0, 0, 1};
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, sizeof header + list.size() * sizeof(wchar_t));
    auto* bytes = static_cast<char*>(GlobalLock(block));
    std::memcpy(bytes, header, sizeof header);
    std::memcpy(bytes + sizeof header, list.data(), list.size() * sizeof(wchar_t));
    GlobalUnlock(block);
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, block);
    CloseClipboard();
}

TEST(ClipboardFromAnotherProgram, FileListGoesInWhole)
{
    ResetDataFolder();
    std::wstring longPath = L"C:\\" + std::wstring(150, L'長') + L"\\" + std::wstring(142, L'f') + L".txt";
    ASSERT_EQ(longPath.size(), 300u);
    WriteLines(DataFolder() + L"Nesk.lst", {L"x", L"y"});
    PutFilesOnClipboard({L"C:\\b", longPath, L"C:\\A"});

    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    SendMessageW(main, WM_COMMAND, MAKEWPARAM(ID_TBCLIP, BN_CLICKED), 0);

    Lines expected{L"x", L"y", longPath, L"C:\\b", L"C:\\A"};
    EXPECT_EQ(ListItems(main), expected);
    EXPECT_EQ(ReadLines(DataFolder() + L"Nesk.lst"), expected);
    ASSERT_TRUE(nesk.Close());
    ResetDataFolder();
}

}  // namespace
}  // namespace nesk::e2e
