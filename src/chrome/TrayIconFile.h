// The tray icon file: one line per list, the picture number as its first character and the
// list's key right after it. Shared by every window; the line applied last is the last line.
#pragma once

#include <string>
#include <vector>

namespace nesk {

constexpr int kTrayPictureCount = 4;

// The named list file when it exists, else the default list in the data folder.
std::wstring TrayListKey(const std::wstring& listFile, bool listFileExists, const std::wstring& dataFolder);

// Index of the last line in which the key first occurs after the line's first character
// (case-sensitive), or -1.
int FindTrayIconEntry(const std::vector<std::wstring>& lines, const std::wstring& key);

// The picture a line names: its first character as a digit 0 to 3. Anything else names no
// picture that exists, and the list falls back to picture 0.
int TrayPictureOfLine(const std::wstring& line);

// The picture stored for the key (0 when it has no line yet).
int StoredTrayPicture(const std::vector<std::wstring>& lines, const std::wstring& key);

// Replaces the key's line (the one FindTrayIconEntry finds) by a fresh line at the end.
void StoreTrayPicture(std::vector<std::wstring>& lines, const std::wstring& key, int picture);

}  // namespace nesk
