#include "exchange/ShortcutFiles.h"

#include "list/TextFile.h"
#include "platform/FileSystem.h"
#include "platform/Probes.h"

namespace nesk {
namespace {

constexpr size_t kMaxNameLength = 128;

wchar_t AsciiUpper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool IsForbiddenInName(wchar_t c)
{
    return static_cast<uint32_t>(c) < 0x20 || std::wstring_view(L"\"*/:<>?\\|").find(c) != std::wstring_view::npos;
}

}  // namespace

bool IsReservedDeviceName(const std::wstring& name)
{
    std::wstring stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && (stem.back() == L' ' || stem.back() == L'.'))
        stem.pop_back();
    for (auto& c : stem)
        c = AsciiUpper(c);
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL")
        return true;
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
           stem[3] <= L'9';
}

std::wstring ShortcutNameFromTitle(const std::wstring& title)
{
    std::wstring name = title;
    int hyphen = LastCharPos(L'-', name);
    if (hyphen > 3)
        name.resize(static_cast<size_t>(hyphen) - 2);
    if (name.size() > kMaxNameLength)
        name.resize(kMaxNameLength);
    for (auto& c : name)
        if (IsForbiddenInName(c))
            c = L'_';
    if (IsReservedDeviceName(name + L".url"))
        name.insert(0, L"_");
    return name;
}

std::vector<std::wstring> InternetShortcutLines(const std::wstring& address)
{
    return {L"[InternetShortcut]", L"URL=" + address};
}

std::wstring ReadShortcutAddress(const std::wstring& path)
{
    std::vector<std::wstring> lines;
    if (LoadTextFile(lines, path, TextEncoding::Utf16LE) < 2)
        return {};
    for (const auto& line : lines)
        if (line.size() >= 4 && AsciiUpper(line[0]) == L'U' && AsciiUpper(line[1]) == L'R' &&
            AsciiUpper(line[2]) == L'L' && line[3] == L'=')
            return line.substr(4);
    return {};
}

std::wstring ShortcutPathFor(const std::wstring& dataFolder, const std::wstring& title, const std::wstring& address)
{
    std::wstring name = ShortcutNameFromTitle(title);
    for (int number = 1;; ++number) {
        std::wstring path = dataFolder + name + (number == 1 ? L"" : L" (" + std::to_wstring(number) + L")") + L".url";
        if (!ProbeFile(path))
            return path;
        try {
            if (ReadShortcutAddress(path) == address)
                return path;
        } catch (const FileError&) {
            return path;  // locked: the write will tell, and skip the drop
        }
    }
}

std::optional<std::wstring> WriteShortcutFile(const std::wstring& dataFolder, const std::wstring& title,
                                              const std::wstring& address)
{
    std::wstring path = ShortcutPathFor(dataFolder, title, address);
    if (!SaveTextFile(InternetShortcutLines(address), path, TextEncoding::Utf16LE))
        return std::nullopt;
    return path;
}

}  // namespace nesk
