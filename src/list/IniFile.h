// Settings files: INI text held whole in memory, so sections, keys and comments that the
// program does not know survive a save.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace nesk {

class IniFile {
public:
    // Lines are trimmed; empty lines go; "[name]" opens a section. Lines before the first
    // section and comment lines (";") are kept as they are but never read as keys.
    static IniFile Parse(const std::vector<std::wstring>& lines);
    // Reads by the byte-order mark and remembers the encoding for Save; a file that does not
    // exist gives an empty IniFile. Throws FileError when the file exists but cannot be read.
    static IniFile Load(const std::wstring& path);
    // In the encoding the file was read in; the ANSI code page for a new file, or UTF-8 with
    // a mark when the code page cannot hold every character. Throws FileError.
    void Save(const std::wstring& path) const;

    // Every section followed by one empty line.
    std::vector<std::wstring> Lines() const;

    // Section and key names are compared without regard to letter case; of two sections with
    // the same name only the first counts.
    std::optional<std::wstring> ReadString(const std::wstring& section, const std::wstring& key) const;
    // Decimal, or hexadecimal after "$" or "0x"; anything else (also a number that does not
    // fit in 32 bits) reads as missing.
    std::optional<int> ReadInteger(const std::wstring& section, const std::wstring& key) const;
    // Replaces the key's value in place, or appends the key to the section (the section to the
    // file).
    void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    void WriteInteger(const std::wstring& section, const std::wstring& key, int value);

private:
    struct Section {
        std::wstring name;
        std::vector<std::wstring> lines;
    };
    const Section* FindSection(const std::wstring& name) const;
    std::vector<std::wstring> preamble_;
    std::vector<Section> sections_;
};

std::optional<int> ParseIniInteger(const std::wstring& text);

}  // namespace nesk
