// An in-memory file system with drive letters, media, stored letter case, links, locks and a
// full disk, standing in for the real one in portable tests.
//
// How it behaves (close to what Windows answers, simplified where tests do not care):
// - Paths are Windows paths: "C:\dir\file", UNC "\\server\share\file". Lookup ignores letter
//   case (ASCII and towupper); every entry keeps the spelling it was created with, which
//   FindFirst reports. A trailing backslash is ignored ("C:\dir\" is "C:\dir"), except by
//   FindFirst, which then finds nothing, as on Windows. No wildcards; roots are never found.
// - Drives: C: exists with a medium from the start. AddDrive adds a letter with or without a
//   medium. A letter never added answers like an unmapped letter (ERROR_PATH_NOT_FOUND); a
//   drive without a medium answers ERROR_NOT_READY to everything, also QueryVolumeSize.
//   UNC shares are plain folders: AddFolder(L"\\\\server\\share").
// - AddFile/AddFolder/AddLink create missing parent folders (and add an unknown drive letter
//   with a medium), so a test states only what it cares about.
// - Links (reparse points): AddLink(path, toFolder, reachable). Attributes carry
//   kAttrReparsePoint (and kAttrDirectory for a folder link); TryOpenForRead fails with
//   ERROR_FILE_NOT_FOUND when the target is unreachable. What is behind a link is not modelled.
// - Lock(path): another process holds the file open without sharing. Opens, reads, writes,
//   deletes and CanOpenExclusive fail with ERROR_SHARING_VIOLATION; GetAttributes still
//   answers unless `attributesFail` is set (then it fails with ERROR_SHARING_VIOLATION, as for
//   pagefile.sys, and only FindFirst sees the file). Unlock undoes it.
// - SetReadOnly(path): writes and deletes fail with ERROR_ACCESS_DENIED; reading works.
// - SetDiskFull(true): every WriteAll throws FileError (ERROR_DISK_FULL) and changes nothing,
//   as the real atomic write leaves the old file whole.
// - WriteAll replaces the content in one step; a file that already exists keeps its stored
//   spelling. It needs the parent folder to exist (ERROR_PATH_NOT_FOUND otherwise).
// - Error mode: SetErrorMode returns the previous mode; `errorMode` is the mode now in force,
//   `errorModeLog` every argument passed, `volumeQueryModes` the mode in force at each
//   QueryVolumeSize, `volumeQueries` each root asked.
// - Counting: every interface call bumps `calls.<method>` and appends "<Method> <arg>" to
//   `log`; `calls.Total()` == 0 proves that no system call was made. Test helpers (Add*,
//   Content, Exists, ...) are not counted.
// - FullPath resolves against `currentDirectory` (SetCurrentDirectory changes it, and does
//   not check that the folder exists), removes "." and "..", turns "/" into "\".
// - ExecutablePath answers `executablePath` (default C:\Program Files\Nesk\Nesk.exe).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace nesk::fakes {

constexpr uint32_t kErrorNotReady = 21;
constexpr uint32_t kErrorDiskFull = 112;
constexpr uint32_t kErrorAlreadyExists = 183;

class FakeFileSystem : public IFileSystem {
public:
    struct CallCounts {
        int setErrorMode = 0, queryVolumeSize = 0, getAttributes = 0, tryOpenForRead = 0,
            findFirst = 0, fullPath = 0, readAll = 0, writeAll = 0, canOpenExclusive = 0,
            deleteFile = 0, createFolder = 0, setCurrentDirectory = 0, executablePath = 0;
        int Total() const;
    };

    FakeFileSystem();

    // ---- set-up and inspection by tests (not counted) ----
    void AddDrive(wchar_t letter, bool hasMedium = true);
    void SetMedium(wchar_t letter, bool hasMedium);
    void AddFolder(const std::wstring& path);
    void AddFile(const std::wstring& path, const std::vector<uint8_t>& bytes = {});
    void AddFile(const std::wstring& path, const std::string& bytes);
    void AddLink(const std::wstring& path, bool toFolder, bool targetReachable);
    void Lock(const std::wstring& path, bool attributesFail = false);
    void Unlock(const std::wstring& path);
    void SetReadOnly(const std::wstring& path, bool readOnly = true);
    void SetDiskFull(bool full) { diskFull_ = full; }
    void Remove(const std::wstring& path);  // the entry and everything below it

    bool Exists(const std::wstring& path) const;
    bool IsFolder(const std::wstring& path) const;
    std::vector<uint8_t> Content(const std::wstring& path) const;  // throws std::logic_error
    std::string ContentString(const std::wstring& path) const;
    std::wstring StoredName(const std::wstring& path) const;  // full stored spelling
    std::vector<std::wstring> Files() const;                   // stored spellings, sorted by key
    void ResetCounts();

    // ---- IFileSystem ----
    unsigned SetErrorMode(unsigned mode) override;
    bool QueryVolumeSize(const std::wstring& root) override;
    AttributeResult GetAttributes(const std::wstring& path) override;
    uint32_t TryOpenForRead(const std::wstring& path, bool backupSemantics) override;
    FindResult FindFirst(const std::wstring& path) override;
    std::wstring FullPath(const std::wstring& path) override;
    std::vector<uint8_t> ReadAll(const std::wstring& path) override;
    void WriteAll(const std::wstring& path, const std::vector<uint8_t>& bytes) override;
    bool CanOpenExclusive(const std::wstring& path) override;
    bool DeleteFile(const std::wstring& path) override;
    bool CreateFolder(const std::wstring& path) override;
    void SetCurrentDirectory(const std::wstring& path) override;
    std::wstring ExecutablePath() override;

    // ---- observable state ----
    unsigned errorMode = 0;
    std::vector<unsigned> errorModeLog;
    std::vector<unsigned> volumeQueryModes;
    std::vector<std::wstring> volumeQueries;
    std::wstring currentDirectory = L"C:\\";
    std::wstring executablePath = L"C:\\Program Files\\Nesk\\Nesk.exe";
    CallCounts calls;
    std::vector<std::wstring> log;

private:
    struct Entry {
        std::wstring spelling;  // full path as created
        bool folder = false;
        std::vector<uint8_t> bytes;
        bool link = false;
        bool reachable = true;
        bool locked = false;
        bool attributesFail = false;
        bool readOnly = false;
    };
    struct Drive {
        bool hasMedium = true;
    };

    // 0 when the path may be looked up, else the error the system would give for the drive.
    uint32_t DriveError(const std::wstring& key) const;
    // 0 when the parent of `key` is an existing folder (or a root), else the error.
    uint32_t ParentError(const std::wstring& key) const;
    const Entry* Find(const std::wstring& key) const;
    Entry* Find(const std::wstring& key);
    Entry& Put(const std::wstring& path, bool folder);
    void Log(const wchar_t* method, const std::wstring& arg);
    std::wstring Resolve(const std::wstring& path) const;  // FullPath without counting

    std::map<wchar_t, Drive> drives_;
    std::map<std::wstring, Entry> entries_;  // by key (upper case, no trailing backslash)
    bool diskFull_ = false;
};

// Upper-cased, "/" turned into "\", trailing backslash removed except after "X:".
std::wstring FakePathKey(const std::wstring& path);

}  // namespace nesk::fakes
