// Owning handle types and scoped pairs of the Win32 layer: every handle the program closes,
// destroys or frees is held by one of these, and a raw handle is always borrowed.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <memory>
#include <type_traits>

namespace nesk {

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
struct FindCloser {
    void operator()(HANDLE handle) const { FindClose(handle); }
};
struct MenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
};
struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
struct ImageListDestroyer {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
struct WindowDestroyer {
    void operator()(HWND window) const
    {
        // A child goes with its parent; a window destroyed that way must not be named again.
        if (IsWindow(window))
            DestroyWindow(window);
    }
};
struct RegKeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
struct LocalFreer {
    void operator()(void* block) const { LocalFree(block); }
};
struct GlobalFreer {
    void operator()(HGLOBAL block) const { GlobalFree(block); }
};
struct DropFinisher {
    void operator()(HDROP drop) const { DragFinish(drop); }
};

template <class Handle, class Deleter>
using UniqueOf = std::unique_ptr<std::remove_pointer_t<Handle>, Deleter>;

using UniqueHandle = UniqueOf<HANDLE, HandleCloser>;
using UniqueFindHandle = UniqueOf<HANDLE, FindCloser>;
using UniqueHmenu = UniqueOf<HMENU, MenuDestroyer>;
using UniqueHicon = UniqueOf<HICON, IconDestroyer>;
using UniqueGdiObject = UniqueOf<HGDIOBJ, GdiObjectDeleter>;
using UniqueFont = UniqueOf<HFONT, GdiObjectDeleter>;
using UniqueBrush = UniqueOf<HBRUSH, GdiObjectDeleter>;
using UniqueBitmap = UniqueOf<HBITMAP, GdiObjectDeleter>;
using UniquePen = UniqueOf<HPEN, GdiObjectDeleter>;
using UniqueImageList = UniqueOf<HIMAGELIST, ImageListDestroyer>;
using UniqueWindow = UniqueOf<HWND, WindowDestroyer>;
using UniqueRegKey = UniqueOf<HKEY, RegKeyCloser>;
using UniqueHglobal = UniqueOf<HGLOBAL, GlobalFreer>;
// A drop handle whose receiver releases it (DragFinish).
using UniqueHdrop = UniqueOf<HDROP, DropFinisher>;
// A LocalAlloc block handed out by the system as a typed pointer (CommandLineToArgvW, FormatMessageW).
template <class T>
using UniqueLocal = std::unique_ptr<T, LocalFreer>;

// CreateFileW and FindFirstFileW report failure as INVALID_HANDLE_VALUE, which a unique
// handle would otherwise close; these take it as empty.
inline UniqueHandle OwnFileHandle(HANDLE handle)
{
    return UniqueHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}
inline UniqueFindHandle OwnFindHandle(HANDLE handle)
{
    return UniqueFindHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// A global memory block locked for the life of the scope; Get() is null when the lock failed.
template <class T = void>
class GlobalLocked {
public:
    explicit GlobalLocked(HGLOBAL block) : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    ~GlobalLocked()
    {
        if (data_)
            GlobalUnlock(block_);
    }
    GlobalLocked(const GlobalLocked&) = delete;
    GlobalLocked& operator=(const GlobalLocked&) = delete;

    T* Get() const { return static_cast<T*>(data_); }
    explicit operator bool() const { return data_ != nullptr; }
    // The block's size as the memory manager reports it, which may exceed what was asked for.
    SIZE_T Size() const { return data_ ? GlobalSize(block_) : 0; }

private:
    HGLOBAL block_;
    void* data_;
};

// A DC taken from a window and given back with ReleaseDC; `Take` says which part it covers.
template <class Take>
class ReleasedDC {
public:
    explicit ReleasedDC(HWND window) : window_(window), dc_(Take::From(window)) {}
    ~ReleasedDC()
    {
        if (dc_)
            ReleaseDC(window_, dc_);
    }
    ReleasedDC(const ReleasedDC&) = delete;
    ReleasedDC& operator=(const ReleasedDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

struct TakeClientArea {
    static HDC From(HWND window) { return GetDC(window); }
};
struct TakeWholeWindow {
    static HDC From(HWND window) { return GetWindowDC(window); }
};

// GetDC: the client area of a window, or the whole screen for no window.
using ClientDC = ReleasedDC<TakeClientArea>;
// GetWindowDC: the whole window, its frame included.
using WindowDC = ReleasedDC<TakeWholeWindow>;

class ScreenDC : public ClientDC {
public:
    ScreenDC() : ClientDC(nullptr) {}
};

// CreateCompatibleDC/DeleteDC.
class MemoryDC {
public:
    explicit MemoryDC(HDC compatibleWith) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC()
    {
        if (dc_)
            DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// BeginPaint/EndPaint of a WM_PAINT.
class PaintDC {
public:
    explicit PaintDC(HWND window) : window_(window), dc_(BeginPaint(window, &paint_)) {}
    ~PaintDC() { EndPaint(window_, &paint_); }
    PaintDC(const PaintDC&) = delete;
    PaintDC& operator=(const PaintDC&) = delete;
    HDC Get() const { return dc_; }
    const PAINTSTRUCT& Paint() const { return paint_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// OpenClipboard/CloseClipboard; Opened() is false when another program holds the clipboard.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND owner) : opened_(OpenClipboard(owner) != FALSE) {}
    ~OpenedClipboard()
    {
        if (opened_)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool Opened() const { return opened_; }

private:
    bool opened_;
};

// Selects an object into a DC for the life of the scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject()
    {
        if (old_ && old_ != HGDI_ERROR)
            SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace nesk
