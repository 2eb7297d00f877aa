// A web link as drag sources offer it and drop targets read it: an 8-bit address in the ANSI
// code page and a UTF-16 title, converted to and from the link's clipboard formats.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ole/ClipboardBytes.h"
#include "ole/FormatRegistry.h"

namespace nesk {

struct TURLDataFormat {
    std::string URL;
    std::wstring Title;

    bool HasData() const { return !URL.empty() || !Title.empty(); }
    bool NeedsData() const { return URL.empty() || Title.empty(); }
    void Clear()
    {
        URL.clear();
        Title.clear();
    }
};

// ---- Producing (drag source) ----

// The bytes of one clipboard format for a link; nothing for a format a link is not offered in
// (CF_HDROP among them).
std::optional<FormatBytes> URLFormatBytes(TClipboardFormatKind format, const TURLDataFormat& link);
// What a link's "FileContents" holds: "[InternetShortcut]" CR LF "URL=" address CR LF.
FormatBytes InternetShortcutContents(const std::string& url);
// A file name for the link's descriptor, made from its title (8-bit) or, without one, its address.
std::string MakeShortcutFileName(const std::string& text);

// ---- Reading (drop target) ----

// Gives the bytes of one clipboard format of the data being dropped, or nothing when the data
// does not carry it or cannot deliver it.
class IFormatReader {
public:
    virtual ~IFormatReader() = default;
    virtual std::optional<FormatBytes> Read(TClipboardFormatKind format) = 0;
};

// Reads a dropped ".url" file; nothing when it cannot be opened. Reads need not be whole: a
// reader may stop after a size no shortcut file reaches.
using ShortcutFileReader = std::function<std::optional<FormatBytes>(const std::wstring& path)>;

enum class URLReadResult {
    Nothing,         // no address and no title
    Read,            // an address, a title, or both
    FileUnreadable,  // a dropped ".url" file could not be opened
};

// Fills `link` from the formats in `compatible` order while an address or a title is missing;
// the wide address, when offered, is taken before all of them.
URLReadResult ReadURLData(IFormatReader& reader, const std::vector<TClipboardFormatKind>& compatible,
                          const ShortcutFileReader& readFile, TURLDataFormat& link);

// The address in an Internet Shortcut text (a byte-order mark selects the encoding, otherwise
// the ANSI code page): the first "URL=" line of the "[InternetShortcut]" section. Nothing when
// there is no such line.
std::optional<std::string> ReadInternetShortcutText(const uint8_t* data, size_t size);

// An address for the 8-bit world: every character the ANSI code page holds as it is, every
// other one percent-encoded as UTF-8, so the address still leads where it led.
std::string EncodeURLForCodePage(const std::wstring& url);

// True when the last extension of a file name is ".url", in any letter case.
bool HasURLExtension(const std::wstring& name);

}  // namespace nesk
