// Dropped web links kept as Internet Shortcut files in the data folder: the file name made from
// the link's title, the two lines written, and the address read back when a link is dragged out.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace nesk {

// The title as a file name without its ".url": a browser's " - <browser name>" tail cut at the
// last hyphen (when it stands after the third character), at most 128 characters, characters
// that file names cannot hold as "_", and a name Windows keeps for a device made harmless.
std::wstring ShortcutNameFromTitle(const std::wstring& title);

// True for CON, PRN, AUX, NUL, COM1-COM9 and LPT1-LPT9 in any letter case, also with an
// extension or with blanks and dots before one: Windows opens the device for such a name.
bool IsReservedDeviceName(const std::wstring& name);

std::vector<std::wstring> InternetShortcutLines(const std::wstring& address);

// The address of an Internet Shortcut file as the program writes it (UTF-16LE): the rest of
// the first line that begins with "URL=" in any letter case; empty when the file has fewer
// than two lines or no such line.
std::wstring ReadShortcutAddress(const std::wstring& path);

// Where the link goes in `dataFolder`: "<name>.url", or, when that file already holds another
// address, "<name> (2).url" and so on, so no earlier item is retargeted. A file that holds this
// very address (or cannot be read to tell) is the one to write again.
std::wstring ShortcutPathFor(const std::wstring& dataFolder, const std::wstring& title, const std::wstring& address);

// Writes the file; nothing when it exists and another program holds it open. A file that
// cannot be created raises FileError.
std::optional<std::wstring> WriteShortcutFile(const std::wstring& dataFolder, const std::wstring& title,
                                              const std::wstring& address);

}  // namespace nesk
