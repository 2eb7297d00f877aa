// What leaves the list when selected items are dragged out or given to the shell's menu:
// each item is a link of our own, a file or folder, or nothing.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace nesk {

// Whether a text can be a path at all: not empty, not blanks only, no control characters and
// none of " < > | * ?, a colon only after a drive letter ("\\?\" long-path prefixes allowed).
// Texts that fail are skipped before any path function or probe sees them.
bool IsUsablePath(const std::wstring& item);

enum class OutgoingClass { Shortcut, FileOrFolder, Missing };

struct OutgoingProbes {
    std::function<bool(const std::wstring&)> file;
    std::function<bool(const std::wstring&)> folder;
};

// A link file of our data folder leaves as a link drag of its own when the file is there;
// anything else that exists leaves with the file drag; the rest does not leave.
OutgoingClass ClassifyOutgoing(const std::wstring& item, const std::wstring& dataFolder, const OutgoingProbes& probes);

// The selected items in list order, sorted into the link drags and the one file drag.
struct OutgoingDrag {
    std::vector<std::wstring> links;
    std::vector<std::wstring> files;
};
OutgoingDrag PlanOutgoingDrag(const std::vector<std::wstring>& selected, const std::wstring& dataFolder,
                              const OutgoingProbes& probes);

// The selected items the shell's menu is built for: those that exist, in list order.
std::vector<std::wstring> ContextMenuFiles(const std::vector<std::wstring>& selected, const OutgoingProbes& probes);

}  // namespace nesk
