// A whole link drop: every format a browser or the file manager may offer, each with bytes of
// the sender's choosing (URL texts without terminator, descriptors, contents, CF_HDROP and the
// ".url" file it names).
#include "fuzz/FuzzPlatform.h"
#include "ole/URLDataFormat.h"

namespace {

using nesk::TClipboardFormatKind;

struct FuzzReader : nesk::IFormatReader {
    std::vector<std::optional<nesk::FormatBytes>> formats =
        std::vector<std::optional<nesk::FormatBytes>>(static_cast<size_t>(TClipboardFormatKind::UnicodeURL) + 1);
    std::optional<nesk::FormatBytes> Read(TClipboardFormatKind format) override
    {
        return formats[static_cast<size_t>(format)];
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    nesk::fuzz::InstallFakePlatform();
    static bool registered = [] {
        nesk::RegisterDropEffectFormats();
        nesk::RegisterFileFormats();
        nesk::RegisterLinkFormats();
        return true;
    }();
    (void)registered;

    nesk::fuzz::InputCursor input(data, size);
    FuzzReader reader;
    std::optional<nesk::FormatBytes> shortcutFile;
    while (!input.Empty()) {
        uint8_t which = input.Byte();
        nesk::FormatBytes block = input.Block();
        if (which >= reader.formats.size())
            shortcutFile = std::move(block);
        else
            reader.formats[which] = std::move(block);
    }
    nesk::ShortcutFileReader readFile = [&](const std::wstring&) { return shortcutFile; };
    nesk::TURLDataFormat link;
    nesk::ReadURLData(reader, nesk::CompatibleFormats(nesk::TDataFormatKind::URL, nesk::TDragDropTier::ddtTarget),
                      readFile, link);
    return 0;
}
