// Closes Nesk windows as a user would, so that they save their list and settings:
//   nesk_close [--pid ID] [--timeout MS]
// Posts WM_CLOSE to every top-level "TMainForm" window (or those of one process) and waits
// until the windows and their processes are gone. Exit status: 0 all closed, 1 no window
// found, 2 something still open after the time-out, 3 bad usage.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

struct Search {
    DWORD processId;  // 0: any process
    std::vector<HWND> windows;
};

BOOL CALLBACK Collect(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    if (std::wcscmp(name, L"TMainForm") != 0) return TRUE;
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (search->processId == 0 || search->processId == processId) search->windows.push_back(window);
    return TRUE;
}

bool ParseNumber(const wchar_t* text, unsigned long& value)
{
    wchar_t* end = nullptr;
    value = std::wcstoul(text, &end, 10);
    return *text && end && *end == L'\0';
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    Search search{0, {}};
    unsigned long timeoutMs = 10000;
    for (int i = 1; i < argc; ++i) {
        unsigned long value = 0;
        if (std::wcscmp(argv[i], L"--pid") == 0 && i + 1 < argc && ParseNumber(argv[i + 1], value)) {
            search.processId = value;
            ++i;
        } else if (std::wcscmp(argv[i], L"--timeout") == 0 && i + 1 < argc && ParseNumber(argv[i + 1], value)) {
            timeoutMs = value;
            ++i;
        } else {
            std::fwprintf(stderr, L"usage: nesk_close [--pid ID] [--timeout MS]\n");
            return 3;
        }
    }

    EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
    if (search.windows.empty()) {
        std::fwprintf(stderr, L"nesk_close: no TMainForm window\n");
        return 1;
    }
    // Each Nesk window is a process of its own that writes its files while closing; wait
    // for the processes too, so that a caller reads finished files.
    std::vector<HANDLE> processes;
    for (HWND window : search.windows) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        if (HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId)) processes.push_back(process);
    }
    // Posted, not sent: a window busy in a modal loop would otherwise hold this tool too.
    for (HWND window : search.windows) PostMessageW(window, WM_CLOSE, 0, 0);

    DWORD start = GetTickCount();
    for (;;) {
        size_t open = 0;
        for (HWND window : search.windows) open += IsWindow(window) ? 1 : 0;
        for (HANDLE process : processes) open += WaitForSingleObject(process, 0) == WAIT_TIMEOUT ? 1 : 0;
        if (open == 0) return 0;
        if (GetTickCount() - start >= timeoutMs) {
            std::fwprintf(stderr, L"nesk_close: windows or processes still open after %lu ms\n", timeoutMs);
            return 2;
        }
        Sleep(20);
    }
}
