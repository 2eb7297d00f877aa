#include "exchange/OutgoingDrag.h"

#include "commands/ItemPaths.h"

namespace nesk {
namespace {

bool Exists(const std::wstring& item, const OutgoingProbes& probes)
{
    return probes.file(item) || probes.folder(item);
}

}  // namespace

bool IsUsablePath(const std::wstring& item)
{
    if (!MayOpen(item))
        return false;
    size_t start = item.rfind(L"\\\\?\\", 0) == 0 ? 4 : 0;
    for (size_t i = start; i < item.size(); ++i) {
        wchar_t ch = item[i];
        if (ch == L'"' || ch == L'<' || ch == L'>' || ch == L'|' || ch == L'*' || ch == L'?')
            return false;
        if (ch == L':' && i != start + 1)
            return false;
    }
    return true;
}

OutgoingClass ClassifyOutgoing(const std::wstring& item, const std::wstring& dataFolder, const OutgoingProbes& probes)
{
    if (!IsUsablePath(item))
        return OutgoingClass::Missing;
    if (IsShortcutItem(item, dataFolder))
        return probes.file(item) ? OutgoingClass::Shortcut : OutgoingClass::Missing;
    return Exists(item, probes) ? OutgoingClass::FileOrFolder : OutgoingClass::Missing;
}

OutgoingDrag PlanOutgoingDrag(const std::vector<std::wstring>& selected, const std::wstring& dataFolder,
                              const OutgoingProbes& probes)
{
    OutgoingDrag drag;
    for (const auto& item : selected) {
        switch (ClassifyOutgoing(item, dataFolder, probes)) {
        case OutgoingClass::Shortcut: drag.links.push_back(item); break;
        case OutgoingClass::FileOrFolder: drag.files.push_back(item); break;
        case OutgoingClass::Missing: break;
        }
    }
    return drag;
}

std::vector<std::wstring> ContextMenuFiles(const std::vector<std::wstring>& selected, const OutgoingProbes& probes)
{
    std::vector<std::wstring> files;
    for (const auto& item : selected)
        if (IsUsablePath(item) && Exists(item, probes))
            files.push_back(item);
    return files;
}

}  // namespace nesk
