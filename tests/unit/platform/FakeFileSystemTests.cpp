// The fakes other tests stand on: a few checks that they answer as documented.
#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "platform/Redirection.h"

namespace nesk::fakes {
namespace {

TEST(FakeFileSystem, LooksUpIgnoringCaseAndKeepsStoredSpelling)
{
    FakeFileSystem fs;
    fs.AddFile(L"C:\\Data\\MixedCase.TXT", "x");
    FindResult r = fs.FindFirst(L"c:\\data\\mixedcase.txt");
    EXPECT_TRUE(r.found);
    EXPECT_EQ(r.name, L"MixedCase.TXT");
    EXPECT_TRUE(fs.IsFolder(L"C:\\DATA"));
    EXPECT_EQ(fs.calls.findFirst, 1);
    EXPECT_EQ(fs.calls.Total(), 1);
}

TEST(FakeFileSystem, AnswersForDrivesAsWindowsDoes)
{
    FakeFileSystem fs;
    fs.AddDrive(L'E', false);
    EXPECT_TRUE(fs.QueryVolumeSize(L"C:\\"));
    EXPECT_FALSE(fs.QueryVolumeSize(L"E:\\"));
    EXPECT_FALSE(fs.QueryVolumeSize(L"Q:\\"));
    EXPECT_EQ(fs.GetAttributes(L"E:\\x").error, kErrorNotReady);
    EXPECT_EQ(fs.GetAttributes(L"Q:\\x").error, kErrorPathNotFound);
    EXPECT_EQ(fs.GetAttributes(L"C:\\missing").error, kErrorFileNotFound);
    EXPECT_EQ(fs.GetAttributes(L"C:\\missing\\x").error, kErrorPathNotFound);
    EXPECT_EQ(fs.GetAttributes(L"C:\\a|b").error, kErrorInvalidName);
    EXPECT_EQ(fs.GetAttributes(L"C:\\").attributes, kAttrDirectory);
}

TEST(FakeFileSystem, LocksLinksReadOnlyAndFullDisk)
{
    FakeFileSystem fs;
    fs.AddFile(L"C:\\locked", "old");
    fs.Lock(L"C:\\locked");
    EXPECT_EQ(fs.TryOpenForRead(L"C:\\locked", false), kErrorSharingViolation);
    EXPECT_FALSE(fs.CanOpenExclusive(L"C:\\locked"));
    EXPECT_THROW(fs.WriteAll(L"C:\\locked", {}), FileError);
    EXPECT_EQ(fs.ContentString(L"C:\\locked"), "old");
    fs.Lock(L"C:\\locked", true);
    EXPECT_EQ(fs.GetAttributes(L"C:\\locked").error, kErrorSharingViolation);
    EXPECT_TRUE(fs.FindFirst(L"C:\\locked").found);

    fs.AddLink(L"C:\\dead", false, false);
    EXPECT_EQ(fs.GetAttributes(L"C:\\dead").attributes & kAttrReparsePoint, kAttrReparsePoint);
    EXPECT_EQ(fs.TryOpenForRead(L"C:\\dead", false), kErrorFileNotFound);

    fs.AddFile(L"C:\\ro", "keep");
    fs.SetReadOnly(L"C:\\ro");
    EXPECT_THROW(fs.WriteAll(L"C:\\ro", {}), FileError);
    EXPECT_FALSE(fs.DeleteFile(L"C:\\ro"));

    fs.AddFile(L"C:\\f", "old");
    fs.SetDiskFull(true);
    try {
        fs.WriteAll(L"C:\\f", {'n', 'e', 'w'});
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.error, kErrorDiskFull);
    }
    EXPECT_EQ(fs.ContentString(L"C:\\f"), "old");
    fs.SetDiskFull(false);
    fs.WriteAll(L"C:\\F", {'n', 'e', 'w'});
    EXPECT_EQ(fs.ContentString(L"C:\\f"), "new");
    EXPECT_EQ(fs.StoredName(L"c:\\F"), L"C:\\f");
    EXPECT_THROW(fs.WriteAll(L"C:\\nofolder\\x", {}), FileError);
}

TEST(FakeFileSystem, FullPathResolvesAgainstCurrentDirectory)
{
    FakeFileSystem fs;
    fs.currentDirectory = L"C:\\Work\\Sub";
    EXPECT_EQ(fs.FullPath(L"a.txt"), L"C:\\Work\\Sub\\a.txt");
    EXPECT_EQ(fs.FullPath(L"..\\b\\.\\c"), L"C:\\Work\\b\\c");
    EXPECT_EQ(fs.FullPath(L"\\x"), L"C:\\x");
    EXPECT_EQ(fs.FullPath(L"D:\\a\\..\\..\\b"), L"D:\\b");
    EXPECT_EQ(fs.FullPath(L"\\\\srv\\share\\a\\..\\b"), L"\\\\srv\\share\\b");
    EXPECT_EQ(fs.FullPath(L"C:\\dir\\"), L"C:\\dir\\");
}

TEST(FakeFileSystem, ErrorModeIsTracked)
{
    FakeFileSystem fs;
    fs.errorMode = 0x8000;
    EXPECT_EQ(fs.SetErrorMode(1), 0x8000u);
    fs.QueryVolumeSize(L"C:\\");
    EXPECT_EQ(fs.SetErrorMode(0x8000), 1u);
    EXPECT_EQ(fs.errorModeLog, (std::vector<unsigned>{1, 0x8000}));
    EXPECT_EQ(fs.volumeQueryModes, (std::vector<unsigned>{1}));
}

TEST(FakeCodePage, MapsItsFewCharactersAndReportsLoss)
{
    FakeCodePage cp;
    std::string bytes;
    EXPECT_TRUE(cp.Encode(L"a\u3042\uFF71", &bytes));
    EXPECT_EQ(bytes, "a\x82\xA0\xB1");
    EXPECT_EQ(cp.Decode(bytes), L"a\u3042\uFF71");
    EXPECT_FALSE(cp.Encode(L"\u00E9", &bytes));
    EXPECT_EQ(bytes, "?");
    EXPECT_EQ(cp.Decode("\x82"), L"\u30FB");
}

TEST(FakeCollation, IgnoresCase)
{
    FakeCollation c;
    EXPECT_EQ(c.CompareIgnoreCase(L"C:\\Abc", L"c:\\aBC"), 0);
    EXPECT_LT(c.CompareIgnoreCase(L"a", L"B"), 0);
    EXPECT_GT(c.CompareIgnoreCase(L"ab", L"A"), 0);
}

TEST(FakePlatform, InstallsAndRestores)
{
    Services before = Platform();
    {
        ScopedFakePlatform fake;
        EXPECT_EQ(&Fs(), &fake.fs);
        EXPECT_EQ(&CodePage(), &fake.codePage);
        EXPECT_EQ(&Collation(), &fake.collation);
    }
    EXPECT_EQ(Platform().fileSystem, before.fileSystem);
}

#ifndef _WIN32
TEST(FakeRedirection, CountsTheBracket)
{
    {
        ScopedFakePlatform fake;
        EXPECT_FALSE(IsWow64());
        InitRedirection();
        EXPECT_TRUE(IsWow64());
        {
            RedirectionOff off;
            EXPECT_TRUE(FakeRedirection().off);
        }
        EXPECT_FALSE(FakeRedirection().off);
        EXPECT_EQ(FakeRedirection().disableCalls, 1);
        EXPECT_EQ(FakeRedirection().revertCalls, 1);
        EXPECT_FALSE(FakeRedirection().nested);
    }
    EXPECT_EQ(FakeRedirection().initCalls, 0);
}
#endif

}  // namespace
}  // namespace nesk::fakes
