// Existence probes and the stored spelling of paths, on the in-memory file system.
#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "unit/platform/ProbeEntries.h"
#include "platform/Probes.h"

namespace nesk {
namespace {

using fakes::FakeFileSystem;
using fakes::ScopedFakePlatform;

constexpr unsigned kCallerMode = 0x8003;  // whatever the caller had; must come back

void Populate(FakeFileSystem& fs)
{
    AddProbeEntries(fs);
    fs.AddFile(L"\\\\server\\share\\doc.txt", "x");
    fs.AddFolder(L"\\\\server\\share\\dir");
    fs.currentDirectory = L"C:\\Folder";
    fs.errorMode = kCallerMode;
    fs.ResetCounts();
}

enum class Volume { None, Asked };

struct ProbeCase {
    const wchar_t* path;
    bool drive;
    bool folder;
    bool file;
    Volume volume;
    const wchar_t* volumeRoot;  // the root asked, when asked
};

const ProbeCase kProbeCases[] = {
    {L"", false, false, false, Volume::None, nullptr},
    // Relative names exist below the current folder, but their first letter names a drive
    // that does not answer: only the first character is looked at.
    {L"file.txt", false, false, false, Volume::Asked, L"F:\\"},
    {L"Folder", false, false, false, Volume::Asked, L"F:\\"},
    {L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", false, false, false, Volume::None, nullptr},
    {L"http://example.com/", false, false, false, Volume::Asked, L"H:\\"},
    {L"1:\\x", false, false, false, Volume::None, nullptr},
    {L"..\\Folder\\file.txt", false, false, false, Volume::None, nullptr},
    {L"C:\\", true, true, false, Volume::Asked, L"C:\\"},
    {L"c:\\", true, true, false, Volume::Asked, L"C:\\"},
    {L"C:\\Folder", true, true, false, Volume::Asked, L"C:\\"},
    {L"c:\\folder", true, true, false, Volume::Asked, L"C:\\"},
    {L"C:\\Folder\\file.txt", true, false, true, Volume::Asked, L"C:\\"},
    {L"c:\\FOLDER\\FILE.TXT", true, false, true, Volume::Asked, L"C:\\"},
    {L"C:\\missing.txt", true, false, false, Volume::Asked, L"C:\\"},
    {L"C:\\missing\\x.txt", true, false, false, Volume::Asked, L"C:\\"},
    {L"C:\\a|b", true, false, false, Volume::Asked, L"C:\\"},
    {L"E:\\x.txt", false, false, false, Volume::Asked, L"E:\\"},  // no medium
    {L"e:\\", false, false, false, Volume::Asked, L"E:\\"},
    {L"Q:\\x", false, false, false, Volume::Asked, L"Q:\\"},      // no such drive
    {L"\\\\server\\share\\doc.txt", true, false, true, Volume::None, nullptr},
    {L"\\\\server\\share\\dir", true, true, false, Volume::None, nullptr},
    {L"\\\\nosuch\\share\\x", true, false, false, Volume::None, nullptr},
    {L"C:\\locked.txt", true, false, true, Volume::Asked, L"C:\\"},
    {L"C:\\pagefile.sys", true, false, true, Volume::Asked, L"C:\\"},  // attributes refused
    {L"C:\\deadlink", true, false, false, Volume::Asked, L"C:\\"},
    {L"C:\\deadfolderlink", true, false, false, Volume::Asked, L"C:\\"},
    {L"C:\\folderlink", true, true, false, Volume::Asked, L"C:\\"},
    {L"C:\\filelink", true, false, true, Volume::Asked, L"C:\\"},
    {L"C:\\lockedlink", true, false, true, Volume::Asked, L"C:\\"},
    {L"Cx", true, false, false, Volume::Asked, L"C:\\"},  // only the first character counts
};

class ProbeTable : public ::testing::TestWithParam<ProbeCase> {};

TEST_P(ProbeTable, AnswersAndCalls)
{
    const ProbeCase& c = GetParam();
    ScopedFakePlatform fake;
    Populate(fake.fs);
    using Probe = bool (*)(const std::wstring&);
    const std::pair<Probe, bool> probes[] = {
        {&ProbeDrive, c.drive}, {&ProbeFolder, c.folder}, {&ProbeFile, c.file}};
    for (const auto& [probe, expected] : probes) {
        fake.fs.ResetCounts();
        EXPECT_EQ(probe(c.path), expected);
        EXPECT_EQ(fake.fs.errorMode, kCallerMode) << "error mode not restored";
        if (c.volume == Volume::None) {
            EXPECT_TRUE(fake.fs.volumeQueries.empty());
            EXPECT_TRUE(fake.fs.errorModeLog.empty());
        } else {
            ASSERT_EQ(fake.fs.volumeQueries, std::vector<std::wstring>{c.volumeRoot});
            // Only the volume query runs with critical errors failed.
            EXPECT_EQ(fake.fs.volumeQueryModes, std::vector<unsigned>{1});
            EXPECT_EQ(fake.fs.errorModeLog, (std::vector<unsigned>{1, kCallerMode}));
            ASSERT_GE(fake.fs.log.size(), 3u);
            EXPECT_EQ(fake.fs.log[0], L"SetErrorMode 1");
            EXPECT_EQ(fake.fs.log[2], L"SetErrorMode " + std::to_wstring(kCallerMode));
        }
        if (!c.drive) {
            // A drive that does not answer is never looked into.
            EXPECT_EQ(fake.fs.calls.getAttributes + fake.fs.calls.findFirst +
                          fake.fs.calls.tryOpenForRead,
                      0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Paths, ProbeTable, ::testing::ValuesIn(kProbeCases),
                         [](const auto& info) { return std::to_string(info.index); });

TEST(Probes, MakeNoSystemCallForTextThatIsNoAbsolutePath)
{
    ScopedFakePlatform fake;
    Populate(fake.fs);
    for (const wchar_t* path : {L"", L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", L"123",
                                L".\\file.txt", L"..\\Folder", L"~x"}) {
        EXPECT_FALSE(ProbeFile(path));
        EXPECT_FALSE(ProbeFolder(path));
        EXPECT_FALSE(ProbeDrive(path));
    }
    EXPECT_EQ(fake.fs.calls.Total(), 0);
}

TEST(Probes, LowerCaseDriveLetterIsProbedLikeUpperCase)
{
    ScopedFakePlatform fake;
    Populate(fake.fs);
    EXPECT_TRUE(ProbeFile(L"c:\\Folder\\file.txt"));
    std::vector<std::wstring> lower = fake.fs.log;
    fake.fs.ResetCounts();
    EXPECT_TRUE(ProbeFile(L"C:\\Folder\\file.txt"));
    ASSERT_EQ(lower.size(), fake.fs.log.size());
    EXPECT_EQ(lower[1], fake.fs.log[1]);  // the same volume root
}

TEST(Probes, UncPathAsksNoVolume)
{
    ScopedFakePlatform fake;
    Populate(fake.fs);
    EXPECT_TRUE(ProbeFile(L"\\\\server\\share\\doc.txt"));
    EXPECT_EQ(fake.fs.calls.queryVolumeSize, 0);
    EXPECT_EQ(fake.fs.calls.setErrorMode, 0);
    EXPECT_EQ(fake.fs.calls.getAttributes, 1);
}

TEST(Probes, LockedFileWhoseAttributesAreRefusedIsFoundByListing)
{
    ScopedFakePlatform fake;
    Populate(fake.fs);
    EXPECT_TRUE(ProbeFile(L"C:\\pagefile.sys"));
    EXPECT_EQ(fake.fs.calls.findFirst, 1);
    // Missing and invalid names are settled by the attribute error alone.
    fake.fs.ResetCounts();
    EXPECT_FALSE(ProbeFile(L"C:\\missing.txt"));
    EXPECT_FALSE(ProbeFile(L"C:\\missing\\x"));
    EXPECT_FALSE(ProbeFile(L"C:\\a<b"));
    EXPECT_EQ(fake.fs.calls.findFirst, 0);
}

TEST(Probes, FolderLinkIsOpenedWithBackupSemanticsAndFileLinkWithout)
{
    ScopedFakePlatform fake;
    Populate(fake.fs);
    EXPECT_TRUE(ProbeFolder(L"C:\\folderlink"));
    EXPECT_EQ(fake.fs.calls.tryOpenForRead, 1);
    fake.fs.ResetCounts();
    EXPECT_TRUE(ProbeFolder(L"C:\\Folder"));  // a plain folder is not opened
    EXPECT_EQ(fake.fs.calls.tryOpenForRead, 0);
    EXPECT_FALSE(ProbeFile(L"C:\\folderlink"));  // a directory link is no file, unopened
    EXPECT_EQ(fake.fs.calls.tryOpenForRead, 0);
}

class ThrowingVolumeFileSystem : public FakeFileSystem {
public:
    bool QueryVolumeSize(const std::wstring& root) override
    {
        FakeFileSystem::QueryVolumeSize(root);
        throw FileError{root, 21};
    }
};

TEST(Probes, ErrorModeComesBackWhenTheVolumeQueryRaises)
{
    ScopedFakePlatform fake;
    ThrowingVolumeFileSystem fs;
    fs.errorMode = kCallerMode;
    Platform().fileSystem = &fs;
    EXPECT_FALSE(ProbeDrive(L"C:\\"));
    EXPECT_FALSE(ProbeFile(L"C:\\x"));
    EXPECT_FALSE(ProbeFolder(L"C:\\"));
    EXPECT_EQ(fs.errorMode, kCallerMode);
}

struct CaseCase {
    const wchar_t* path;
    const wchar_t* expected;
};

const CaseCase kCaseCases[] = {
    {L"c:\\program files\\nesk\\data.lst", L"c:\\Program Files\\Nesk\\Data.LST"},
    {L"C:\\PROGRAM FILES\\missing\\x.TXT", L"C:\\Program Files\\missing\\x.TXT"},
    {L"nesk\\..\\NESK\\.\\data.lst", L"C:\\Program Files\\Nesk\\Data.LST"},  // relative
    {L"\\program files", L"C:\\Program Files"},
    {L"c:\\", L"c:\\"},
    {L"c:\\program files\\", L"c:\\Program Files\\"},
    {L"\\\\server\\share\\dir\\doc.txt", L"\\\\server\\share\\Dir\\Doc.txt"},
    {L"q:\\nothing\\here", L"q:\\nothing\\here"},
};

class ExactCaseTable : public ::testing::TestWithParam<CaseCase> {};

TEST_P(ExactCaseTable, SpellsComponentsAsStored)
{
    ScopedFakePlatform fake;
    fake.fs.AddFile(L"C:\\Program Files\\Nesk\\Data.LST", "x");
    fake.fs.AddFile(L"\\\\Server\\Share\\Dir\\Doc.txt", "x");
    fake.fs.currentDirectory = L"C:\\Program Files";
    EXPECT_EQ(ExactCasePath(GetParam().path), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, ExactCaseTable, ::testing::ValuesIn(kCaseCases),
                         [](const auto& info) { return std::to_string(info.index); });

}  // namespace
}  // namespace nesk
