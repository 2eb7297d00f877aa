#include "chrome/TrayIconFile.h"

#include "list/ListFile.h"

namespace nesk {

std::wstring TrayListKey(const std::wstring& listFile, bool listFileExists, const std::wstring& dataFolder)
{
    return listFileExists ? listFile : dataFolder + kDefaultListName;
}

int FindTrayIconEntry(const std::vector<std::wstring>& lines, const std::wstring& key)
{
    int result = -1;
    for (size_t i = 0; i < lines.size(); ++i) {
        size_t at = lines[i].find(key);
        if (at != std::wstring::npos && at > 0)
            result = static_cast<int>(i);
    }
    return result;
}

int TrayPictureOfLine(const std::wstring& line)
{
    if (line.empty() || line[0] < L'0' || line[0] >= L'0' + kTrayPictureCount)
        return 0;
    return line[0] - L'0';
}

int StoredTrayPicture(const std::vector<std::wstring>& lines, const std::wstring& key)
{
    int entry = FindTrayIconEntry(lines, key);
    return entry < 0 ? 0 : TrayPictureOfLine(lines[static_cast<size_t>(entry)]);
}

void StoreTrayPicture(std::vector<std::wstring>& lines, const std::wstring& key, int picture)
{
    int entry = FindTrayIconEntry(lines, key);
    if (entry >= 0)
        lines.erase(lines.begin() + entry);
    lines.push_back(std::to_wstring(picture) + key);
}

}  // namespace nesk
