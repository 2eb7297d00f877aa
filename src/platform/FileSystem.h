// The file-system services the portable core needs, behind an interface so tests can fake them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// <windows.h> turns DeleteFile and SetCurrentDirectory into macros; the members below keep
// their plain names. Windows code includes "platform/win32/WinApi.h", which undoes them too.
#ifdef DeleteFile
#undef DeleteFile
#endif
#ifdef SetCurrentDirectory
#undef SetCurrentDirectory
#endif

namespace nesk {

// Win32 values the core reasons about; kept here so the core never includes <windows.h>.
constexpr uint32_t kAttrDirectory = 0x10;
constexpr uint32_t kAttrReparsePoint = 0x400;
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorSharingViolation = 32;
constexpr uint32_t kErrorInvalidName = 123;
constexpr unsigned kSemFailCriticalErrors = 1;

struct AttributeResult {
    bool ok = false;
    uint32_t attributes = 0;
    uint32_t error = 0;  // the system error code when !ok
};

struct FindResult {
    bool found = false;
    std::wstring name;  // the stored long name of the last component
    uint32_t attributes = 0;
};

// Raised when a file cannot be read or written; ends in the program-wide handler.
struct FileError {
    std::wstring path;
    uint32_t error = 0;
};

class IFileSystem {
public:
    virtual ~IFileSystem() = default;

    virtual unsigned SetErrorMode(unsigned mode) = 0;  // returns the previous mode
    virtual bool QueryVolumeSize(const std::wstring& root) = 0;  // GetDiskFreeSpaceExW succeeded
    virtual AttributeResult GetAttributes(const std::wstring& path) = 0;
    // CreateFileW(GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING); 0 on success, else the error code.
    virtual uint32_t TryOpenForRead(const std::wstring& path, bool backupSemantics) = 0;
    virtual FindResult FindFirst(const std::wstring& path) = 0;
    // Absolute form: relative parts resolved against the current directory, "." and ".." removed.
    virtual std::wstring FullPath(const std::wstring& path) = 0;

    virtual std::vector<uint8_t> ReadAll(const std::wstring& path) = 0;  // throws FileError
    // Replaces the file in one step (temporary file + move); the old file stays whole on failure.
    virtual void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) = 0;  // throws FileError
    // True when the file is missing or can be opened with exclusive sharing right now.
    virtual bool CanOpenExclusive(const std::wstring& path) = 0;
    virtual bool DeleteFile(const std::wstring& path) = 0;
    virtual bool CreateFolder(const std::wstring& path) = 0;

    virtual void SetCurrentDirectory(const std::wstring& path) = 0;
    virtual std::wstring ExecutablePath() = 0;
};

}  // namespace nesk
