#include "chrome/win32/DarkMode.h"

#include <uxtheme.h>

namespace nesk {
namespace {

DWORD WindowsBuild()
{
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    auto getVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!getVersion || getVersion(&version) != 0 || version.dwMajorVersion < 10)
        return 0;
    return version.dwBuildNumber;
}

}  // namespace

void AllowDarkMenus()
{
    // Windows has no documented switch for dark menus: the theme library's entry 135
    // (SetPreferredAppMode since build 18362) is what the system's own programs use.
    if (WindowsBuild() < 18362)
        return;
    HMODULE uxtheme = LoadLibraryExW(L"uxtheme.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!uxtheme)
        return;
    using SetPreferredAppModeFn = int(WINAPI*)(int);
    auto setMode = reinterpret_cast<SetPreferredAppModeFn>(
        reinterpret_cast<void*>(GetProcAddress(uxtheme, MAKEINTRESOURCEA(135))));
    constexpr int kForceDark = 2;
    if (setMode)
        setMode(kForceDark);
}

void UseDarkScrollBars(HWND control)
{
    SetWindowTheme(control, L"DarkMode_Explorer", nullptr);
}

}  // namespace nesk
