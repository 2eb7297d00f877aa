#include "ole/URLDataFormat.h"

#include <algorithm>
#include <cwchar>

#include "exchange/DropFilesBlock.h"
#include "list/TextFile.h"
#include "platform/Services.h"
#include "platform/Unicode.h"

namespace nesk {
namespace {

using K = TClipboardFormatKind;

constexpr char kSectionLine[] = "[InternetShortcut]";
constexpr size_t kShortcutNameBytes = 120;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
wchar_t AsciiLower(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

template <typename S>
bool StartsWithIgnoringCase(const S& text, const S& prefix)
{
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (AsciiLower(text[i]) != AsciiLower(prefix[i]))
            return false;
    return true;
}

template <typename S>
bool EqualsIgnoringCase(const S& a, const S& b)
{
    return a.size() == b.size() && StartsWithIgnoringCase(a, b);
}

// The name without its last extension (a name that is only ".url" leaves nothing).
std::wstring WithoutExtension(const std::wstring& name)
{
    size_t dot = name.rfind(L'.');
    return dot == std::wstring::npos ? name : name.substr(0, dot);
}

// Lines of 8-bit text without their CR, LF or CR LF.
std::vector<std::string> SplitByteLines(const uint8_t* data, size_t size)
{
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < size; ++i) {
        char c = static_cast<char>(data[i]);
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty())
        lines.push_back(std::move(line));
    return lines;
}

bool HasByteOrderMark(const uint8_t* data, size_t size)
{
    return (size >= 2 && ((data[0] == 0xFF && data[1] == 0xFE) || (data[0] == 0xFE && data[1] == 0xFF))) ||
           (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF);
}

template <typename S>
std::optional<S> AddressInLines(const std::vector<S>& lines, const S& section, const S& key)
{
    if (lines.size() < 2)
        return std::nullopt;
    size_t at = 0;
    while (at + 1 < lines.size() && !EqualsIgnoringCase(lines[at], section))
        ++at;
    if (at + 1 >= lines.size())
        return std::nullopt;
    for (size_t i = at + 1; i < lines.size(); ++i) {
        if (!lines[i].empty() && lines[i][0] == '[')
            return std::nullopt;
        if (StartsWithIgnoringCase(lines[i], key)) {
            S value = lines[i].substr(key.size());
            return value.substr(0, value.find(static_cast<typename S::value_type>(0)));
        }
    }
    return std::nullopt;
}

std::string Encoded(const std::wstring& text)
{
    std::string out;
    CodePage().Encode(text, &out);
    return out;
}

bool IsShortcutNameSeparator(wchar_t c) { return std::wstring_view(L"\"'*,/:<>?\\|").find(c) != std::wstring_view::npos; }

// The title's part of a descriptor: what a browser would name the file after.
std::optional<std::wstring> TitleFromDescriptor(const FormatBytes& bytes, bool wide)
{
    auto descriptor = ReadFileGroupDescriptor(bytes.data(), bytes.size(), wide);
    if (!descriptor || descriptor->count == 0 || !HasURLExtension(descriptor->firstName))
        return std::nullopt;
    return WithoutExtension(descriptor->firstName);
}

struct Assigner {
    const ShortcutFileReader& readFile;
    TURLDataFormat& link;
    bool fileUnreadable = false;

    // True when the format gave the link something.
    bool Assign(K format, const FormatBytes& bytes)
    {
        switch (format) {
        case K::UnicodeFileGroupDescriptor:
        case K::AnsiFileGroupDescriptor:
            if (link.Title.empty())
                if (auto title = TitleFromDescriptor(bytes, format == K::UnicodeFileGroupDescriptor)) {
                    link.Title = *title;
                    return true;
                }
            return false;
        case K::FileContents:
            if (!link.URL.empty() || link.Title.empty())
                return false;
            return TakeAddress(ReadInternetShortcutText(bytes.data(), bytes.size()));
        case K::AnsiURL:
            return link.URL.empty() && TakeAddress(ReadAnsiText(bytes.data(), bytes.size()));
        case K::AnsiText: {
            if (!link.URL.empty())
                return false;
            std::string text = ReadAnsiText(bytes.data(), bytes.size());
            size_t scheme = text.find("://");
            return scheme != std::string::npos && scheme > 0 && TakeAddress(text);
        }
        case K::File:
            return link.URL.empty() && AssignFromDroppedFile(bytes);
        default:
            return false;
        }
    }

    bool TakeAddress(std::optional<std::string> address)
    {
        if (!address || address->empty())
            return false;
        link.URL = std::move(*address);
        return true;
    }

    bool AssignFromDroppedFile(const FormatBytes& bytes)
    {
        DropFilesContent files = ParseDropFiles(bytes.data(), bytes.size());
        if (files.names.empty() || !HasURLExtension(files.names.front()))
            return false;
        const std::wstring& path = files.names.front();
        std::optional<FormatBytes> content = readFile(path);
        if (!content) {
            fileUnreadable = true;
            return false;
        }
        if (!TakeAddress(ReadInternetShortcutText(content->data(), content->size())))
            return false;
        if (link.Title.empty())
            link.Title = NameWithoutExtension(path);
        return true;
    }
};

}  // namespace

FormatBytes InternetShortcutContents(const std::string& url)
{
    std::string text = std::string(kSectionLine) + "\r\nURL=" + url + "\r\n";
    return FormatBytes(text.begin(), text.end());
}

std::string MakeShortcutFileName(const std::string& text)
{
    // Worked on as characters, not bytes: a trail byte of a double-byte character may equal
    // "\" or "|" in the code pages of East Asia, and must not be taken for one.
    std::wstring name = CodePage().Decode(text);
    for (const wchar_t* prefix : {L"http://", L"ftp://", L"mailto:", L"file:"})
        if (StartsWithIgnoringCase(name, std::wstring(prefix))) {
            name.erase(0, std::wcslen(prefix));
            break;
        }
    size_t bytes = 0, keep = 0;
    for (; keep < name.size(); ++keep) {
        bytes += std::max<size_t>(1, Encoded(name.substr(keep, 1)).size());
        if (bytes > kShortcutNameBytes)
            break;
    }
    name.resize(keep);
    name.resize(std::min(name.size(), name.find(L'/')));

    std::wstring cleaned;
    bool nextGone = true;  // the end of the text counts as removed
    for (size_t i = name.size(); i-- > 0;) {
        wchar_t c = name[i];
        if (!IsShortcutNameSeparator(c)) {
            cleaned += c;
            nextGone = false;
        } else if (!nextGone) {
            cleaned += L' ';
            nextGone = true;
        }
    }
    std::reverse(cleaned.begin(), cleaned.end());
    if (cleaned.empty())
        cleaned = L"untitled";
    return Encoded(cleaned) + ".url";
}

std::optional<FormatBytes> URLFormatBytes(TClipboardFormatKind format, const TURLDataFormat& link)
{
    switch (format) {
    case K::AnsiURL:
    case K::AnsiText:
        return AnsiTextBytes(link.URL);
    case K::FileContents:
        return InternetShortcutContents(link.URL);
    case K::AnsiFileGroupDescriptor:
    case K::UnicodeFileGroupDescriptor: {
        std::string name = MakeShortcutFileName(link.Title.empty() ? link.URL : Encoded(link.Title));
        auto size = static_cast<uint32_t>(InternetShortcutContents(link.URL).size());
        return FileGroupDescriptorBytes(name, size, format == K::UnicodeFileGroupDescriptor);
    }
    default:
        return std::nullopt;
    }
}

URLReadResult ReadURLData(IFormatReader& reader, const std::vector<TClipboardFormatKind>& compatible,
                          const ShortcutFileReader& readFile, TURLDataFormat& link)
{
    link.Clear();
    bool any = false;
    if (auto wide = reader.Read(K::UnicodeURL)) {
        std::wstring address = ReadUnicodeText(wide->data(), wide->size());
        if (!address.empty()) {
            link.URL = EncodeURLForCodePage(address);
            any = true;
        }
    }
    Assigner assigner{readFile, link};
    for (K format : compatible) {
        if (!link.NeedsData())
            break;
        std::optional<FormatBytes> bytes = reader.Read(format);
        if (bytes && !bytes->empty() && assigner.Assign(format, *bytes))
            any = true;
        if (assigner.fileUnreadable) {
            link.Clear();
            return URLReadResult::FileUnreadable;
        }
    }
    return any ? URLReadResult::Read : URLReadResult::Nothing;
}

std::optional<std::string> ReadInternetShortcutText(const uint8_t* data, size_t size)
{
    if (!data)
        return std::nullopt;
    if (!HasByteOrderMark(data, size))
        return AddressInLines(SplitByteLines(data, size), std::string(kSectionLine), std::string("URL="));
    TextLines text = DecodeText(FormatBytes(data, data + size));
    auto address = AddressInLines(text.lines, std::wstring(L"[InternetShortcut]"), std::wstring(L"URL="));
    if (!address)
        return std::nullopt;
    return EncodeURLForCodePage(*address);
}

std::string EncodeURLForCodePage(const std::wstring& url)
{
    std::string whole;
    if (CodePage().Encode(url, &whole))
        return whole;
    std::string out;
    static const char kHex[] = "0123456789ABCDEF";
    for (size_t i = 0; i < url.size(); ++i) {
        size_t length = 1;
        if (sizeof(wchar_t) == 2 && url[i] >= 0xD800 && url[i] <= 0xDBFF && i + 1 < url.size() &&
            url[i + 1] >= 0xDC00 && url[i + 1] <= 0xDFFF)
            length = 2;
        std::wstring character = url.substr(i, length);
        i += length - 1;
        std::string bytes;
        if (CodePage().Encode(character, &bytes)) {
            out += bytes;
            continue;
        }
        FormatBytes utf8;
        AppendUtf8(utf8, character);
        for (uint8_t b : utf8) {
            out += '%';
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out;
}

bool HasURLExtension(const std::wstring& name)
{
    std::wstring file = FileNamePart(name);
    size_t dot = file.rfind(L'.');
    return dot != std::wstring::npos && EqualsIgnoringCase(file.substr(dot), std::wstring(L".url"));
}

}  // namespace nesk
