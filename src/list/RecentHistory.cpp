#include "list/RecentHistory.h"

#include "platform/Probes.h"

namespace nesk {

void PruneRecent(std::vector<std::wstring>& recent)
{
    for (size_t i = recent.size(); i-- > 0;)
        if (!ProbeFile(recent[i]))
            recent.erase(recent.begin() + static_cast<std::ptrdiff_t>(i));
    if (recent.size() > kRecentShown)
        recent.resize(kRecentShown);
}

std::vector<std::wstring> RecentMenuEntries(const std::vector<std::wstring>& recent)
{
    size_t count = recent.size() < kRecentShown ? recent.size() : kRecentShown;
    return std::vector<std::wstring>(recent.begin(), recent.begin() + static_cast<std::ptrdiff_t>(count));
}

std::wstring MenuCaption(const std::wstring& text)
{
    std::wstring caption;
    caption.reserve(text.size());
    for (wchar_t ch : text) {
        caption += ch;
        if (ch == L'&')
            caption += L'&';
    }
    return caption;
}

}  // namespace nesk
