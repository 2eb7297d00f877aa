// Reading the file manager's file list from the clipboard, long and malformed ones included.
#include <system_error>
#include <thread>

#include "DropTestSupport.h"
#include "exchange/win32/ClipboardFiles.h"

namespace nesk::testing {
namespace {

using Names = std::vector<std::wstring>;

void PutBytesOnClipboard(const std::vector<uint8_t>& bytes)
{
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    SetClipboardData(CF_HDROP, GlobalFromBytes(bytes));
    CloseClipboard();
}

TEST(ClipboardFiles, NamesAreReadWholeInClipboardOrder)
{
    std::wstring longPath = L"C:\\" + std::wstring(296, L'x') + L".txt";
    ASSERT_EQ(longPath.size(), 303u);
    PutFilesOnClipboard({L"C:\\b", longPath, L"C:\\日本語\\A"});
    EXPECT_EQ(ReadClipboardFileNames(nullptr), (Names{L"C:\\b", longPath, L"C:\\日本語\\A"}));
}

TEST(ClipboardFiles, NoFileListOrABadOneGivesWholeNamesOnly)
{
    PutTextOnClipboard(L"C:\\not\\a\\file\\list");
    EXPECT_TRUE(ReadClipboardFileNames(nullptr).empty());

    std::vector<uint8_t> block = BuildDropFiles({L"C:\\a", L"C:\\b"});
    PutBytesOnClipboard({block.begin(), block.end() - 2});  // no final terminator
    EXPECT_EQ(ReadClipboardFileNames(nullptr), (Names{L"C:\\a", L"C:\\b"}));

    PutBytesOnClipboard({20, 0, 0, 0, 1, 0});  // shorter than the header
    EXPECT_TRUE(ReadClipboardFileNames(nullptr).empty());
}

TEST(ClipboardFiles, ClipboardHeldByAnotherWindowIsAnError)
{
    PutFilesOnClipboard({L"C:\\a"});
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([&] {
        HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        OpenClipboard(window);
        SetEvent(opened);
        WaitForSingleObject(release, 10000);
        CloseClipboard();
        DestroyWindow(window);
    });
    EXPECT_EQ(WaitForSingleObject(opened, 10000), WAIT_OBJECT_0);
    EXPECT_THROW(ReadClipboardFileNames(nullptr), std::system_error);
    SetEvent(release);
    holder.join();
    CloseHandle(opened);
    CloseHandle(release);
    EXPECT_EQ(ReadClipboardFileNames(nullptr), (Names{L"C:\\a"})) << "open again once the other lets go";
}

}  // namespace
}  // namespace nesk::testing
