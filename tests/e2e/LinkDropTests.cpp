// A web link dragged with OLE from another program onto a running Nesk.exe, as a browser drags
// one: the data folder gains an Internet Shortcut file, the list an item at the drop row.
#include <gtest/gtest.h>

#include <ole2.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "e2e/Driver.h"

namespace nesk::e2e {
namespace {

using Lines = std::vector<std::wstring>;

HGLOBAL GlobalCopy(const std::string& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (block) {
        memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
    }
    return block;
}

std::string WideBytes(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

// What a browser offers for a link: a descriptor naming an Internet Shortcut, its contents,
// the address, and the address as text. Records the effect the target reports back.
class BrowserLink : public IDataObject {
public:
    BrowserLink(const std::string& url, const std::wstring& descriptorName)
    {
        std::string descriptor(4 + 592, '\0');
        descriptor[0] = 1;                                            // one item
        descriptor[4] = 0x40, descriptor[5] = static_cast<char>(0x80);  // FD_LINKUI | FD_FILESIZE
        std::string name = WideBytes(descriptorName);
        descriptor.replace(4 + 72, name.size(), name);
        std::string contents = "[InternetShortcut]\r\nURL=" + url + "\r\n";
        formats_ = {
            {static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"FileGroupDescriptorW")), -1, descriptor},
            {static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"FileContents")), 0, contents},
            {static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"UniformResourceLocator")), -1, url + '\0'},
            {CF_TEXT, -1, url + '\0'},
        };
    }

    // What the target reported. Under this Wine the report does not come through the
    // cross-process proxy (measured: it stays 0), so only the in-process tests check it.
    DWORD performed = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDataObject) {
            *out = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* request, STGMEDIUM* medium) override
    {
        const Format* format = Find(request);
        if (!format)
            return DV_E_FORMATETC;
        *medium = STGMEDIUM{};
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = GlobalCopy(format->bytes);
        return medium->hGlobal ? S_OK : E_OUTOFMEMORY;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* request) override { return Find(request) ? S_OK : DV_E_FORMATETC; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC* format, STGMEDIUM* medium, BOOL release) override
    {
        if (format->cfFormat != RegisterClipboardFormatW(L"Performed DropEffect"))
            return E_NOTIMPL;
        if (medium->tymed == TYMED_HGLOBAL && GlobalSize(medium->hGlobal) >= 4) {
            performed = *static_cast<DWORD*>(GlobalLock(medium->hGlobal));
            GlobalUnlock(medium->hGlobal);
        } else if (medium->tymed == TYMED_ISTREAM) {
            LARGE_INTEGER start{};
            medium->pstm->Seek(start, STREAM_SEEK_SET, nullptr);
            medium->pstm->Read(&performed, 4, nullptr);
        }
        if (release)
            ReleaseStgMedium(medium);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> list;
        for (const auto& format : formats_)
            list.push_back({format.id, nullptr, DVASPECT_CONTENT, format.lindex, TYMED_HGLOBAL});
        return SHCreateStdEnumFmtEtc(static_cast<UINT>(list.size()), list.data(), out);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    struct Format {
        CLIPFORMAT id;
        LONG lindex;
        std::string bytes;
    };
    const Format* Find(const FORMATETC* request) const
    {
        for (const auto& format : formats_)
            if (request->cfFormat == format.id && (request->tymed & TYMED_HGLOBAL) &&
                request->dwAspect == DVASPECT_CONTENT)
                return &format;
        return nullptr;
    }
    std::vector<Format> formats_;
};

// The drag loop never sees a button of its own here, so the source decides: it lets the
// target see the pointer for a while, then drops.
class DropAfterAWhile : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
    {
        if (iid == IID_IUnknown || iid == IID_IDropSource) {
            *out = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        Sleep(20);
        return ++calls_ < 10 ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    int calls_ = 0;
};

// A window of this process standing in for the browser the link is dragged from.
class BrowserWindow {
public:
    explicit BrowserWindow(const std::wstring& title)
    {
        WNDCLASSW cls{};
        cls.lpfnWndProc = DefWindowProcW;
        cls.hInstance = GetModuleHandleW(nullptr);
        cls.lpszClassName = L"NeskTestBrowser";
        RegisterClassW(&cls);
        window_ = CreateWindowExW(0, cls.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600, 400,
                                  300, 200, nullptr, nullptr, cls.hInstance, nullptr);
    }
    ~BrowserWindow() { DestroyWindow(window_); }
    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};

class LinkDropOnNesk : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetDataFolder();
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    }
    void TearDown() override
    {
        OleUninitialize();
        ResetDataFolder();
    }
    std::wstring DefaultList() const { return DataFolder() + L"Nesk.lst"; }
};

TEST_F(LinkDropOnNesk, BrowserLinkBecomesAShortcutFileAtTheDropRow)
{
    const std::string url = "http://example.com/page";
    const std::wstring shortcut = DataFolder() + L"Example Page.url";
    struct Case {
        const char* name;
        Lines before;
        int row;
        size_t inserted;
    } cases[] = {
        {"on the second row", {L"C:\\x", L"C:\\y"}, 1, 1},
        {"below the last row", {L"C:\\x"}, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WriteLines(DefaultList(), c.before);
        NeskProcess nesk;
        HWND main = nesk.MainWindow();
        POINT point = ListRowPoint(main, c.row);

        BrowserWindow browser(L"Example Page - Browser");
        SetForegroundWindow(browser.Handle());
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == browser.Handle(); }));
        ASSERT_TRUE(SetCursorPos(point.x, point.y));
        // The name in the descriptor loses to the title of the window the link came from.
        BrowserLink link(url, L"Descriptor Name.url");
        DropAfterAWhile source;
        DWORD effect = DROPEFFECT_NONE;
        HRESULT hr = DoDragDrop(&link, &source, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
        EXPECT_EQ(hr, DRAGDROP_S_DROP);
        EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));

        Lines expected = c.before;
        expected.insert(expected.begin() + static_cast<std::ptrdiff_t>(c.inserted), shortcut);
        Lines items;
        ASSERT_TRUE(WaitFor([&] { return (items = ListItems(main)).size() == expected.size(); }));
        EXPECT_EQ(items, expected);
        EXPECT_EQ(ReadLines(DefaultList()), expected);
        std::string bytes = "\xFF\xFE" + WideBytes(L"[InternetShortcut]\r\nURL=http://example.com/page\r\n");
        EXPECT_EQ(ReadBytes(shortcut), bytes);
        EXPECT_FALSE(FileExists(DataFolder() + L"Descriptor Name.url"));
        ASSERT_TRUE(nesk.Close());
    }
}

}  // namespace
}  // namespace nesk::e2e
