// List files: the default list and named lists with their header line, and the recent history.
#pragma once

#include <string>
#include <vector>

namespace nesk {

// The program's title: the main window's with the default list, the message boxes' caption.
inline const std::wstring kProgramTitle = L"Nesk";
inline const std::wstring kHeaderLine = L"### Nesk ###";
inline const std::wstring kDefaultListName = L"Nesk.lst";
inline const std::wstring kRecentFileName = L"Recent.lst";
inline const std::wstring kBuffFileName = L"BuffFile.tmp";
inline const std::wstring kTrayIconFileName = L"TrayIcon.lst";

// Items of a named list file: read by the byte-order mark; a first line equal to the header
// line is dropped. Throws FileError.
std::vector<std::wstring> LoadNamedListItems(const std::wstring& path);
// Items of the default list: read by the byte-order mark, nothing dropped. Throws FileError.
std::vector<std::wstring> LoadDefaultListItems(const std::wstring& path);

// UTF-16LE with mark, CR LF after every line. The named form puts the header line first.
void WriteDefaultList(const std::wstring& path, const std::vector<std::wstring>& items);
void WriteNamedList(const std::wstring& path, const std::vector<std::wstring>& items);

// The first line of the file read as UTF-16LE equals the header line exactly.
bool IsListFile(const std::wstring& path);
// The text of the refusal message for a path that is not a list file.
std::wstring NotListFileMessage(const std::wstring& path);

// The program's title, " - " and the file name without its last 9 characters (the length of
// ".Nesk.log").
std::wstring ListWindowTitle(const std::wstring& listPath);

// Removes an entry equal to `path` ignoring letter case, then puts `path` at the top.
void AddRecentEntry(std::vector<std::wstring>& recent, const std::wstring& path);

}  // namespace nesk
