// The program's text files: how any of them is read (by its byte-order mark), how lines are
// cut, and how the small files of the data folder are written back in the encoding they had.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace nesk {

enum class TextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };

struct TextLines {
    std::vector<std::wstring> lines;
    TextEncoding encoding = TextEncoding::Ansi;
    bool byteOrderMark = false;
};

// Reading: the mark chooses the encoding (EF BB BF, FF FE, FE FF), else the ANSI code page;
// lines end at CR, LF or CR LF, and a final break adds no empty line.
TextLines DecodeText(const std::vector<uint8_t>& bytes);
std::vector<std::wstring> SplitLines(const std::wstring& text);
// Every line followed by CR LF, preceded by the encoding's mark when `byteOrderMark`.
std::vector<uint8_t> EncodeText(const std::vector<std::wstring>& lines, TextEncoding encoding,
                                bool byteOrderMark);

TextLines ReadTextFile(const std::wstring& path);  // throws FileError

// Writes a small data-folder file in the encoding it was last read in by this process, or in
// the ANSI code page without a mark; text the code page cannot hold goes out as UTF-8 with a
// mark instead, so nothing turns into "?".
void WriteSmallFile(const std::wstring& path, const std::vector<std::wstring>& lines);
// Reads a small data-folder file and remembers its encoding for WriteSmallFile.
std::vector<std::wstring> ReadSmallFile(const std::wstring& path);
void ForgetSmallFileEncodings();  // tests start from a fresh process's memory

// Reads with a fixed encoding, skipping only that encoding's own mark; 0 lines when missing.
int LoadTextFile(std::vector<std::wstring>& list, const std::wstring& path, TextEncoding encoding);
// The first line LoadTextFile would give (empty text when none), without decoding the rest:
// the list-file check needs no more, also for lists of a hundred thousand items.
std::wstring LoadTextFileFirstLine(const std::wstring& path, TextEncoding encoding);
// False (and nothing written) when the file exists but cannot be opened exclusively.
bool SaveTextFile(const std::vector<std::wstring>& list, const std::wstring& path,
                  TextEncoding encoding);
void ResetCurrentDirectory();

std::wstring NameWithoutExtension(const std::wstring& path);
int LastCharPos(wchar_t ch, const std::wstring& text);  // 1-based, 0 when absent
std::wstring FileNamePart(const std::wstring& path);    // after the last "\" or ":"
// Up to the last "\", a drive root keeping its backslash ("C:" alone would mean the drive's
// current folder, not its root); empty for a name without a folder.
std::wstring FolderOfPath(const std::wstring& path);

}  // namespace nesk
