// Any bytes as a text file: read by the byte-order mark and with each fixed encoding, lines
// cut at CR, LF and CR LF. Whatever the bytes, no line holds a break, and a UTF-16 save of
// the lines reads back as the same lines.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzPlatform.h"
#include "list/TextFile.h"

namespace {

bool HasBreak(const std::wstring& line)
{
    return line.find_first_of(L"\r\n") != std::wstring::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nesk;
    fakes::FakeFileSystem& fs = fuzz::InstallFakePlatform();
    std::vector<uint8_t> bytes(data, data + size);

    TextLines text = DecodeText(bytes);
    for (const std::wstring& line : text.lines) FUZZ_CHECK(!HasBreak(line));
    FUZZ_CHECK(text.byteOrderMark || text.encoding == TextEncoding::Ansi);

    for (TextEncoding encoding : {TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        TextLines again = DecodeText(EncodeText(text.lines, encoding, true));
        FUZZ_CHECK(again.encoding == encoding);
        FUZZ_CHECK(again.lines == text.lines);
    }

    const std::wstring path = L"C:\\Data\\Nesk.lst";
    fs.AddFile(path, bytes);
    for (TextEncoding encoding :
         {TextEncoding::Ansi, TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        std::vector<std::wstring> lines;
        int count = LoadTextFile(lines, path, encoding);
        FUZZ_CHECK(count == static_cast<int>(lines.size()));
        for (const std::wstring& line : lines) FUZZ_CHECK(!HasBreak(line));
        // The list-file check reads only the first line; it must be the one a full read gives.
        std::wstring first = LoadTextFileFirstLine(path, encoding);
        FUZZ_CHECK(first == (lines.empty() ? std::wstring() : lines.front()));
    }
    fs.Remove(path);
    fs.ResetCounts();
    return 0;
}
