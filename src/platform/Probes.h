// Existence probes that never raise the critical-error dialog, and the stored spelling of paths.
#pragma once

#include <cstdint>
#include <string>

namespace nesk {

bool ProbeDrive(const std::wstring& path);
bool ProbeFolder(const std::wstring& path);
bool ProbeFile(const std::wstring& path);
// ProbeFolder(path) || ProbeFile(path) for a path whose drive is known to answer, with one
// attribute read for both. `attributeError` gets that read's error code (0 when it succeeded).
// May throw where the file system does; the probes above never do.
bool ExistsOnAnsweringDrive(const std::wstring& path, uint32_t* attributeError);
// Call only between DisableRedirection and RevertRedirection.
std::wstring ExactCasePath(const std::wstring& path);

}  // namespace nesk
