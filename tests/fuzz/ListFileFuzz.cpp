// Any bytes as a list file: the check that tells a list file from any other file, and the
// loading of its items. A file the check accepts loads without its header line, and the
// program's own save of the items passes the check and loads back as the same items.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzPlatform.h"
#include "list/ListFile.h"
#include "list/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nesk;
    fakes::FakeFileSystem& fs = fuzz::InstallFakePlatform();
    const std::wstring path = L"C:\\Lists\\Work.Nesk.log";
    const std::wstring saved = L"C:\\Lists\\Saved.Nesk.log";
    fs.AddFile(path, std::vector<uint8_t>(data, data + size));

    bool accepted = IsListFile(path);
    std::vector<std::wstring> named = LoadNamedListItems(path);
    std::vector<std::wstring> plain = LoadDefaultListItems(path);
    FUZZ_CHECK(named.size() == plain.size() || named.size() + 1 == plain.size());
    if (accepted && size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
        // With its mark, an accepted file's first line is the header, read by the mark too.
        FUZZ_CHECK(!plain.empty() && plain.front() == kHeaderLine);
        FUZZ_CHECK(named.size() + 1 == plain.size());
    }

    WriteNamedList(saved, named);
    FUZZ_CHECK(IsListFile(saved));
    FUZZ_CHECK(LoadNamedListItems(saved) == named);

    fs.Remove(path);
    fs.Remove(saved);
    fs.ResetCounts();
    return 0;
}
