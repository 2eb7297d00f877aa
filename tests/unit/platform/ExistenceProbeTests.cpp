// Existence of many items at once, against the probes asked item by item, on the in-memory
// file system made slow and shared between workers.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <mutex>
#include <thread>

#include "fakes/FakePlatform.h"
#include "unit/platform/ProbeEntries.h"
#include "platform/ExistenceProbe.h"
#include "platform/Probes.h"

namespace nesk {
namespace {

using fakes::FakeFileSystem;
using fakes::ScopedFakePlatform;

// The fake behind a lock, so workers may share it, with a pause before every answer about
// a slow drive and a network error for a server that does not answer.
class SharedSlowFileSystem : public IFileSystem {
public:
    explicit SharedSlowFileSystem(FakeFileSystem& inner) : inner_(inner) {}

    std::map<wchar_t, int> delayMs;  // per drive letter (upper case)
    std::wstring deadServer;         // "\\NAME" in upper case: every call fails with error 53
    int attributeCallsOnDeadServer = 0;

    template <typename F>
    auto Locked(F f) -> decltype(f())
    {
        std::lock_guard lock(mutex_);
        return f();
    }

    unsigned SetErrorMode(unsigned mode) override { return Locked([&] { return inner_.SetErrorMode(mode); }); }
    bool QueryVolumeSize(const std::wstring& root) override
    {
        Pause(root);
        return Locked([&] { return inner_.QueryVolumeSize(root); });
    }
    AttributeResult GetAttributes(const std::wstring& path) override
    {
        Pause(path);
        if (OnDeadServer(path)) {
            std::lock_guard lock(mutex_);
            ++attributeCallsOnDeadServer;
            return AttributeResult{false, 0, 53};
        }
        return Locked([&] { return inner_.GetAttributes(path); });
    }
    uint32_t TryOpenForRead(const std::wstring& path, bool backup) override
    {
        Pause(path);
        return Locked([&] { return inner_.TryOpenForRead(path, backup); });
    }
    FindResult FindFirst(const std::wstring& path) override
    {
        Pause(path);
        if (OnDeadServer(path))
            return {};
        return Locked([&] { return inner_.FindFirst(path); });
    }
    std::wstring FullPath(const std::wstring& path) override { return Locked([&] { return inner_.FullPath(path); }); }
    std::vector<uint8_t> ReadAll(const std::wstring& path) override { return Locked([&] { return inner_.ReadAll(path); }); }
    void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) override
    {
        Locked([&] { inner_.WriteAll(path, bytes); return 0; });
    }
    bool CanOpenExclusive(const std::wstring& path) override { return Locked([&] { return inner_.CanOpenExclusive(path); }); }
    bool DeleteFile(const std::wstring& path) override { return Locked([&] { return inner_.DeleteFile(path); }); }
    bool CreateFolder(const std::wstring& path) override { return Locked([&] { return inner_.CreateFolder(path); }); }
    void SetCurrentDirectory(const std::wstring& path) override
    {
        Locked([&] { inner_.SetCurrentDirectory(path); return 0; });
    }
    std::wstring ExecutablePath() override { return Locked([&] { return inner_.ExecutablePath(); }); }

private:
    bool OnDeadServer(const std::wstring& path) const
    {
        return !deadServer.empty() && fakes::FakePathKey(path).rfind(deadServer + L"\\", 0) == 0;
    }
    void Pause(const std::wstring& path)
    {
        if (path.empty())
            return;
        wchar_t c = static_cast<wchar_t>(towupper(path[0]));
        auto it = delayMs.find(c);
        int ms = it != delayMs.end() ? it->second : (OnDeadServer(path) ? 2 : 0);
        if (ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }

    FakeFileSystem& inner_;
    std::mutex mutex_;
};

void Populate(FakeFileSystem& fs)
{
    AddProbeEntries(fs);
    fs.AddFile(L"S:\\slow\\here.txt", "x");
    fs.AddFile(L"\\\\server\\share\\doc.txt", "x");
    fs.AddFolder(L"\\\\server\\share\\dir");
}

// Every kind of answer the probes give, each several times and in mixed letter case.
std::vector<std::wstring> MixedItems()
{
    const wchar_t* kinds[] = {
        L"", L"C:\\", L"c:\\folder", L"C:\\Folder\\file.txt", L"C:\\missing.txt", L"C:\\missing\\x",
        L"C:\\a|b", L"C:\\locked.txt", L"C:\\pagefile.sys", L"C:\\deadlink", L"C:\\deadfolderlink",
        L"C:\\folderlink", L"C:\\filelink", L"C:\\lockedlink", L"E:\\x.txt", L"Q:\\nothing",
        L"S:\\slow\\here.txt", L"s:\\slow\\gone.txt", L"\\\\server\\share\\doc.txt",
        L"\\\\server\\share\\dir", L"\\\\server\\share\\gone", L"\\\\dead\\share\\a.txt", L"relative.txt",
        L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", L"http://example.com/", L"Cx"};
    std::vector<std::wstring> items;
    for (int round = 0; round < 5; ++round)
        for (const wchar_t* kind : kinds)
            items.push_back(kind);
    return items;
}

TEST(ExistenceProbe, AnswersAsTheProbesItemByItem)
{
    for (int workers : {1, 3, 8}) {
        ScopedFakePlatform fake;
        Populate(fake.fs);
        SharedSlowFileSystem shared(fake.fs);
        shared.delayMs[L'S'] = 3;
        shared.deadServer = L"\\\\DEAD";
        Platform().fileSystem = &shared;
        const std::vector<std::wstring> items = MixedItems();

        std::vector<char> expected;
        for (const auto& item : items)
            expected.push_back(ProbeFolder(item) || ProbeFile(item) ? 1 : 0);
        fake.fs.errorMode = 0x8003;
        fake.fs.ResetCounts();
        shared.attributeCallsOnDeadServer = 0;

        std::vector<char> answers = ProbeExistence(items, ExistenceOptions{workers, nullptr, 1});
        ASSERT_EQ(answers.size(), items.size());
        for (size_t k = 0; k < items.size(); ++k)
            EXPECT_EQ(answers[k], expected[k]) << "item " << k << " with " << workers << " workers";
        EXPECT_EQ(fake.fs.errorMode, 0x8003u) << "error mode not restored";
        // One volume query per letter that begins an item, each under the quiet mode.
        std::vector<std::wstring> roots = fake.fs.volumeQueries;
        std::sort(roots.begin(), roots.end());
        EXPECT_EQ(roots, (std::vector<std::wstring>{L"C:\\", L"E:\\", L"H:\\", L"Q:\\", L"R:\\", L"S:\\"}));
        EXPECT_EQ(fake.fs.volumeQueryModes, std::vector<unsigned>(roots.size(), 1u));
        // The unreachable server is asked for one item, not for each of its ten.
        EXPECT_LE(shared.attributeCallsOnDeadServer, workers);
    }
}

TEST(ExistenceProbe, DriveThatDoesNotAnswerIsAskedOnceAndNeverLookedInto)
{
    ScopedFakePlatform fake;
    fake.fs.AddDrive(L'E', false);
    std::vector<std::wstring> items;
    for (int k = 0; k < 200; ++k)
        items.push_back(L"E:\\photos\\img" + std::to_wstring(k) + L".jpg");
    items.push_back(L"e:\\");
    std::vector<char> answers = ProbeExistence(items, ExistenceOptions{1, nullptr, 50});
    EXPECT_EQ(answers, std::vector<char>(items.size(), 0));
    EXPECT_EQ(fake.fs.volumeQueries, std::vector<std::wstring>{L"E:\\"});
    EXPECT_EQ(fake.fs.calls.getAttributes + fake.fs.calls.findFirst + fake.fs.calls.tryOpenForRead, 0);
}

TEST(ExistenceProbe, WaitingCallerHearsProgressAndAnErrorThereComesBackAfterTheWorkers)
{
    ScopedFakePlatform fake;
    Populate(fake.fs);
    SharedSlowFileSystem shared(fake.fs);
    shared.delayMs[L'S'] = 2;
    Platform().fileSystem = &shared;
    std::vector<std::wstring> items(200, L"S:\\slow\\here.txt");

    std::vector<size_t> heard;
    std::vector<char> answers = ProbeExistence(items, ExistenceOptions{2, [&](size_t done, size_t total) {
                                                   EXPECT_EQ(total, items.size());
                                                   heard.push_back(done);
                                               }, 1});
    EXPECT_EQ(answers, std::vector<char>(items.size(), 1));
    ASSERT_FALSE(heard.empty());
    EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()));
    EXPECT_LT(heard.front(), items.size());

    EXPECT_THROW(ProbeExistence(items, ExistenceOptions{2, [](size_t, size_t) { throw FileError{L"x", 5}; }, 1}),
                 FileError);
}

}  // namespace
}  // namespace nesk
