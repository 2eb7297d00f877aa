#include "exchange/win32/MessageFilter.h"

#include <initializer_list>

namespace nesk {
namespace {

constexpr UINT kCopyGlobalData = 0x0049;  // WM_COPYGLOBALDATA, which the shell's drops use
constexpr DWORD kMessageFilterAllow = 1;  // MSGFLT_ALLOW

using ChangeWindowMessageFilterExFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);

}  // namespace

bool LetDropMessagesThrough(HWND window)
{
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    auto change = user32 ? reinterpret_cast<ChangeWindowMessageFilterExFn>(
                               reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")))
                         : nullptr;
    if (!change)
        return false;
    bool all = true;
    for (UINT message : {static_cast<UINT>(WM_DROPFILES), static_cast<UINT>(WM_COPYDATA), kCopyGlobalData})
        all = change(window, message, kMessageFilterAllow, nullptr) && all;
    return all;
}

}  // namespace nesk
