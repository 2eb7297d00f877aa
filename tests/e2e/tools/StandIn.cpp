// A tiny window shaped like Nesk's main window from the outside, for testing the
// end-to-end driver itself: class "TMainForm", title "Nesk", list control 100.
//   (no argument)    items from Nesk.lst of the data folder; saved back there on close
//   /msgbox TEXT     an error box "Nesk" with TEXT before the window appears
// Dropped files are appended to the list in the order received; the title then becomes
// "Nesk - drop X,Y" with the drop point as DragQueryPoint reports it (client coordinates).
#include "e2e/Driver.h"

#include <shellapi.h>

#include <stdexcept>
#include <string>

using namespace nesk::e2e;

namespace {

HWND list;

void Save()
{
    std::vector<std::wstring> items;
    int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::wstring text(SendMessageW(list, LB_GETTEXTLEN, i, 0) + 1, L'\0');
        text.resize(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data())));
        items.push_back(text);
    }
    WriteLines(DataFolder() + L"Nesk.lst", items);
}

void OnDrop(HWND window, HDROP drop)
{
    UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring name(DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        name.resize(DragQueryFileW(drop, i, name.data(), static_cast<UINT>(name.size())));
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    POINT point = {};
    DragQueryPoint(drop, &point);
    DragFinish(drop);
    SetWindowTextW(window, (L"Nesk - drop " + std::to_wstring(point.x) + L"," + std::to_wstring(point.y)).c_str());
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        list = CreateWindowExW(0, L"LISTBOX", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_HASSTRINGS | LBS_EXTENDEDSEL | LBS_NOINTEGRALHEIGHT,
                               0, 0, 0, 0, window, reinterpret_cast<HMENU>(100), nullptr, nullptr);
        DragAcceptFiles(window, TRUE);
        return 0;
    case WM_SIZE:
        MoveWindow(list, 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_DROPFILES:
        OnDrop(window, reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        // A test that reads the file sees a failed save; the window must close anyway.
        try {
            Save();
        } catch (const std::exception&) {
        }
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc >= 3 && std::wstring(argv[1]) == L"/msgbox") MessageBoxW(nullptr, argv[2], L"Nesk", MB_OK | MB_ICONERROR);

    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = L"TMainForm";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"TMainForm", L"Nesk", WS_OVERLAPPEDWINDOW, 100, 100, 500, 400, nullptr, nullptr,
                                  instance, nullptr);
    std::wstring saved = DataFolder() + L"Nesk.lst";
    if (FileExists(saved))
        for (const auto& item : ReadLines(saved)) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    ShowWindow(window, show);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
