// A tiny window shaped like Nesk's main window from the outside, for testing the
// end-to-end driver itself: class "TMainForm", title "Nesk", list control 100.
//   (no argument)    items from Nesk.lst of the data folder; saved back there on close
//   /msgbox TEXT     an error box "Nesk" with TEXT before the window appears
//   /links           the list is an OLE drop target for browser links instead
// Dropped files are appended to the list in the order received; the title then becomes
// "Nesk - drop X,Y" with the drop point as DragQueryPoint reports it (client coordinates).
// A dropped link appends the lines of its "text/x-moz-url" text (URL, title).
#include "e2e/Driver.h"

#include <ole2.h>
#include <shellapi.h>

#include <cwchar>
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

// Accepts only what carries a browser link; never freed, like the window it serves.
class LinkTarget : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (iid != IID_IUnknown && iid != IID_IDropTarget) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        FORMATETC format = Format();
        accept_ = data->QueryGetData(&format) == S_OK;
        *effect = accept_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        *effect = accept_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        FORMATETC format = Format();
        STGMEDIUM medium = {};
        *effect = DROPEFFECT_NONE;
        if (!accept_ || data->GetData(&format, &medium) != S_OK) return S_OK;
        const auto* text = static_cast<const wchar_t*>(GlobalLock(medium.hGlobal));
        std::wstring link(text, GlobalSize(medium.hGlobal) / sizeof(wchar_t));
        GlobalUnlock(medium.hGlobal);
        ReleaseStgMedium(&medium);
        link.resize(wcsnlen(link.c_str(), link.size()));
        for (size_t start = 0; start <= link.size();) {
            size_t end = link.find(L'\n', start);
            if (end == std::wstring::npos) end = link.size();
            std::wstring line = link.substr(start, end - start);
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
            start = end + 1;
        }
        *effect = DROPEFFECT_COPY;
        return S_OK;
    }

private:
    static FORMATETC Format()
    {
        static const CLIPFORMAT link = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"text/x-moz-url"));
        return {link, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    }
    bool accept_ = false;
};

LinkTarget linkTarget;

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
    if (argc >= 2 && std::wstring(argv[1]) == L"/links") {
        OleInitialize(nullptr);
        RegisterDragDrop(list, &linkTarget);
    }
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
