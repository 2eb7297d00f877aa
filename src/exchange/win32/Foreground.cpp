#include "exchange/win32/Foreground.h"

#include "exchange/DropRules.h"

namespace nesk {

std::wstring GetWindowTitle(HWND window)
{
    if (!window || !IsWindowVisible(window))
        return {};
    if (GetWindowTextLengthW(window) <= 0)
        return {};
    wchar_t buffer[260] = {};
    GetWindowTextW(window, buffer, 260);
    return CleanWindowTitle(buffer);
}

bool ForceForegroundWindow(HWND window)
{
    if (GetForegroundWindow() == window)
        return true;
    // Every Windows this program runs on has the foreground lock, so the plain calls alone
    // would only flash the taskbar button. Joining the input of the foreground window's
    // thread lets the call through; where that is refused, the lock time-out is lifted for
    // the moment of the call.
    DWORD foregroundThread = GetWindowThreadProcessId(GetForegroundWindow(), nullptr);
    DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    bool done = false;
    if (AttachThreadInput(windowThread, foregroundThread, TRUE)) {
        BringWindowToTop(window);
        SetForegroundWindow(window);
        AttachThreadInput(windowThread, foregroundThread, FALSE);
        done = GetForegroundWindow() == window;
    }
    if (!done) {
        DWORD timeout = 0;
        SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
        SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
        BringWindowToTop(window);
        SetForegroundWindow(window);
        SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)),
                              SPIF_SENDCHANGE);
    }
    return GetForegroundWindow() == window;
}

}  // namespace nesk
