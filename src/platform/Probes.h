// Existence probes that never raise the critical-error dialog, and the stored spelling of paths.
#pragma once

#include <string>

namespace nesk {

bool ProbeDrive(const std::wstring& path);
bool ProbeFolder(const std::wstring& path);
bool ProbeFile(const std::wstring& path);
// Call only between DisableRedirection and RevertRedirection.
std::wstring ExactCasePath(const std::wstring& path);

}  // namespace nesk
