// The file-system services on the real Windows calls.
#pragma once

#include "platform/FileSystem.h"

namespace nesk {

class Win32FileSystem : public IFileSystem {
public:
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
};

}  // namespace nesk
