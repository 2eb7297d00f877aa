// The real redirection switch. Keep only the functions of platform/Redirection.h in this
// file: the portable test program replaces exactly these with its fake.
#include "platform/win32/WinApi.h"

#include "platform/Redirection.h"

#include <string>

namespace nesk {

namespace {

using DisableFn = BOOL(WINAPI*)(PVOID*);
using RevertFn = BOOL(WINAPI*)(PVOID);
using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);

bool gIsWow64 = false;
DisableFn gDisable = nullptr;
RevertFn gRevert = nullptr;
PVOID gRedirectionValue = nullptr;  // one slot: brackets must not nest

template <typename Fn>
Fn Lookup(HMODULE module, const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

void DetectWow64()
{
    auto isWow64Process = Lookup<IsWow64ProcessFn>(::GetModuleHandleW(L"Kernel32.dll"),
                                                   "IsWow64Process");
    if (isWow64Process) {
        BOOL value = FALSE;
        isWow64Process(::GetCurrentProcess(), &value);
        gIsWow64 = value != FALSE;
        return;
    }
    // Systems too old to know the call: the 64-bit editions began with version 5.2.
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExW(&version);
    gIsWow64 = version.dwMajorVersion > 5 ||
               (version.dwMajorVersion == 5 && version.dwMinorVersion >= 2);
}

}  // namespace

void InitRedirection()
{
    DetectWow64();
    if (!gIsWow64) return;
    wchar_t system[MAX_PATH] = {};
    ::GetSystemDirectoryW(system, MAX_PATH);
    std::wstring kernel = std::wstring(system) + L"\\Kernel32.dll";
    HMODULE module = ::LoadLibraryW(kernel.c_str());
    if (!module) return;
    gDisable = Lookup<DisableFn>(module, "Wow64DisableWow64FsRedirection");
    gRevert = Lookup<RevertFn>(module, "Wow64RevertWow64FsRedirection");
    // Kernel32 was loaded before; this only drops the extra reference.
    ::FreeLibrary(module);
}

void DisableRedirection()
{
    if (gIsWow64 && gDisable) gDisable(&gRedirectionValue);
}

void RevertRedirection()
{
    if (gIsWow64 && gRevert) gRevert(gRedirectionValue);
}

bool IsWow64() { return gIsWow64; }

}  // namespace nesk
