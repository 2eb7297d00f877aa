// What of a selection leaves as link drags, as the file drag, or goes to the shell's menu.
#include <gtest/gtest.h>

#include <set>

#include "exchange/OutgoingDrag.h"

namespace nesk::testing {
namespace {

const std::wstring kData = L"C:\\users\\me\\AppData\\Roaming\\Lark Project\\Nesk\\";

struct Disk {
    std::set<std::wstring> files, folders;
    std::vector<std::wstring> probed;
    OutgoingProbes Probes()
    {
        return {[this](const std::wstring& p) { probed.push_back(p); return files.count(p) > 0; },
                [this](const std::wstring& p) { probed.push_back(p); return folders.count(p) > 0; }};
    }
};

TEST(OutgoingDrag, ItemClasses)
{
    Disk disk;
    disk.files = {L"C:\\a.txt", kData + L"News.url", L"D:\\other\\Page.url", kData + L"plain.txt",
                  L"\\\\?\\C:\\" + std::wstring(300, L'x')};
    disk.folders = {L"C:\\data", L"C:\\", L"\\\\server\\share"};
    struct Case {
        std::wstring item;
        OutgoingClass kind;
    } cases[] = {
        {L"C:\\a.txt", OutgoingClass::FileOrFolder},
        {L"C:\\data", OutgoingClass::FileOrFolder},
        {L"C:\\", OutgoingClass::FileOrFolder},
        {L"\\\\server\\share", OutgoingClass::FileOrFolder},
        {kData + L"News.url", OutgoingClass::Shortcut},
        // A link file of ours that is gone is not dragged, not even as a file.
        {kData + L"Gone.url", OutgoingClass::Missing},
        // A .url file elsewhere is just a file.
        {L"D:\\other\\Page.url", OutgoingClass::FileOrFolder},
        {kData + L"plain.txt", OutgoingClass::FileOrFolder},
        {L"C:\\missing.txt", OutgoingClass::Missing},
        // Longer than MAX_PATH, offered whole.
        {L"\\\\?\\C:\\" + std::wstring(300, L'x'), OutgoingClass::FileOrFolder},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyOutgoing(c.item, kData, disk.Probes()), c.kind) << c.item.size();
}

TEST(OutgoingDrag, TextsThatAreNoPathsAreSkippedUnprobed)
{
    Disk disk;
    const std::wstring bad[] = {L"", L"   ", L"C:\\a\tb", L"C:\\a<b", L"C:\\a>b", L"C:\\a|b", L"C:\\a\"b",
                                L"C:\\a*", L"C:\\a?", L"C:\\a:b", L":", L"\\\\?\\C:\\a?b"};
    for (const auto& item : bad) {
        EXPECT_FALSE(IsUsablePath(item)) << item.size();
        EXPECT_EQ(ClassifyOutgoing(item, kData, disk.Probes()), OutgoingClass::Missing);
    }
    EXPECT_TRUE(disk.probed.empty());
    EXPECT_TRUE(IsUsablePath(L"C:\\日本語\\ファイル.txt"));
    EXPECT_TRUE(IsUsablePath(L"\\\\?\\UNC\\server\\share\\a"));
    EXPECT_TRUE(IsUsablePath(L"relative name"));
}

TEST(OutgoingDrag, SelectionsSplitIntoLinkDragsAndOneFileDrag)
{
    Disk disk;
    disk.files = {L"C:\\a.txt", L"C:\\b.txt", kData + L"One.url", kData + L"Two.URL"};
    disk.folders = {L"C:\\data"};
    OutgoingDrag drag = PlanOutgoingDrag({L"C:\\b.txt", L"", kData + L"One.url", L"C:\\missing", L"C:\\data",
                                          L"bad|name", kData + L"Two.URL", L"C:\\a.txt"},
                                         kData, disk.Probes());
    EXPECT_EQ(drag.links, (std::vector<std::wstring>{kData + L"One.url", kData + L"Two.URL"}));
    EXPECT_EQ(drag.files, (std::vector<std::wstring>{L"C:\\b.txt", L"C:\\data", L"C:\\a.txt"}));

    // The shell's menu is given every existing item, our link files included.
    EXPECT_EQ(ContextMenuFiles({L"C:\\missing", L"C:\\a.txt", L" ", kData + L"One.url", L"C:\\data"}, disk.Probes()),
              (std::vector<std::wstring>{L"C:\\a.txt", kData + L"One.url", L"C:\\data"}));
    EXPECT_TRUE(ContextMenuFiles({L"C:\\missing", L"x\x01"}, disk.Probes()).empty());
}

}  // namespace
}  // namespace nesk::testing
