#include "list/IniFile.h"

#include <climits>
#include <cstdint>

#include "list/TextFile.h"
#include "platform/Probes.h"
#include "platform/Services.h"

namespace nesk {
namespace {

// Spaces and control characters, as a hand-edited file may carry them (tabs, stray CRs).
std::wstring Trim(const std::wstring& text)
{
    size_t first = 0;
    size_t last = text.size();
    while (first < last && text[first] <= L' ')
        ++first;
    while (last > first && text[last - 1] <= L' ')
        --last;
    return text.substr(first, last - first);
}

bool SameName(const std::wstring& a, const std::wstring& b)
{
    return Collation().CompareIgnoreCase(a, b) == 0;
}

bool IsSectionLine(const std::wstring& line)
{
    return line.size() >= 2 && line.front() == L'[' && line.back() == L']';
}

bool IsComment(const std::wstring& line)
{
    return !line.empty() && line.front() == L';';
}

// The key of a "key=value" line; false for comments and lines without "=".
bool KeyOf(const std::wstring& line, std::wstring* key)
{
    if (IsComment(line))
        return false;
    size_t equals = line.find(L'=');
    if (equals == std::wstring::npos)
        return false;
    *key = Trim(line.substr(0, equals));
    return true;
}

int HexDigit(wchar_t ch)
{
    if (ch >= L'0' && ch <= L'9')
        return ch - L'0';
    if (ch >= L'a' && ch <= L'f')
        return ch - L'a' + 10;
    if (ch >= L'A' && ch <= L'F')
        return ch - L'A' + 10;
    return -1;
}

}  // namespace

std::optional<int> ParseIniInteger(const std::wstring& text)
{
    size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+'))
        negative = text[at++] == L'-';
    int base = 10;
    if (at < text.size() && text[at] == L'$') {
        base = 16;
        ++at;
    } else if (at + 1 < text.size() && text[at] == L'0' && (text[at + 1] == L'x' || text[at + 1] == L'X')) {
        base = 16;
        at += 2;
    }
    if (at == text.size())
        return std::nullopt;
    // Accumulated in 64 bits and stopped as soon as it leaves the 32-bit range, so that no
    // length of digits can overflow.
    const int64_t limit = negative ? -static_cast<int64_t>(INT_MIN) : INT_MAX;
    int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        int digit = HexDigit(text[at]);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

IniFile IniFile::Parse(const std::vector<std::wstring>& lines)
{
    IniFile ini;
    for (const auto& raw : lines) {
        std::wstring line = Trim(raw);
        if (line.empty())
            continue;
        if (IsSectionLine(line))
            ini.sections_.push_back(Section{Trim(line.substr(1, line.size() - 2)), {}});
        else if (ini.sections_.empty())
            ini.preamble_.push_back(line);
        else
            ini.sections_.back().lines.push_back(line);
    }
    return ini;
}

IniFile IniFile::Load(const std::wstring& path)
{
    if (!ProbeFile(path))
        return IniFile();
    return Parse(ReadSmallFile(path));
}

void IniFile::Save(const std::wstring& path) const
{
    WriteSmallFile(path, Lines());
}

std::vector<std::wstring> IniFile::Lines() const
{
    std::vector<std::wstring> lines = preamble_;
    if (!preamble_.empty())
        lines.emplace_back();
    for (const auto& section : sections_) {
        lines.push_back(L"[" + section.name + L"]");
        lines.insert(lines.end(), section.lines.begin(), section.lines.end());
        lines.emplace_back();
    }
    return lines;
}

const IniFile::Section* IniFile::FindSection(const std::wstring& name) const
{
    for (const auto& section : sections_)
        if (SameName(section.name, name))
            return &section;
    return nullptr;
}

std::optional<std::wstring> IniFile::ReadString(const std::wstring& section, const std::wstring& key) const
{
    const Section* found = FindSection(section);
    if (!found)
        return std::nullopt;
    std::wstring name;
    for (const auto& line : found->lines)
        if (KeyOf(line, &name) && SameName(name, key))
            return Trim(line.substr(line.find(L'=') + 1));
    return std::nullopt;
}

std::optional<int> IniFile::ReadInteger(const std::wstring& section, const std::wstring& key) const
{
    std::optional<std::wstring> text = ReadString(section, key);
    return text ? ParseIniInteger(*text) : std::nullopt;
}

void IniFile::WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value)
{
    auto* found = const_cast<Section*>(FindSection(section));
    if (!found) {
        sections_.push_back(Section{section, {}});
        found = &sections_.back();
    }
    std::wstring line = key + L"=" + value;
    std::wstring name;
    for (auto& existing : found->lines)
        if (KeyOf(existing, &name) && SameName(name, key)) {
            existing = line;
            return;
        }
    found->lines.push_back(line);
}

void IniFile::WriteInteger(const std::wstring& section, const std::wstring& key, int value)
{
    WriteString(section, key, std::to_wstring(value));
}

}  // namespace nesk
