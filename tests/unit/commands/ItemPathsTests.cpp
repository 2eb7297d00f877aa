// Reading item texts as paths: our own link files, folder parts and the folder to show.
#include <gtest/gtest.h>

#include <set>

#include "commands/ItemPaths.h"

namespace nesk::testing {
namespace {

const std::wstring kData = L"C:\\users\\me\\AppData\\Roaming\\Lark Project\\Nesk\\";

TEST(ItemPaths, ShortcutItems)
{
    struct Case {
        std::wstring item;
        bool ours;
    } cases[] = {
        {kData + L"Example.url", true},
        {kData + L"Example.URL", true},
        {L"C:\\USERS\\ME\\APPDATA\\ROAMING\\LARK PROJECT\\NESK\\Example.uRl", true},
        {kData + L"a.b.url", true},
        {kData + L".url", true},
        {kData + L"Example.url.txt", false},
        {kData + L"Example.urls", false},
        {kData + L"Exampleurl", false},
        {kData + L"sub\\Example.url", false},
        {kData + L"\\Example.url", false},
        {L"C:\\users\\me\\AppData\\Roaming\\Lark Project\\Example.url", false},
        {L"D:\\Example.url", false},
        {L"Example.url", false},
        // Only ASCII letters fold: a full-width letter is another text.
        {kData + L"Example.ｕrl", false},
        {L"", false},
        {L"  ", false},
        {L"\x01\"<>|", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsShortcutItem(c.item, kData), c.ours) << c.item.size();
}

TEST(ItemPaths, OnlyTextsWithoutControlCharactersAreOpened)
{
    EXPECT_TRUE(MayOpen(L"C:\\data\\a.txt"));
    EXPECT_TRUE(MayOpen(L" C:\\lead"));
    EXPECT_FALSE(MayOpen(L""));
    EXPECT_FALSE(MayOpen(L"   "));
    EXPECT_FALSE(MayOpen(L"C:\nothing"));
    EXPECT_FALSE(MayOpen(L"C:\\a\tb"));
    EXPECT_FALSE(MayOpen(std::wstring(L"C:\\a") + L'\0'));
}

TEST(ItemPaths, FolderParts)
{
    struct Case {
        std::wstring text;
        std::wstring folder;
    } cases[] = {
        {L"C:\\data\\a.txt", L"C:\\data"},
        {L"C:\\data", L"C:\\"},
        {L"C:\\", L"C:\\"},
        {L"C:", L"C:"},
        {L"C:a.txt", L"C:"},
        {L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", L"::"},
        {L"\\\\server\\share", L"\\\\server"},
        {L"\\\\server", L"\\\\"},
        {L"\\file", L"\\"},
        {L"C:\\data\\\\a", L"C:\\data\\\\"},
        {L"C:\\data\\sub\\", L"C:\\data\\sub"},
        {L"relative", L""},
        {L"", L""},
        {L"日本語\\ファイル", L"日本語"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FolderPart(c.text), c.folder) << c.text.size();
}

TEST(ItemPaths, ParentFolderToShow)
{
    std::set<std::wstring> folders{L"C:\\data", L"C:\\", L"\\\\server\\share"};
    auto exists = [&](const std::wstring& path) { return folders.count(path) > 0; };
    struct Case {
        std::wstring item;
        bool opens;
        std::wstring file;
        std::wstring directory;
    } cases[] = {
        {L"C:\\data\\a.txt", true, L"C:\\data", L"C:\\"},
        {L"C:\\data", true, L"C:\\", L"C:\\"},
        {L"C:\\", true, kDrivesFolder, L"::"},
        {L"C:\\data\\", true, kDrivesFolder, L"::"},
        {L"C:\\missing\\a.txt", false, L"", L""},
        // On a share itself the folder part is the server, which is no folder.
        {L"\\\\server\\share", false, L"", L""},
        {L"\\\\server\\share\\a.txt", true, L"\\\\server\\share", L"\\\\server"},
    };
    for (const auto& c : cases) {
        auto launch = ParentFolderLaunch(c.item, exists);
        ASSERT_EQ(launch.has_value(), c.opens) << c.item.size();
        if (launch) {
            EXPECT_EQ(launch->file, c.file);
            EXPECT_EQ(launch->directory, c.directory);
        }
    }
}

}  // namespace
}  // namespace nesk::testing
