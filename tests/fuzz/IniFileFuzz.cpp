// Any bytes as a settings file: read by the byte-order mark, parsed, asked for the values the
// window reads, and written back. What the program writes parses to the same file again, and
// a value it writes reads back as written.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz/FuzzPlatform.h"
#include "list/IniFile.h"
#include "list/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace nesk;
    fuzz::InstallFakePlatform();
    std::vector<std::wstring> lines = DecodeText(std::vector<uint8_t>(data, data + size)).lines;
    IniFile ini = IniFile::Parse(lines);

    for (const wchar_t* key : {L"Top", L"Left", L"Width", L"Height", L"FontSize", L"Normal"}) {
        ini.ReadString(L"Window", key);
        ini.ReadInteger(L"Window", key);
    }
    for (const std::wstring& line : lines) {
        std::optional<int> value = ParseIniInteger(line);
        (void)value;
    }

    std::vector<std::wstring> written = ini.Lines();
    FUZZ_CHECK(IniFile::Parse(written).Lines() == written);

    // A section named by the first line, as a named list's folder names its section.
    std::wstring section = lines.empty() ? std::wstring(L"Window") : lines.front();
    // Folder names never begin or end with blanks or control characters, which reading trims.
    if (!section.empty() && section.front() > L' ' && section.back() > L' ') {
        ini.WriteInteger(section, L"FontSize", 12);
        std::optional<int> back = IniFile::Parse(ini.Lines()).ReadInteger(section, L"FontSize");
        FUZZ_CHECK(back && *back == 12);
    }
    return 0;
}
