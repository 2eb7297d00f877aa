#include "fakes/FakeFileSystem.h"

#include <algorithm>
#include <cwctype>
#include <stdexcept>

namespace nesk::fakes {

namespace {

constexpr uint32_t kErrorBadNetPath = 53;
constexpr uint32_t kAttrReadOnly = 0x1;
constexpr uint32_t kAttrArchive = 0x20;

wchar_t Upper(wchar_t c)
{
    if (c >= L'a' && c <= L'z') return static_cast<wchar_t>(c - L'a' + L'A');
    return static_cast<wchar_t>(std::towupper(static_cast<std::wint_t>(c)));
}

bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool IsDrivePath(const std::wstring& p) { return p.size() >= 2 && IsLetter(p[0]) && p[1] == L':'; }

// Length of the part of an absolute path that is never a component: "X:\" or "\\server\share".
size_t RootLength(const std::wstring& p)
{
    if (IsDrivePath(p)) return 3;
    if (p.rfind(L"\\\\", 0) == 0) {
        size_t server = p.find(L'\\', 2);
        if (server == std::wstring::npos) return p.size();
        size_t share = p.find(L'\\', server + 1);
        return share == std::wstring::npos ? p.size() : share;
    }
    return 0;
}

bool HasInvalidCharacters(const std::wstring& p)
{
    for (size_t i = 0; i < p.size(); ++i) {
        wchar_t c = p[i];
        if (c == L'<' || c == L'>' || c == L'"' || c == L'|' || c == L'?' || c == L'*' || c < 32)
            return true;
        if (c == L':' && !(i == 1 && IsLetter(p[0]))) return true;
    }
    return false;
}

std::wstring LastComponent(const std::wstring& p)
{
    size_t pos = p.find_last_of(L'\\');
    return pos == std::wstring::npos ? p : p.substr(pos + 1);
}

// "." and ".." removed from the components after the root; a trailing backslash is kept.
std::wstring Normalize(const std::wstring& absolute)
{
    size_t rootLen = std::min(RootLength(absolute), absolute.size());
    std::wstring root = absolute.substr(0, rootLen);
    if (IsDrivePath(root) && root.size() < 3) root += L'\\';
    std::vector<std::wstring> parts;
    std::wstring rest = absolute.substr(rootLen);
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring::npos) end = rest.size();
        std::wstring part = rest.substr(start, end - start);
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::wstring out = root;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (!out.empty() && out.back() != L'\\') out += L'\\';
        out += parts[i];
    }
    bool trailing = !rest.empty() && rest.back() == L'\\';
    if (trailing && !parts.empty()) out += L'\\';
    return out;
}

}  // namespace

std::wstring FakePathKey(const std::wstring& path)
{
    std::wstring key;
    key.reserve(path.size());
    for (wchar_t c : path) key += c == L'/' ? L'\\' : Upper(c);
    if (IsDrivePath(key) && key.size() == 2) key += L'\\';
    while (key.size() > RootLength(key) && key.size() > 1 && key.back() == L'\\') key.pop_back();
    return key;
}

int FakeFileSystem::CallCounts::Total() const
{
    return setErrorMode + queryVolumeSize + getAttributes + tryOpenForRead + findFirst +
           fullPath + readAll + writeAll + canOpenExclusive + deleteFile + createFolder +
           setCurrentDirectory + executablePath;
}

FakeFileSystem::FakeFileSystem() { drives_[L'C'] = Drive{true}; }

// ---- set-up ----

void FakeFileSystem::AddDrive(wchar_t letter, bool hasMedium) { drives_[Upper(letter)] = Drive{hasMedium}; }

void FakeFileSystem::SetMedium(wchar_t letter, bool hasMedium) { AddDrive(letter, hasMedium); }

FakeFileSystem::Entry& FakeFileSystem::Put(const std::wstring& path, bool folder)
{
    std::wstring full = Normalize(path);
    while (full.size() > RootLength(full) && full.back() == L'\\') full.pop_back();
    if (IsDrivePath(full) && !drives_.count(Upper(full[0]))) AddDrive(full[0], true);
    size_t rootLen = RootLength(full);
    if (rootLen == 0) throw std::logic_error("FakeFileSystem: not an absolute path");
    if (full.rfind(L"\\\\", 0) == 0 && full.size() > rootLen) {
        std::wstring share = full.substr(0, rootLen);
        if (!Find(FakePathKey(share))) {
            Entry& e = entries_[FakePathKey(share)];
            e.spelling = share;
            e.folder = true;
        }
    }
    for (size_t pos = full.find(L'\\', rootLen + 1); pos != std::wstring::npos;
         pos = full.find(L'\\', pos + 1)) {
        std::wstring parent = full.substr(0, pos);
        if (!Find(FakePathKey(parent))) {
            Entry& e = entries_[FakePathKey(parent)];
            e.spelling = parent;
            e.folder = true;
        }
    }
    Entry& e = entries_[FakePathKey(full)];
    e = Entry{};
    e.spelling = full;
    e.folder = folder;
    return e;
}

void FakeFileSystem::AddFolder(const std::wstring& path) { Put(path, true); }

void FakeFileSystem::AddFile(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    Put(path, false).bytes = bytes;
}

void FakeFileSystem::AddFile(const std::wstring& path, const std::string& bytes)
{
    Put(path, false).bytes.assign(bytes.begin(), bytes.end());
}

void FakeFileSystem::AddLink(const std::wstring& path, bool toFolder, bool targetReachable)
{
    Entry& e = Put(path, toFolder);
    e.link = true;
    e.reachable = targetReachable;
}

void FakeFileSystem::Lock(const std::wstring& path, bool attributesFail)
{
    Entry* e = Find(FakePathKey(path));
    if (!e) throw std::logic_error("FakeFileSystem::Lock: no such entry");
    e->locked = true;
    e->attributesFail = attributesFail;
}

void FakeFileSystem::Unlock(const std::wstring& path)
{
    if (Entry* e = Find(FakePathKey(path))) e->locked = e->attributesFail = false;
}

void FakeFileSystem::SetReadOnly(const std::wstring& path, bool readOnly)
{
    Entry* e = Find(FakePathKey(path));
    if (!e) throw std::logic_error("FakeFileSystem::SetReadOnly: no such entry");
    e->readOnly = readOnly;
}

void FakeFileSystem::Remove(const std::wstring& path)
{
    std::wstring key = FakePathKey(path);
    for (auto it = entries_.begin(); it != entries_.end();) {
        bool below = it->first.size() > key.size() && it->first.compare(0, key.size(), key) == 0 &&
                     it->first[key.size()] == L'\\';
        it = (it->first == key || below) ? entries_.erase(it) : std::next(it);
    }
}

bool FakeFileSystem::Exists(const std::wstring& path) const { return Find(FakePathKey(path)) != nullptr; }

bool FakeFileSystem::IsFolder(const std::wstring& path) const
{
    const Entry* e = Find(FakePathKey(path));
    return e && e->folder;
}

std::vector<uint8_t> FakeFileSystem::Content(const std::wstring& path) const
{
    const Entry* e = Find(FakePathKey(path));
    if (!e || e->folder) throw std::logic_error("FakeFileSystem::Content: no such file");
    return e->bytes;
}

std::string FakeFileSystem::ContentString(const std::wstring& path) const
{
    std::vector<uint8_t> bytes = Content(path);
    return std::string(bytes.begin(), bytes.end());
}

std::wstring FakeFileSystem::StoredName(const std::wstring& path) const
{
    const Entry* e = Find(FakePathKey(path));
    return e ? e->spelling : std::wstring();
}

std::vector<std::wstring> FakeFileSystem::Files() const
{
    std::vector<std::wstring> out;
    for (const auto& [key, e] : entries_)
        if (!e.folder) out.push_back(e.spelling);
    return out;
}

void FakeFileSystem::ResetCounts()
{
    calls = CallCounts{};
    log.clear();
    errorModeLog.clear();
    volumeQueryModes.clear();
    volumeQueries.clear();
}

// ---- helpers ----

const FakeFileSystem::Entry* FakeFileSystem::Find(const std::wstring& key) const
{
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

FakeFileSystem::Entry* FakeFileSystem::Find(const std::wstring& key)
{
    auto it = entries_.find(key);
    return it == entries_.end() ? nullptr : &it->second;
}

uint32_t FakeFileSystem::DriveError(const std::wstring& key) const
{
    if (HasInvalidCharacters(key)) return kErrorInvalidName;
    if (IsDrivePath(key)) {
        auto it = drives_.find(key[0]);
        if (it == drives_.end()) return kErrorPathNotFound;
        if (!it->second.hasMedium) return kErrorNotReady;
        return 0;
    }
    if (key.rfind(L"\\\\", 0) == 0) {
        size_t rootLen = RootLength(key);
        const Entry* share = Find(key.substr(0, rootLen));
        return share && share->folder ? 0 : kErrorBadNetPath;
    }
    return kErrorPathNotFound;
}

uint32_t FakeFileSystem::ParentError(const std::wstring& key) const
{
    size_t pos = key.find_last_of(L'\\');
    if (pos == std::wstring::npos || pos < RootLength(key)) return 0;
    std::wstring parent = key.substr(0, pos);
    if (parent.size() <= RootLength(key)) return 0;
    const Entry* e = Find(parent);
    return e && e->folder ? 0 : kErrorPathNotFound;
}

void FakeFileSystem::Log(const wchar_t* method, const std::wstring& arg)
{
    log.push_back(std::wstring(method) + L" " + arg);
}

// ---- IFileSystem ----

unsigned FakeFileSystem::SetErrorMode(unsigned mode)
{
    ++calls.setErrorMode;
    Log(L"SetErrorMode", std::to_wstring(mode));
    errorModeLog.push_back(mode);
    unsigned previous = errorMode;
    errorMode = mode;
    return previous;
}

bool FakeFileSystem::QueryVolumeSize(const std::wstring& root)
{
    ++calls.queryVolumeSize;
    Log(L"QueryVolumeSize", root);
    volumeQueries.push_back(root);
    volumeQueryModes.push_back(errorMode);
    std::wstring key = FakePathKey(Resolve(root));
    if (DriveError(key) != 0) return false;
    if (IsDrivePath(key)) return true;
    return Find(key) != nullptr;
}

AttributeResult FakeFileSystem::GetAttributes(const std::wstring& path)
{
    ++calls.getAttributes;
    Log(L"GetAttributes", path);
    std::wstring key = FakePathKey(Resolve(path));
    AttributeResult r;
    if (uint32_t err = DriveError(key)) {
        r.error = err;
        return r;
    }
    if (IsDrivePath(key) && key.size() == 3) {
        r.ok = true;
        r.attributes = kAttrDirectory;
        return r;
    }
    const Entry* e = Find(key);
    if (!e) {
        r.error = ParentError(key) ? kErrorPathNotFound : kErrorFileNotFound;
        return r;
    }
    if (e->locked && e->attributesFail) {
        r.error = kErrorSharingViolation;
        return r;
    }
    r.ok = true;
    r.attributes = (e->folder ? kAttrDirectory : kAttrArchive) | (e->link ? kAttrReparsePoint : 0) |
                   (e->readOnly ? kAttrReadOnly : 0);
    return r;
}

uint32_t FakeFileSystem::TryOpenForRead(const std::wstring& path, bool backupSemantics)
{
    ++calls.tryOpenForRead;
    Log(L"TryOpenForRead", path);
    std::wstring key = FakePathKey(Resolve(path));
    if (uint32_t err = DriveError(key)) return err;
    if (IsDrivePath(key) && key.size() == 3) return backupSemantics ? 0 : kErrorAccessDenied;
    const Entry* e = Find(key);
    if (!e) return ParentError(key) ? kErrorPathNotFound : kErrorFileNotFound;
    if (e->folder && !backupSemantics) return kErrorAccessDenied;
    if (e->link && !e->reachable) return kErrorFileNotFound;
    if (e->locked) return kErrorSharingViolation;
    return 0;
}

FindResult FakeFileSystem::FindFirst(const std::wstring& path)
{
    ++calls.findFirst;
    Log(L"FindFirst", path);
    std::wstring key = FakePathKey(Resolve(path));
    FindResult r;
    // As on Windows, a name with a trailing backslash finds nothing.
    if (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) return r;
    if (DriveError(key) || key.size() <= RootLength(key)) return r;
    const Entry* e = Find(key);
    if (!e) return r;
    r.found = true;
    r.name = LastComponent(e->spelling);
    r.attributes = (e->folder ? kAttrDirectory : kAttrArchive) | (e->link ? kAttrReparsePoint : 0) |
                   (e->readOnly ? kAttrReadOnly : 0);
    return r;
}

std::wstring FakeFileSystem::FullPath(const std::wstring& path)
{
    ++calls.fullPath;
    Log(L"FullPath", path);
    return Resolve(path);
}

std::wstring FakeFileSystem::Resolve(const std::wstring& path) const
{
    std::wstring p = path;
    std::replace(p.begin(), p.end(), L'/', L'\\');
    if (p.empty()) return p;
    if (p.rfind(L"\\\\", 0) == 0) return Normalize(p);
    std::wstring cwd = currentDirectory;
    while (cwd.size() > RootLength(cwd) && cwd.back() == L'\\') cwd.pop_back();
    if (IsDrivePath(p)) {
        if (p.size() >= 3 && p[2] == L'\\') return Normalize(p);
        // "X:name" is relative to the current folder when that is on drive X.
        if (Upper(p[0]) == Upper(cwd.empty() ? 0 : cwd[0]) && IsDrivePath(cwd))
            return Normalize(cwd + L"\\" + p.substr(2));
        return Normalize(p.substr(0, 2) + L"\\" + p.substr(2));
    }
    if (p[0] == L'\\') return Normalize(cwd.substr(0, std::min<size_t>(2, cwd.size())) + p);
    return Normalize(cwd + L"\\" + p);
}

std::vector<uint8_t> FakeFileSystem::ReadAll(const std::wstring& path)
{
    ++calls.readAll;
    Log(L"ReadAll", path);
    std::wstring key = FakePathKey(Resolve(path));
    if (uint32_t err = DriveError(key)) throw FileError{path, err};
    const Entry* e = Find(key);
    if (!e) throw FileError{path, ParentError(key) ? kErrorPathNotFound : kErrorFileNotFound};
    if (e->folder) throw FileError{path, kErrorAccessDenied};
    if (e->link && !e->reachable) throw FileError{path, kErrorFileNotFound};
    if (e->locked) throw FileError{path, kErrorSharingViolation};
    return e->bytes;
}

void FakeFileSystem::WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    ++calls.writeAll;
    Log(L"WriteAll", path);
    std::wstring full = Resolve(path);
    std::wstring key = FakePathKey(full);
    if (uint32_t err = DriveError(key)) throw FileError{path, err};
    if (key.size() <= RootLength(key)) throw FileError{path, kErrorAccessDenied};
    if (uint32_t err = ParentError(key)) throw FileError{path, err};
    if (diskFull_) throw FileError{path, kErrorDiskFull};
    Entry* e = Find(key);
    if (e) {
        if (e->folder) throw FileError{path, kErrorAccessDenied};
        if (e->locked) throw FileError{path, kErrorSharingViolation};
        if (e->readOnly) throw FileError{path, kErrorAccessDenied};
        e->bytes = bytes;
        return;
    }
    Entry& created = entries_[key];
    created.spelling = full;
    created.bytes = bytes;
}

bool FakeFileSystem::CanOpenExclusive(const std::wstring& path)
{
    ++calls.canOpenExclusive;
    Log(L"CanOpenExclusive", path);
    std::wstring key = FakePathKey(Resolve(path));
    if (uint32_t err = DriveError(key)) return err == kErrorPathNotFound;
    const Entry* e = Find(key);
    if (!e) return true;
    if (e->folder || e->locked) return false;
    if (e->link && !e->reachable) return true;
    return true;
}

bool FakeFileSystem::DeleteFile(const std::wstring& path)
{
    ++calls.deleteFile;
    Log(L"DeleteFile", path);
    std::wstring key = FakePathKey(Resolve(path));
    if (DriveError(key)) return false;
    Entry* e = Find(key);
    if (!e || e->folder || e->locked || e->readOnly) return false;
    entries_.erase(key);
    return true;
}

bool FakeFileSystem::CreateFolder(const std::wstring& path)
{
    ++calls.createFolder;
    Log(L"CreateFolder", path);
    std::wstring full = Resolve(path);
    while (full.size() > RootLength(full) && full.back() == L'\\') full.pop_back();
    std::wstring key = FakePathKey(full);
    if (DriveError(key) || key.size() <= RootLength(key)) return false;
    if (Find(key) || ParentError(key)) return false;
    Entry& e = entries_[key];
    e.spelling = full;
    e.folder = true;
    return true;
}

void FakeFileSystem::SetCurrentDirectory(const std::wstring& path)
{
    ++calls.setCurrentDirectory;
    Log(L"SetCurrentDirectory", path);
    currentDirectory = path;
}

std::wstring FakeFileSystem::ExecutablePath()
{
    ++calls.executablePath;
    Log(L"ExecutablePath", L"");
    return executablePath;
}

}  // namespace nesk::fakes
