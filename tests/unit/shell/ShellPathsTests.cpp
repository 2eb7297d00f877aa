// The path tests that pick how an item is looked up in the shell's namespace.
#include <gtest/gtest.h>

#include "shell/ShellPaths.h"

namespace nesk::testing {
namespace {

TEST(ShellPaths, Roots)
{
    struct Case {
        std::wstring path;
        bool drive, server, share;
    } cases[] = {
        {L"C:\\", true, false, false},
        {L"z:\\", true, false, false},
        {L"C:", false, false, false},
        {L"C:\\a", false, false, false},
        {L"1:\\", false, false, false},
        {L"Ｃ:\\", false, false, false},
        {L"\\\\server", false, true, false},
        {L"\\\\server\\", false, true, false},
        {L"\\\\s", false, true, false},
        {L"\\\\", false, false, false},
        {L"\\\\\\", false, false, false},
        {L"\\\\server\\share", false, false, true},
        {L"\\\\server\\share\\", false, false, true},
        {L"\\\\s\\x", false, false, true},
        {L"\\\\server\\share\\dir", false, false, false},
        // Three backslashes first: neither, resolved as an ordinary path.
        {L"\\\\\\server\\share", false, false, false},
        {L"\\\\\\x", false, false, false},
        {L"", false, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsDriveRoot(c.path), c.drive) << c.path.size();
        EXPECT_EQ(IsUncServerRoot(c.path), c.server) << c.path.size();
        EXPECT_EQ(IsUncShareRoot(c.path), c.share) << c.path.size();
    }
    EXPECT_EQ(CountBackslashes(L"\\\\a\\b\\"), 4u);
    EXPECT_EQ(CountBackslashes(L"abc"), 0u);
}

TEST(ShellPaths, Parts)
{
    struct Case {
        std::wstring path, parent, last, withBackslash;
    } cases[] = {
        {L"C:\\data\\a.txt", L"C:\\data", L"a.txt", L"C:\\data\\"},
        {L"C:\\a.txt", L"C:\\", L"a.txt", L"C:\\"},
        {L"\\\\server\\share\\a.txt", L"\\\\server\\share", L"a.txt", L"\\\\server\\share\\"},
        {L"C:\\data\\", L"C:\\data", L"", L"C:\\data\\"},
        {L"name", L"", L"name", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParentFolderPath(c.path), c.parent);
        EXPECT_EQ(LastPathComponent(c.path), c.last);
        EXPECT_EQ(FolderWithBackslash(c.path), c.withBackslash);
    }
}

}  // namespace
}  // namespace nesk::testing
