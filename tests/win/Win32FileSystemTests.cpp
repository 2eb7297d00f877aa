// The probes, path case, redirection switch and atomic writes on the real (Wine) system.
#include "platform/win32/WinApi.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "list/TextFile.h"
#include "platform/Probes.h"
#include "platform/Redirection.h"
#include "platform/Services.h"
#include "platform/win32/Win32Services.h"

namespace nesk {
namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { ::CloseHandle(h); }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

// Held open with no sharing at all, as another program might.
UniqueHandle HoldExclusively(const std::wstring& path)
{
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

bool EndsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::vector<std::wstring> Names(const std::wstring& pattern)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::wstring name = data.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

class Win32FileSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        saved_ = Platform();
        InstallWin32Services();
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"nesk_fs_" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        ASSERT_NE(::GetFileAttributesW(folder_.c_str()), INVALID_FILE_ATTRIBUTES);
    }

    void TearDown() override
    {
        RemoveTree(folder_);
        Platform() = saved_;
    }

    static void RemoveTree(const std::wstring& path)
    {
        for (const std::wstring& name : Names(path + L"\\*")) {
            std::wstring child = path + L"\\" + name;
            DWORD a = ::GetFileAttributesW(child.c_str());
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY))
                RemoveTree(child);
            else
                ::DeleteFileW(child.c_str());
        }
        ::RemoveDirectoryW(path.c_str());
    }

    std::wstring In(const std::wstring& name) const { return folder_ + L"\\" + name; }

    static std::string Read(const std::wstring& path)
    {
        std::vector<uint8_t> bytes = Fs().ReadAll(path);
        return std::string(bytes.begin(), bytes.end());
    }

    static void Write(const std::wstring& path, const std::string& text)
    {
        Fs().WriteAll(path, std::vector<uint8_t>(text.begin(), text.end()));
    }

    // Temporary files the atomic write may have left behind.
    std::vector<std::wstring> Leftovers() const { return Names(folder_ + L"\\nsk*.tmp"); }

    std::wstring folder_;
    Services saved_;
};

// ---- probes ----

wchar_t UnmappedLetter()
{
    DWORD drives = ::GetLogicalDrives();
    for (wchar_t letter : std::wstring(L"QRSTUVWXYPONMLKJIGHFB"))
        if (!(drives & (1u << (letter - L'A')))) return letter;
    return 0;
}

TEST_F(Win32FileSystemTest, DriveRootIsAFolderAndNoFile)
{
    EXPECT_TRUE(ProbeDrive(L"C:\\"));
    EXPECT_TRUE(ProbeFolder(L"C:\\"));
    EXPECT_FALSE(ProbeFile(L"C:\\"));
    EXPECT_TRUE(ProbeFolder(L"c:\\"));
}

TEST_F(Win32FileSystemTest, UnmappedLetterAnswersNoAndRestoresTheErrorMode)
{
    wchar_t letter = UnmappedLetter();
    ASSERT_NE(letter, 0);
    const std::wstring path = std::wstring(1, letter) + L":\\x";
    const UINT callerMode = SEM_NOOPENFILEERRORBOX;
    UINT original = ::SetErrorMode(callerMode);
    bool drive = ProbeDrive(path), folder = ProbeFolder(path), file = ProbeFile(path);
    UINT after = ::SetErrorMode(original);
    EXPECT_FALSE(drive);
    EXPECT_FALSE(folder);
    EXPECT_FALSE(file);
    EXPECT_EQ(after, callerMode);
}

TEST_F(Win32FileSystemTest, FilesAndFoldersAreToldApart)
{
    Write(In(L"a.txt"), "x");
    EXPECT_TRUE(ProbeFile(In(L"a.txt")));
    EXPECT_FALSE(ProbeFolder(In(L"a.txt")));
    EXPECT_TRUE(ProbeFolder(folder_));
    EXPECT_FALSE(ProbeFile(folder_));
    EXPECT_FALSE(ProbeFile(In(L"missing.txt")));
    EXPECT_FALSE(ProbeFile(In(L"missing\\x.txt")));
    EXPECT_FALSE(ProbeFile(In(L"a<b")));
    EXPECT_FALSE(ProbeFile(L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"));
    EXPECT_FALSE(ProbeFile(L""));
}

TEST_F(Win32FileSystemTest, FileHeldOpenWithoutSharingStillExists)
{
    const std::wstring path = In(L"held.txt");
    Write(path, "x");
    UniqueHandle held = HoldExclusively(path);
    ASSERT_TRUE(held);
    EXPECT_TRUE(ProbeFile(path));
    EXPECT_FALSE(Fs().CanOpenExclusive(path));
    EXPECT_FALSE(SaveTextFile({L"x"}, path, TextEncoding::Utf16LE));
    held.reset();
    EXPECT_TRUE(Fs().CanOpenExclusive(path));
    EXPECT_TRUE(Fs().CanOpenExclusive(In(L"missing.txt")));
}

// ---- path case ----

TEST_F(Win32FileSystemTest, ExactCasePathSpellsComponentsAsStored)
{
    ASSERT_TRUE(::CreateDirectoryW(In(L"MiXeD Case").c_str(), nullptr));
    Write(In(L"MiXeD Case\\FiLe.TxT"), "x");
    std::wstring lower = In(L"mixed case\\file.txt");
    for (wchar_t& c : lower) c = static_cast<wchar_t>(::towlower(c));
    std::wstring exact = ExactCasePath(lower);
    EXPECT_TRUE(EndsWith(exact, L"\\MiXeD Case\\FiLe.TxT")) << exact;
    EXPECT_EQ(exact.substr(0, 2), lower.substr(0, 2));  // the drive stays as written
    EXPECT_EQ(ExactCasePath(exact), exact);
    // Missing components stay as written; "." and ".." go.
    std::wstring missing = ExactCasePath(In(L"mixed case\\.\\sub\\..\\NotThere.txt"));
    EXPECT_TRUE(EndsWith(missing, L"\\MiXeD Case\\NotThere.txt")) << missing;
    // A trailing backslash names no entry of its own (FindFirstFileW finds nothing) and stays.
    std::wstring folder = ExactCasePath(In(L"mixed case\\"));
    EXPECT_TRUE(EndsWith(folder, L"\\MiXeD Case\\")) << folder;
}

// ---- redirection ----

// The machine a DLL is built for: 0x14C for 32-bit x86, 0x8664 for x64.
unsigned MachineOf(const std::wstring& path)
{
    std::vector<uint8_t> b = Fs().ReadAll(path);
    if (b.size() < 0x40) return 0;
    uint32_t pe = b[0x3C] | b[0x3D] << 8 | b[0x3E] << 16 | static_cast<uint32_t>(b[0x3F]) << 24;
    if (b.size() < pe + 6) return 0;
    return b[pe + 4] | b[pe + 5] << 8;
}

TEST_F(Win32FileSystemTest, BracketShowsTheNativeSystemFolder)
{
    InitRedirection();
    wchar_t windows[MAX_PATH] = {};
    ::GetWindowsDirectoryW(windows, MAX_PATH);
    const std::wstring system32 = std::wstring(windows) + L"\\system32";
    const std::wstring kernel = system32 + L"\\kernel32.dll";
    if (!IsWow64()) {
        // A native process: the toggles do nothing and system32 stays what it is.
        unsigned outside = MachineOf(kernel), inside;
        {
            RedirectionOff off;
            inside = MachineOf(kernel);
        }
        EXPECT_EQ(inside, outside);
        GTEST_SKIP() << "not a 32-bit process on 64-bit Windows; the toggles did nothing";
    }

    EXPECT_EQ(MachineOf(kernel), 0x14Cu);
    std::set<std::wstring> native;
    unsigned nativeMachine;
    {
        RedirectionOff off;
        nativeMachine = MachineOf(kernel);
        for (const std::wstring& n : Names(system32 + L"\\*.exe")) native.insert(n);
    }
    EXPECT_EQ(nativeMachine, 0x8664u);
    EXPECT_EQ(MachineOf(kernel), 0x14Cu);  // back to the 32-bit folder after the bracket

    // A program that only the 64-bit folder has is seen inside the bracket only.
    std::wstring only64;
    for (const std::wstring& n : native) {
        if (::GetFileAttributesW((std::wstring(windows) + L"\\syswow64\\" + n).c_str()) ==
            INVALID_FILE_ATTRIBUTES) {
            only64 = n;
            break;
        }
    }
    if (only64.empty()) GTEST_SKIP() << "every program of system32 is in syswow64 too";
    const std::wstring path = system32 + L"\\" + only64;
    EXPECT_FALSE(ProbeFile(path)) << only64;
    DisableRedirection();
    bool seen = ProbeFile(path);
    RevertRedirection();
    EXPECT_TRUE(seen) << only64;
    EXPECT_FALSE(ProbeFile(path)) << only64;
}

// ---- atomic replacement ----

TEST_F(Win32FileSystemTest, WriteReplacesWholeAndLeavesNoTemporaryFile)
{
    const std::wstring path = In(L"list.Nesk.log");
    Write(path, "old content");
    Write(path, "new");
    EXPECT_EQ(Read(path), "new");
    Write(path, "");
    EXPECT_EQ(Read(path), "");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(Win32FileSystemTest, FailedWriteToALockedFileLeavesTheOldFileWhole)
{
    const std::wstring path = In(L"locked.Nesk.log");
    Write(path, "old content");
    {
        UniqueHandle held = HoldExclusively(path);
        ASSERT_TRUE(held);
        EXPECT_THROW(Write(path, "new"), FileError);
    }
    EXPECT_EQ(Read(path), "old content");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(Win32FileSystemTest, FailedWriteToAReadOnlyFileLeavesTheOldFileWhole)
{
    const std::wstring path = In(L"readonly.lst");
    Write(path, "old");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(Write(path, "new"), FileError);
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Read(path), "old");
    EXPECT_TRUE(Leftovers().empty());
}

TEST_F(Win32FileSystemTest, WriteIntoAMissingFolderRaises)
{
    try {
        Write(In(L"nowhere\\x.lst"), "x");
        FAIL();
    } catch (const FileError& e) {
        EXPECT_EQ(e.path, In(L"nowhere\\x.lst"));
        EXPECT_NE(e.error, 0u);
    }
    EXPECT_THROW(Fs().ReadAll(In(L"missing.lst")), FileError);
}

TEST_F(Win32FileSystemTest, HiddenFileStaysHiddenAfterReplacement)
{
    const std::wstring path = In(L"hidden.ini");
    Write(path, "old");
    ASSERT_TRUE(::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    Write(path, "new");
    EXPECT_EQ(Read(path), "new");
    EXPECT_TRUE(::GetFileAttributesW(path.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// ---- the rest of the services ----

TEST_F(Win32FileSystemTest, ExecutablePathAndCurrentDirectory)
{
    std::wstring exe = Fs().ExecutablePath();
    ASSERT_GT(exe.size(), 4u);
    EXPECT_EQ(exe.substr(exe.size() - 4), L".exe");
    ::SetCurrentDirectoryW(folder_.c_str());
    ResetCurrentDirectory();
    wchar_t current[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, current);
    EXPECT_EQ(std::wstring(current), exe.substr(0, exe.rfind(L'\\')));
}

TEST_F(Win32FileSystemTest, FullPathResolvesAgainstTheCurrentDirectory)
{
    ::SetCurrentDirectoryW(folder_.c_str());
    EXPECT_EQ(Fs().FullPath(L"a\\..\\b.txt"), In(L"b.txt"));
    ResetCurrentDirectory();
}

TEST_F(Win32FileSystemTest, CreateAndDelete)
{
    EXPECT_TRUE(Fs().CreateFolder(In(L"sub")));
    EXPECT_FALSE(Fs().CreateFolder(In(L"sub")));
    Write(In(L"sub\\x"), "x");
    EXPECT_TRUE(Fs().DeleteFile(In(L"sub\\x")));
    EXPECT_FALSE(Fs().DeleteFile(In(L"sub\\x")));
}

TEST(Win32CodePage, ReportsWhatTheCodePageCannotHold)
{
    Services saved = Platform();
    InstallWin32Services();
    if (::GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
    std::string bytes;
    EXPECT_TRUE(CodePage().Encode(L"C:\\\u3042\u65E5\u672C\uFF71", &bytes));
    EXPECT_EQ(bytes, "C:\\\x82\xA0\x93\xFA\x96\x7B\xB1");
    EXPECT_EQ(CodePage().Decode(bytes), L"C:\\\u3042\u65E5\u672C\uFF71");
    // "é" has a best fit "e" in many code pages; it must count as lost instead.
    EXPECT_FALSE(CodePage().Encode(L"caf\u00E9", &bytes));
    EXPECT_FALSE(CodePage().Encode(L"\U0001F600", &bytes));
    EXPECT_TRUE(CodePage().Encode(L"", &bytes));
    EXPECT_EQ(CodePage().Decode(""), L"");
    Platform() = saved;
}

TEST(Win32Collation, IgnoresCase)
{
    Services saved = Platform();
    InstallWin32Services();
    EXPECT_EQ(Collation().CompareIgnoreCase(L"C:\\Work.Nesk.log", L"c:\\WORK.nesk.LOG"), 0);
    EXPECT_LT(Collation().CompareIgnoreCase(L"a", L"B"), 0);
    EXPECT_GT(Collation().CompareIgnoreCase(L"b", L"A"), 0);
    Platform() = saved;
}

}  // namespace
}  // namespace nesk
