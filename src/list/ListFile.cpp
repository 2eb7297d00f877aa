#include "list/ListFile.h"

#include "list/TextFile.h"
#include "platform/Services.h"

namespace nesk {

std::vector<std::wstring> LoadNamedListItems(const std::wstring& path)
{
    std::vector<std::wstring> items = ReadTextFile(path).lines;
    if (!items.empty() && items.front() == kHeaderLine) items.erase(items.begin());
    return items;
}

std::vector<std::wstring> LoadDefaultListItems(const std::wstring& path)
{
    return ReadTextFile(path).lines;
}

namespace {

// Both kinds of list are stored the same way; only the named one starts with the header line.
void WriteListLines(const std::wstring& path, const std::vector<std::wstring>& lines)
{
    Fs().WriteAll(path, EncodeText(lines, TextEncoding::Utf16LE, true));
}

}  // namespace

void WriteDefaultList(const std::wstring& path, const std::vector<std::wstring>& items)
{
    WriteListLines(path, items);
}

void WriteNamedList(const std::wstring& path, const std::vector<std::wstring>& items)
{
    std::vector<std::wstring> withHeader;
    withHeader.reserve(items.size() + 1);
    withHeader.push_back(kHeaderLine);
    withHeader.insert(withHeader.end(), items.begin(), items.end());
    WriteListLines(path, withHeader);
}

bool IsListFile(const std::wstring& path)
{
    return LoadTextFileFirstLine(path, TextEncoding::Utf16LE) == kHeaderLine;
}

std::wstring NotListFileMessage(const std::wstring& path)
{
    return path + L"は\r\nNeskファイルではありません。";
}

std::wstring ListWindowTitle(const std::wstring& listPath)
{
    std::wstring name = FileNamePart(listPath);
    constexpr size_t kExtensionLength = 9;  // ".Nesk.log"
    name.resize(name.size() > kExtensionLength ? name.size() - kExtensionLength : 0);
    return kProgramTitle + L" - " + name;
}

void AddRecentEntry(std::vector<std::wstring>& recent, const std::wstring& path)
{
    for (auto it = recent.begin(); it != recent.end(); ++it) {
        if (Collation().CompareIgnoreCase(*it, path) == 0) {
            recent.erase(it);
            break;
        }
    }
    recent.insert(recent.begin(), path);
}

}  // namespace nesk
