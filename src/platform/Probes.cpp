#include "platform/Probes.h"

#include "platform/Services.h"

namespace nesk {

namespace {

// The volume query is the one call that may bring up the "no disk in drive" dialog, so only it
// runs with critical errors failed quietly; the caller's mode comes back whatever happens.
bool VolumeAnswers(wchar_t letter)
{
    IFileSystem& fs = Fs();
    unsigned previous = fs.SetErrorMode(kSemFailCriticalErrors);
    bool ok = false;
    try {
        ok = fs.QueryVolumeSize(std::wstring(1, letter) + L":\\");
    } catch (...) {
        ok = false;
    }
    fs.SetErrorMode(previous);
    return ok;
}

bool FolderFromAttributes(IFileSystem& fs, const std::wstring& path, const AttributeResult& a)
{
    if (!a.ok || !(a.attributes & kAttrDirectory)) return false;
    // A junction or folder link counts only when its target can be opened.
    if (a.attributes & kAttrReparsePoint) return fs.TryOpenForRead(path, true) == 0;
    return true;
}

bool FileFromAttributes(IFileSystem& fs, const std::wstring& path, const AttributeResult& a)
{
    if (a.ok) {
        if (!(a.attributes & kAttrReparsePoint)) return !(a.attributes & kAttrDirectory);
        if (a.attributes & kAttrDirectory) return false;
        // A link to a file someone holds open exclusively still leads somewhere.
        uint32_t err = fs.TryOpenForRead(path, false);
        return err == 0 || err == kErrorSharingViolation;
    }
    if (a.error == kErrorFileNotFound || a.error == kErrorPathNotFound ||
        a.error == kErrorInvalidName)
        return false;
    // Files such as one held open without sharing refuse their attributes; the directory
    // listing still shows them.
    FindResult f = fs.FindFirst(path);
    return f.found && !(f.attributes & kAttrDirectory);
}

bool IsFolderAt(const std::wstring& path)
{
    IFileSystem& fs = Fs();
    return FolderFromAttributes(fs, path, fs.GetAttributes(path));
}

bool IsFileAt(const std::wstring& path)
{
    IFileSystem& fs = Fs();
    return FileFromAttributes(fs, path, fs.GetAttributes(path));
}

}  // namespace

bool ProbeDrive(const std::wstring& path)
{
    if (path.empty()) return false;
    wchar_t c = path[0];
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    // A leading backslash is a UNC path or a path on the current drive: nothing to ask.
    if (c < L'A' || c > L'Z') return c == L'\\';
    return VolumeAnswers(c);
}

bool ProbeFolder(const std::wstring& path)
{
    try {
        return ProbeDrive(path) && IsFolderAt(path);
    } catch (...) {
        return false;
    }
}

bool ProbeFile(const std::wstring& path)
{
    try {
        return ProbeDrive(path) && IsFileAt(path);
    } catch (...) {
        return false;
    }
}

bool ExistsOnAnsweringDrive(const std::wstring& path, uint32_t* attributeError)
{
    IFileSystem& fs = Fs();
    AttributeResult a = fs.GetAttributes(path);
    *attributeError = a.ok ? 0 : a.error;
    // A folder entry is never a file and a file entry never a folder: one verdict decides.
    if (a.ok && (a.attributes & kAttrDirectory)) return FolderFromAttributes(fs, path, a);
    return FileFromAttributes(fs, path, a);
}

std::wstring ExactCasePath(const std::wstring& path)
{
    IFileSystem& fs = Fs();
    std::wstring p = fs.FullPath(path);
    std::wstring r;
    for (size_t slash = p.rfind(L'\\'); slash != std::wstring::npos && slash + 1 >= 3;
         slash = p.rfind(L'\\')) {
        FindResult f = fs.FindFirst(p);
        r = L"\\" + (f.found ? f.name : p.substr(slash + 1)) + r;
        p.erase(slash);
    }
    return p + r;
}

}  // namespace nesk
