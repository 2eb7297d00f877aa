// The link drop target of a control: reads a URL and a title from what is dragged in (a
// browser's link, an Internet Shortcut file), shows copy or link, scrolls the control while the
// pointer rests near its edges, and reports the drop. A drag of ordinary files is taken too and
// handed on as file names, since a window registered for OLE drops no longer gets WM_DROPFILES.
#pragma once

#include "platform/win32/WinApi.h"

#include <ole2.h>
#include <shobjidl.h>

#include <functional>
#include <string>
#include <vector>

#include "ole/DropEffects.h"
#include "ole/URLDataFormat.h"

namespace nesk {

class TDropURLTarget : public IDropTarget {
public:
    // `point` is in the control's client coordinates; the handler may change `effect`.
    using TDropEvent = std::function<void(TDropURLTarget& sender, TShiftState shift, POINT point, DWORD& effect)>;
    using TDropFilesEvent = std::function<void(TDropURLTarget& sender, const std::vector<std::wstring>& names)>;

    // Registers `target` for OLE drops; OLE must be initialised on this thread.
    explicit TDropURLTarget(HWND target);
    ~TDropURLTarget();
    TDropURLTarget(const TDropURLTarget&) = delete;
    TDropURLTarget& operator=(const TDropURLTarget&) = delete;

    bool Registered() const { return registered_; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled) { FEnabled = enabled; }
    TDragTypes DragTypes() const { return FDragTypes; }
    // The link of the drag in progress; empty outside a drag and after the drop handler returned.
    const std::string& URL() const { return FURLFormat.URL; }
    const std::wstring& Title() const { return FURLFormat.Title; }
    void SetOnDrop(TDropEvent handler) { FOnDrop = std::move(handler); }
    void SetOnDropFiles(TDropFilesEvent handler) { FOnDropFiles = std::move(handler); }

    // IUnknown: the owner's lifetime governs the object, not its reference count.
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    // IDropTarget
    STDMETHODIMP DragEnter(IDataObject* dataObject, DWORD keyState, POINTL pt, DWORD* effect) override;
    STDMETHODIMP DragOver(DWORD keyState, POINTL pt, DWORD* effect) override;
    STDMETHODIMP DragLeave() override;
    STDMETHODIMP Drop(IDataObject* dataObject, DWORD keyState, POINTL pt, DWORD* effect) override;

private:
    enum class Held { Nothing, Link, Files };

    bool HasValidFormats(IDataObject* dataObject);
    bool RequestData(IDataObject* dataObject);
    DWORD GetValidDropEffect(TShiftState shift, POINT point, DWORD sourceEffects);
    bool ReportPerformedEffect(DWORD effect);
    void ClearData();
    void Forget();
    POINT ClientPoint(POINTL pt) const;
    void ResetScrollZone();
    bool HasScrollBars() const { return vertical_ || horizontal_; }
    void StartScrollTimer();
    void StopScrollTimer();
    void ScrollTimerTick();
    void ImageEnter(IDataObject* dataObject, POINTL pt, DWORD effect);
    void ReleaseImageHelper();
    static LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND FTarget = nullptr;
    IDataObject* FDataObject = nullptr;  // held (AddRef) between DragEnter and the end of the drag
    Held held_ = Held::Nothing;
    TDragTypes FDragTypes{dtCopy, dtLink};
    bool FEnabled = true;
    bool FShowImage = true;
    bool FAutoScroll = true;
    TURLDataFormat FURLFormat;
    std::vector<std::wstring> droppedFiles_;
    std::vector<TClipboardFormatKind> compatible_;
    TDropEvent FOnDrop;
    TDropFilesEvent FOnDropFiles;
    POINT FLastPoint{};
    ScrollRect FNoScrollZone;
    bool vertical_ = false, horizontal_ = false;
    TMouseSpeed FMouseSample;
    HWND timerWindow_ = nullptr;  // carries the scroll timer to this object
    bool timerRunning_ = false;
    IDropTargetHelper* FDropTargetHelper = nullptr;
    bool registered_ = false;
};

// How much of a dropped ".url" file is read: shortcut files are a few hundred bytes.
constexpr DWORD kMaxShortcutFileBytes = 64 * 1024;
// Reads a dropped ".url" file, sharing it with readers only; nothing when it cannot be opened.
std::optional<FormatBytes> ReadDroppedShortcutFile(const std::wstring& path);

}  // namespace nesk
