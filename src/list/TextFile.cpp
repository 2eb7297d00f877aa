#include "list/TextFile.h"

#include <algorithm>
#include <map>

#include "platform/Probes.h"
#include "platform/Services.h"
#include "platform/Unicode.h"

namespace nesk {

namespace {

const uint8_t kUtf8Mark[] = {0xEF, 0xBB, 0xBF};
const uint8_t kUtf16LEMark[] = {0xFF, 0xFE};
const uint8_t kUtf16BEMark[] = {0xFE, 0xFF};

bool StartsWith(const std::vector<uint8_t>& bytes, const uint8_t* mark, size_t size)
{
    return bytes.size() >= size && std::equal(mark, mark + size, bytes.begin());
}

size_t MarkSize(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return sizeof kUtf8Mark;
    case TextEncoding::Utf16LE: return sizeof kUtf16LEMark;
    case TextEncoding::Utf16BE: return sizeof kUtf16BEMark;
    case TextEncoding::Ansi: return 0;
    }
    return 0;
}

const uint8_t* Mark(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return kUtf8Mark;
    case TextEncoding::Utf16LE: return kUtf16LEMark;
    case TextEncoding::Utf16BE: return kUtf16BEMark;
    case TextEncoding::Ansi: return nullptr;
    }
    return nullptr;
}

std::wstring Decode(const uint8_t* data, size_t size, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8: return DecodeUtf8(data, size);
    case TextEncoding::Utf16LE: return DecodeUtf16(data, size, false);
    case TextEncoding::Utf16BE: return DecodeUtf16(data, size, true);
    case TextEncoding::Ansi: break;
    }
    return CodePage().Decode(std::string(reinterpret_cast<const char*>(data), size));
}

// The lines as ANSI text with CR LF after each; false when the code page lost a character.
bool EncodeAnsi(const std::vector<std::wstring>& lines, std::vector<uint8_t>* out)
{
    std::wstring text;
    for (const std::wstring& line : lines) text += line + L"\r\n";
    std::string bytes;
    bool lossless = CodePage().Encode(text, &bytes);
    out->assign(bytes.begin(), bytes.end());
    return lossless;
}

struct Remembered {
    TextEncoding encoding = TextEncoding::Ansi;
    bool byteOrderMark = false;
};

// Paths compare without letter case, as the file system does.
std::wstring MemoryKey(const std::wstring& path)
{
    std::wstring key = path;
    for (wchar_t& c : key)
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    return key;
}

std::map<std::wstring, Remembered>& SmallFileMemory()
{
    static std::map<std::wstring, Remembered> memory;
    return memory;
}

}  // namespace

std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    const size_t size = text.size();
    for (size_t i = 0; i < size; ++i) {
        wchar_t c = text[i];
        if (c != L'\r' && c != L'\n') continue;
        lines.emplace_back(text, start, i - start);
        if (c == L'\r' && i + 1 < size && text[i + 1] == L'\n') ++i;
        start = i + 1;
    }
    if (start < size) lines.emplace_back(text, start, size - start);
    return lines;
}

TextLines DecodeText(const std::vector<uint8_t>& bytes)
{
    TextLines result;
    for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
        if (StartsWith(bytes, Mark(e), MarkSize(e))) {
            result.encoding = e;
            result.byteOrderMark = true;
            break;
        }
    }
    size_t skip = result.byteOrderMark ? MarkSize(result.encoding) : 0;
    result.lines = SplitLines(Decode(bytes.data() + skip, bytes.size() - skip, result.encoding));
    return result;
}

std::vector<uint8_t> EncodeText(const std::vector<std::wstring>& lines, TextEncoding encoding,
                                bool byteOrderMark)
{
    std::vector<uint8_t> out;
    if (encoding == TextEncoding::Ansi) {
        EncodeAnsi(lines, &out);
        return out;
    }
    size_t units = 0;
    for (const std::wstring& line : lines) units += line.size() + 2;
    out.reserve(MarkSize(encoding) + units * (encoding == TextEncoding::Utf8 ? 3 : 2));
    if (byteOrderMark) out.assign(Mark(encoding), Mark(encoding) + MarkSize(encoding));
    for (const std::wstring& line : lines) {
        switch (encoding) {
        case TextEncoding::Utf8:
            AppendUtf8(out, line);
            out.insert(out.end(), {'\r', '\n'});
            break;
        case TextEncoding::Utf16LE:
            AppendUtf16(out, line, false);
            out.insert(out.end(), {'\r', 0, '\n', 0});
            break;
        case TextEncoding::Utf16BE:
            AppendUtf16(out, line, true);
            out.insert(out.end(), {0, '\r', 0, '\n'});
            break;
        case TextEncoding::Ansi: break;
        }
    }
    return out;
}

TextLines ReadTextFile(const std::wstring& path) { return DecodeText(Fs().ReadAll(path)); }

void WriteSmallFile(const std::wstring& path, const std::vector<std::wstring>& lines)
{
    auto& memory = SmallFileMemory();
    const std::wstring key = MemoryKey(path);
    auto it = memory.find(key);
    std::vector<uint8_t> bytes;
    Remembered written;
    if (it != memory.end() && it->second.byteOrderMark) {
        written = it->second;
        bytes = EncodeText(lines, written.encoding, true);
    } else if (!EncodeAnsi(lines, &bytes)) {
        // The ANSI code page would turn these characters into "?"; UTF-8 with its mark keeps
        // them, and reading by the mark brings them back.
        written = Remembered{TextEncoding::Utf8, true};
        bytes = EncodeText(lines, written.encoding, true);
    }
    Fs().WriteAll(path, bytes);
    // The file now is what was written, as if it had been read back.
    memory[key] = written;
}

std::vector<std::wstring> ReadSmallFile(const std::wstring& path)
{
    TextLines text = ReadTextFile(path);
    SmallFileMemory()[MemoryKey(path)] = Remembered{text.encoding, text.byteOrderMark};
    return std::move(text.lines);
}

void ForgetSmallFileEncodings() { SmallFileMemory().clear(); }

int LoadTextFile(std::vector<std::wstring>& list, const std::wstring& path, TextEncoding encoding)
{
    list.clear();
    if (ProbeFile(path)) {
        std::vector<uint8_t> bytes = Fs().ReadAll(path);
        size_t skip = StartsWith(bytes, Mark(encoding), MarkSize(encoding)) ? MarkSize(encoding) : 0;
        list = SplitLines(Decode(bytes.data() + skip, bytes.size() - skip, encoding));
    }
    int count = static_cast<int>(list.size());
    ResetCurrentDirectory();
    return count;
}

std::wstring LoadTextFileFirstLine(const std::wstring& path, TextEncoding encoding)
{
    std::wstring first;
    if (ProbeFile(path)) {
        std::vector<uint8_t> bytes = Fs().ReadAll(path);
        size_t skip = StartsWith(bytes, Mark(encoding), MarkSize(encoding)) ? MarkSize(encoding) : 0;
        size_t end = bytes.size();
        if (encoding == TextEncoding::Utf16LE || encoding == TextEncoding::Utf16BE) {
            // Only the code units up to the first CR or LF need decoding.
            const size_t hi = encoding == TextEncoding::Utf16BE ? 0 : 1;
            for (size_t i = skip; i + 1 < bytes.size(); i += 2) {
                uint8_t low = bytes[i + 1 - hi];
                if (bytes[i + hi] == 0 && (low == '\r' || low == '\n')) {
                    end = i;
                    break;
                }
            }
        }
        std::vector<std::wstring> lines = SplitLines(Decode(bytes.data() + skip, end - skip, encoding));
        if (!lines.empty()) first = std::move(lines.front());
    }
    ResetCurrentDirectory();
    return first;
}

bool SaveTextFile(const std::vector<std::wstring>& list, const std::wstring& path,
                  TextEncoding encoding)
{
    bool writable = Fs().CanOpenExclusive(path);
    if (writable) {
        try {
            Fs().WriteAll(path, EncodeText(list, encoding, true));
        } catch (...) {
            ResetCurrentDirectory();
            throw;
        }
    }
    ResetCurrentDirectory();
    return writable;
}

void ResetCurrentDirectory()
{
    Fs().SetCurrentDirectory(FolderOfPath(Fs().ExecutablePath()));
}

std::wstring FolderOfPath(const std::wstring& path)
{
    size_t slash = path.rfind(L'\\');
    if (slash == std::wstring::npos) return std::wstring();
    std::wstring folder = path.substr(0, slash);
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    return folder;
}

std::wstring FileNamePart(const std::wstring& path)
{
    size_t pos = path.find_last_of(L"\\:");
    return pos == std::wstring::npos ? path : path.substr(pos + 1);
}

int LastCharPos(wchar_t ch, const std::wstring& text)
{
    size_t pos = text.rfind(ch);
    return pos == std::wstring::npos ? 0 : static_cast<int>(pos) + 1;
}

std::wstring NameWithoutExtension(const std::wstring& path)
{
    std::wstring name = FileNamePart(path);
    int dot = LastCharPos(L'.', name);
    return dot > 0 ? name.substr(0, static_cast<size_t>(dot) - 1) : name;
}

}  // namespace nesk
