// Internet Shortcut texts: dragged "FileContents", dropped ".url" files and the data folder's
// own shortcut files read back when a link is dragged out.
#include "exchange/ShortcutFiles.h"
#include "fuzz/FuzzPlatform.h"
#include "ole/URLDataFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto& fs = nesk::fuzz::InstallFakePlatform();
    // The fake keeps a record of every call; one run's worth is all a run may hold.
    fs.log.clear();
    fs.errorModeLog.clear();
    fs.volumeQueryModes.clear();
    fs.volumeQueries.clear();
    std::vector<uint8_t> text(data, data + size);
    nesk::ReadInternetShortcutText(text.data(), text.size());

    const std::wstring path = L"C:\\Data\\Link.url";
    fs.AddFile(path, std::string(text.begin(), text.end()));
    try {
        nesk::ReadShortcutAddress(path);
    } catch (const nesk::FileError&) {
        // An unreadable file is an answer; anything else escapes and is a finding.
    }
    return 0;
}
