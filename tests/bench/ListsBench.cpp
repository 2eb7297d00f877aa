// How long lists of 1,000, 10,000 and 100,000 items take to save, check and load through the
// real list-file code. Not a test: run it by hand and read the figures.
//   native:  build/<preset>/tests/nesk_bench_lists [folder]
//   Windows: scripts/wine-exec build/win32/tests/nesk_bench_lists.exe [folder]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "list/ListFile.h"
#include "list/TextFile.h"
#include "platform/Services.h"

#ifdef _WIN32
#include "platform/win32/Win32Services.h"
#else
#include <cstdlib>
#include <fstream>
#include <utility>

#include <unistd.h>
#endif

namespace {

using namespace nesk;

#ifndef _WIN32
// The native build has no Windows; this stands in with plain files and the same
// write-to-temporary-then-rename replacement, so the figures include real disk work.
// "C:\" names the folder given on the command line.
class PosixFileSystem : public IFileSystem {
public:
    explicit PosixFileSystem(std::string root) : root_(std::move(root)) {}

    unsigned SetErrorMode(unsigned) override { return 0; }
    bool QueryVolumeSize(const std::wstring&) override { return true; }
    AttributeResult GetAttributes(const std::wstring& path) override
    {
        std::ifstream in(Narrow(path), std::ios::binary);
        AttributeResult r;
        r.ok = static_cast<bool>(in);
        r.attributes = 0x20;
        r.error = r.ok ? 0 : kErrorFileNotFound;
        return r;
    }
    uint32_t TryOpenForRead(const std::wstring&, bool) override { return 0; }
    FindResult FindFirst(const std::wstring&) override { return {}; }
    std::wstring FullPath(const std::wstring& path) override { return path; }
    std::vector<uint8_t> ReadAll(const std::wstring& path) override
    {
        std::ifstream in(Narrow(path), std::ios::binary | std::ios::ate);
        if (!in) throw FileError{path, kErrorFileNotFound};
        std::vector<uint8_t> bytes(static_cast<size_t>(in.tellg()));
        in.seekg(0);
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return bytes;
    }
    void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) override
    {
        std::string target = Narrow(path), temp = target + ".tmp";
        {
            std::ofstream out(temp, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
            out.flush();
            if (!out) throw FileError{path, 112};
        }
        if (std::rename(temp.c_str(), target.c_str()) != 0) throw FileError{path, 5};
    }
    bool CanOpenExclusive(const std::wstring&) override { return true; }
    bool DeleteFile(const std::wstring& path) override { return std::remove(Narrow(path).c_str()) == 0; }
    bool CreateFolder(const std::wstring&) override { return false; }
    void SetCurrentDirectory(const std::wstring&) override {}
    std::wstring ExecutablePath() override { return L"/nesk"; }

private:
    std::string Narrow(const std::wstring& w) const
    {
        std::string s = root_;
        for (wchar_t c : w.substr(2)) s += c == L'\\' ? '/' : c < 0x80 ? static_cast<char>(c) : '_';
        return s;
    }
    std::string root_;
};

class AsciiCodePage : public ICodePage {
public:
    std::wstring Decode(const std::string& bytes) override
    {
        return std::wstring(bytes.begin(), bytes.end());
    }
    bool Encode(const std::wstring& text, std::string* out) override
    {
        out->assign(text.begin(), text.end());
        return true;
    }
};

class OrdinalCollation : public ICollation {
public:
    int CompareIgnoreCase(const std::wstring& a, const std::wstring& b) override { return a.compare(b); }
};
#endif

double Milliseconds(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The best of a few runs: the figure least disturbed by the rest of the machine.
template <typename F>
double Best(int runs, F f)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        auto start = std::chrono::steady_clock::now();
        f();
        best = std::min(best, Milliseconds(std::chrono::steady_clock::now() - start));
    }
    return best;
}

std::vector<std::wstring> Items(int count)
{
    std::vector<std::wstring> items;
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i)
        items.push_back(L"C:\\Users\\someone\\Documents\\\u8cc7\u6599\\project " +
                        std::to_wstring(i % 97) + L"\\file_" + std::to_wstring(i) + L".txt");
    return items;
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    InstallWin32Services();
    std::wstring folder = L".";
    if (argc > 1) folder = std::wstring(argv[1], argv[1] + std::char_traits<char>::length(argv[1]));
    const std::wstring path = folder + L"\\bench.Nesk.log";
    const char* platform = sizeof(void*) == 8 ? "win64" : "win32";
#else
    static PosixFileSystem fileSystem(argc > 1 ? argv[1] : ".");
    static AsciiCodePage codePage;
    static OrdinalCollation collation;
    Platform() = Services{&fileSystem, &codePage, &collation};
    const std::wstring path = L"C:\\bench.Nesk.log";
    const char* platform = "native";
#endif
    std::printf("%-7s %8s %10s %10s %10s %10s\n", platform, "items", "bytes", "save ms",
                "check ms", "load ms");
    for (int count : {1000, 10000, 100000}) {
        const std::vector<std::wstring> items = Items(count);
        const int runs = count >= 100000 ? 3 : 5;
        double save = Best(runs, [&] { WriteNamedList(path, items); });
        size_t bytes = Fs().ReadAll(path).size();
        double check = Best(runs, [&] {
            if (!IsListFile(path)) std::abort();
        });
        double load = Best(runs, [&] {
            if (LoadNamedListItems(path).size() != items.size()) std::abort();
        });
        std::printf("%-7s %8d %10zu %10.2f %10.2f %10.2f\n", "", count, bytes, save, check, load);
    }
    Fs().DeleteFile(path);
    return 0;
}
