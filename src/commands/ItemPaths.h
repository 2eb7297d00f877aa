// How item texts are read as paths by the commands: our own link files and folder parts.
#pragma once

#include <optional>
#include <string>

#include "commands/ItemCommands.h"

namespace nesk {

// An item naming a ".url" file directly in the data folder (`dataFolder` ends with "\"), in
// any ASCII letter case. Never fails: a text that is no path at all is simply not one.
bool IsShortcutItem(const std::wstring& item, const std::wstring& dataFolder);

// Whether a text may be handed to the shell to open at all: not empty, not blanks only, and
// free of control characters (the shell would cut such a text at the control character and
// open something else, such as a whole drive).
bool MayOpen(const std::wstring& item);

// The text up to the last "\" or ":", dropping that "\" unless it ends a root ("C:\", "\",
// "\\"); empty when there is neither.
std::wstring FolderPart(const std::wstring& text);

// The shell's folder of all drives.
inline const std::wstring kDrivesFolder = L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}";

// What showing the folder of an existing item opens: the folder of all drives for a root
// such as "C:\", else the item's folder when it exists; nothing otherwise.
struct FolderLaunch {
    std::wstring file;
    std::wstring directory;
};
std::optional<FolderLaunch> ParentFolderLaunch(const std::wstring& item, const PathPredicate& folderExists);

}  // namespace nesk
