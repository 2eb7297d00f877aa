#include "platform/win32/WinApi.h"

#include "platform/win32/Win32FileSystem.h"

#include "platform/win32/Handles.h"

#include <algorithm>
#include <memory>

namespace nesk {

namespace {

UniqueHandle Open(const std::wstring& path, DWORD access, DWORD share, DWORD disposition,
                  DWORD flags)
{
    return OwnFileHandle(::CreateFileW(path.c_str(), access, share, nullptr, disposition, flags, nullptr));
}

[[noreturn]] void Fail(const std::wstring& path, DWORD error) { throw FileError{path, error}; }

void WriteAllTo(HANDLE h, const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 24));
        DWORD written = 0;
        if (!::WriteFile(h, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            Fail(path, ::GetLastError());
        done += written;
    }
    // The data must be on disk before the rename makes it the file, or a crash could leave
    // an empty file where the old one was.
    if (!::FlushFileBuffers(h)) Fail(path, ::GetLastError());
}

// A new, empty file beside `path`, so that the final move is a rename within one volume.
std::wstring CreateTemporaryBeside(const std::wstring& path)
{
    std::wstring folder = path;
    size_t slash = folder.find_last_of(L"\\/");
    folder.erase(slash == std::wstring::npos ? 0 : slash + 1);
    if (folder.empty()) folder = L".";
    wchar_t name[MAX_PATH + 1] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"nsk", 0, name)) Fail(path, ::GetLastError());
    return name;
}

}  // namespace

unsigned Win32FileSystem::SetErrorMode(unsigned mode) { return ::SetErrorMode(mode); }

bool Win32FileSystem::QueryVolumeSize(const std::wstring& root)
{
    ULARGE_INTEGER total{};
    return ::GetDiskFreeSpaceExW(root.c_str(), nullptr, &total, nullptr) != 0;
}

AttributeResult Win32FileSystem::GetAttributes(const std::wstring& path)
{
    AttributeResult r;
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        r.error = ::GetLastError();
    } else {
        r.ok = true;
        r.attributes = attributes;
    }
    return r;
}

uint32_t Win32FileSystem::TryOpenForRead(const std::wstring& path, bool backupSemantics)
{
    UniqueHandle h = Open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING,
                          backupSemantics ? FILE_FLAG_BACKUP_SEMANTICS : 0);
    return h ? 0 : ::GetLastError();
}

FindResult Win32FileSystem::FindFirst(const std::wstring& path)
{
    FindResult r;
    WIN32_FIND_DATAW data{};
    if (!OwnFindHandle(::FindFirstFileW(path.c_str(), &data))) return r;
    r.found = true;
    r.name = data.cFileName;
    r.attributes = data.dwFileAttributes;
    return r;
}

std::wstring Win32FileSystem::FullPath(const std::wstring& path)
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(),
                                     nullptr);
        if (n == 0) return path;
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(n);
    }
}

std::vector<uint8_t> Win32FileSystem::ReadAll(const std::wstring& path)
{
    // Sharing delete lets another window replace the file by rename while this one reads.
    UniqueHandle h = Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, OPEN_EXISTING,
                          FILE_FLAG_SEQUENTIAL_SCAN);
    if (!h) Fail(path, ::GetLastError());
    LARGE_INTEGER size{};
    std::vector<uint8_t> bytes;
    if (::GetFileSizeEx(h.get(), &size) && size.QuadPart > 0)
        bytes.reserve(static_cast<size_t>(size.QuadPart));
    uint8_t chunk[64 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(h.get(), chunk, sizeof chunk, &read, nullptr)) Fail(path, ::GetLastError());
        if (read == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + read);
    }
    return bytes;
}

void Win32FileSystem::WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes)
{
    // Windows refuses to replace a read-only file by rename, Wine does not; refusing here
    // keeps a read-only list read-only everywhere.
    DWORD old = ::GetFileAttributesW(path.c_str());
    if (old != INVALID_FILE_ATTRIBUTES && (old & FILE_ATTRIBUTE_READONLY))
        Fail(path, ERROR_ACCESS_DENIED);
    std::wstring temp = CreateTemporaryBeside(path);
    try {
        {
            UniqueHandle h = Open(temp, GENERIC_WRITE, 0, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL);
            if (!h) Fail(path, ::GetLastError());
            WriteAllTo(h.get(), path, bytes);
        }
        // A hidden or system file stays so after the replacement.
        if (old != INVALID_FILE_ATTRIBUTES && (old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            ::SetFileAttributesW(temp.c_str(),
                                 old & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
        if (!::MoveFileExW(temp.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            Fail(path, ::GetLastError());
    } catch (...) {
        ::DeleteFileW(temp.c_str());
        throw;
    }
}

bool Win32FileSystem::CanOpenExclusive(const std::wstring& path)
{
    UniqueHandle h = Open(path, GENERIC_READ, 0, OPEN_EXISTING, 0);
    if (h) return true;
    DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool Win32FileSystem::DeleteFile(const std::wstring& path) { return ::DeleteFileW(path.c_str()) != 0; }

bool Win32FileSystem::CreateFolder(const std::wstring& path)
{
    return ::CreateDirectoryW(path.c_str(), nullptr) != 0;
}

void Win32FileSystem::SetCurrentDirectory(const std::wstring& path)
{
    ::SetCurrentDirectoryW(path.c_str());
}

std::wstring Win32FileSystem::ExecutablePath()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return std::wstring();
        // A full buffer means the name may have been cut: try again with more room.
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace nesk
