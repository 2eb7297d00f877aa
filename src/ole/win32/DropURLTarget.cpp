#include "ole/win32/DropURLTarget.h"

#include <shlguid.h>

#include "exchange/DropFilesBlock.h"
#include "ole/win32/ClipboardMedia.h"

namespace nesk {
namespace {

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT kScrollInterval = 50;
constexpr wchar_t kTimerWindowClass[] = L"NeskDropURLTargetTimer";

class DataObjectReader : public IFormatReader {
public:
    explicit DataObjectReader(IDataObject* dataObject) : dataObject_(dataObject) {}
    std::optional<FormatBytes> Read(TClipboardFormatKind format) override { return ReadFormat(dataObject_, format); }

private:
    IDataObject* dataObject_;
};

void RegisterTimerWindowClass()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kTimerWindowClass;
    registered = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

std::optional<FormatBytes> ReadDroppedShortcutFile(const std::wstring& path)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    FormatBytes bytes(kMaxShortcutFileBytes);
    DWORD got = 0;
    BOOL read = ReadFile(file, bytes.data(), kMaxShortcutFileBytes, &got, nullptr);
    CloseHandle(file);
    if (!read)
        return std::nullopt;
    bytes.resize(got);
    return bytes;
}

TDropURLTarget::TDropURLTarget(HWND target) : FTarget(target)
{
    compatible_ = CompatibleFormats(TDataFormatKind::URL, TDragDropTier::ddtTarget);
    RegisterTimerWindowClass();
    timerWindow_ = CreateWindowExW(0, kTimerWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    if (timerWindow_) {
        SetWindowLongPtrW(timerWindow_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        SetWindowLongPtrW(timerWindow_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TimerWindowProc));
    }
    registered_ = SUCCEEDED(RegisterDragDrop(target, this));
}

TDropURLTarget::~TDropURLTarget()
{
    if (registered_ && IsWindow(FTarget))
        RevokeDragDrop(FTarget);
    Forget();
    ReleaseImageHelper();
    if (timerWindow_)
        DestroyWindow(timerWindow_);
}

STDMETHODIMP TDropURLTarget::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

bool TDropURLTarget::HasValidFormats(IDataObject* dataObject)
{
    IEnumFORMATETC* formats = nullptr;
    if (FAILED(dataObject->EnumFormatEtc(DATADIR_GET, &formats)) || !formats)
        return false;
    std::vector<TClipboardFormatKind> readable = compatible_;
    readable.push_back(TClipboardFormatKind::UnicodeURL);
    bool valid = false;
    formats->Reset();
    FORMATETC format;
    ULONG fetched = 0;
    while (!valid && formats->Next(1, &format, &fetched) == S_OK && fetched == 1) {
        for (TClipboardFormatKind kind : readable)
            if (AcceptsFormat(kind, format) && ValidTymeds(dataObject, kind)) {
                valid = true;
                break;
            }
        if (format.ptd)
            CoTaskMemFree(format.ptd);
    }
    formats->Release();
    return valid;
}

bool TDropURLTarget::RequestData(IDataObject* dataObject)
{
    ClearData();
    DataObjectReader reader(dataObject);
    URLReadResult result = ReadURLData(reader, compatible_, ReadDroppedShortcutFile, FURLFormat);
    if (result == URLReadResult::Read) {
        held_ = Held::Link;
        return true;
    }
    if (result == URLReadResult::FileUnreadable)
        throw result;  // refused as a failure, not merely as nothing to read
    // Not a link: a file manager's drag of ordinary files, which the window takes as files.
    if (std::optional<FormatBytes> drop = ReadFormat(dataObject, TClipboardFormatKind::File)) {
        DropFilesContent files = ParseDropFiles(drop->data(), drop->size());
        if (!files.names.empty() && !HasURLExtension(files.names.front())) {
            droppedFiles_ = std::move(files.names);
            held_ = Held::Files;
            return true;
        }
    }
    return false;
}

void TDropURLTarget::ClearData()
{
    FURLFormat.Clear();
    droppedFiles_.clear();
    held_ = Held::Nothing;
}

void TDropURLTarget::Forget()
{
    if (FDataObject)
        FDataObject->Release();
    FDataObject = nullptr;
    held_ = Held::Nothing;
}

POINT TDropURLTarget::ClientPoint(POINTL pt) const
{
    POINT point{pt.x, pt.y};
    ScreenToClient(FTarget, &point);
    return point;
}

DWORD TDropURLTarget::GetValidDropEffect(TShiftState shift, POINT point, DWORD sourceEffects)
{
    DWORD effect;
    if (held_ == Held::Files)  // files are only ever copied onto the list
        effect = (sourceEffects & kDropEffectCopy) ? kDropEffectCopy : kDropEffectNone;
    else
        effect = ChooseDropEffect(shift, sourceEffects, FDragTypes);
    if (FAutoScroll && HasScrollBars()) {
        if (FNoScrollZone.Contains({point.x, point.y}))
            effect &= ~kDropEffectScroll;
        else
            effect |= kDropEffectScroll;
    }
    return effect;
}

void TDropURLTarget::ResetScrollZone()
{
    LONG_PTR style = GetWindowLongPtrW(FTarget, GWL_STYLE);
    vertical_ = (style & WS_VSCROLL) != 0;
    horizontal_ = (style & WS_HSCROLL) != 0;
    RECT client{};
    GetClientRect(FTarget, &client);
    FNoScrollZone = NoScrollZone({client.left, client.top, client.right, client.bottom}, vertical_, horizontal_,
                                 GetSystemMetrics(SM_CYHSCROLL), GetSystemMetrics(SM_CXHSCROLL));
}

STDMETHODIMP TDropURLTarget::DragEnter(IDataObject* dataObject, DWORD keyState, POINTL pt, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    try {
        if (FEnabled && dataObject) {
            ClearData();
            Forget();
            FDataObject = dataObject;
            FDataObject->AddRef();
        }
        FLastPoint = ClientPoint(pt);
        FMouseSample.Reset(GetTickCount(), {pt.x, pt.y});
        if (FEnabled && FDataObject && HasValidFormats(FDataObject)) {
            ResetScrollZone();
            if (!RequestData(FDataObject)) {
                Forget();
                *effect = kDropEffectNone;
                return DV_E_CLIPFORMAT;
            }
            *effect = GetValidDropEffect(KeysToShiftState(keyState), FLastPoint, *effect);
            if ((*effect & ~kDropEffectScroll) == kDropEffectNone)
                Forget();
        } else {
            Forget();
            *effect = kDropEffectNone;
        }
        ImageEnter(dataObject, pt, *effect);
        return S_OK;
    } catch (...) {
        ClearData();
        Forget();
        *effect = kDropEffectNone;
        return E_UNEXPECTED;
    }
}

STDMETHODIMP TDropURLTarget::DragOver(DWORD keyState, POINTL pt, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    try {
        POINT point = ClientPoint(pt);
        ResetScrollZone();
        HRESULT result = S_OK;
        if (FEnabled && FDataObject) {
            *effect = GetValidDropEffect(KeysToShiftState(keyState), point, *effect);
        } else {
            // Nothing held: show no effect, whatever the source would allow.
            *effect = kDropEffectNone;
            result = DV_E_CLIPFORMAT;
        }
        bool slow = FMouseSample.Sample(GetTickCount(), {pt.x, pt.y});
        if ((*effect & kDropEffectScroll) && slow)
            StartScrollTimer();
        else if (!(*effect & kDropEffectScroll))
            StopScrollTimer();
        if (FDropTargetHelper) {
            POINT screen{pt.x, pt.y};
            FDropTargetHelper->DragOver(&screen, *effect);
        }
        FLastPoint = point;
        return result;
    } catch (...) {
        Forget();
        *effect = kDropEffectNone;
        return E_UNEXPECTED;
    }
}

STDMETHODIMP TDropURLTarget::DragLeave()
{
    StopScrollTimer();
    ClearData();
    Forget();
    if (FDropTargetHelper)
        FDropTargetHelper->DragLeave();
    ReleaseImageHelper();
    return S_OK;
}

STDMETHODIMP TDropURLTarget::Drop(IDataObject* dataObject, DWORD keyState, POINTL pt, DWORD* effect)
{
    if (!effect)
        return E_INVALIDARG;
    StopScrollTimer();
    HRESULT result = E_UNEXPECTED;
    DWORD offered = *effect;
    *effect = kDropEffectNone;
    if (FEnabled && FDataObject) {
        try {
            POINT point = ClientPoint(pt);
            DWORD chosen = GetValidDropEffect(KeysToShiftState(keyState), point, offered);
            if (held_ == Held::Files) {
                if (FOnDropFiles)
                    FOnDropFiles(*this, droppedFiles_);
            } else if (FOnDrop) {
                FOnDrop(*this, KeysToShiftState(keyState), point, chosen);
            }
            // The scroll flag only tells how the pointer stood; the source learns what was done.
            chosen &= ~kDropEffectScroll;
            if (chosen != kDropEffectNone)
                ReportPerformedEffect(chosen);
            *effect = chosen;
            result = S_OK;
        } catch (...) {
            *effect = kDropEffectNone;
            result = E_UNEXPECTED;
        }
    }
    if (FDropTargetHelper) {
        POINT screen{pt.x, pt.y};
        FDropTargetHelper->Drop(dataObject, &screen, *effect);
    }
    ClearData();
    Forget();
    ReleaseImageHelper();
    return result;
}

bool TDropURLTarget::ReportPerformedEffect(DWORD effect)
{
    if (!FDataObject)
        return false;
    // In global memory, as the shell documents the format and reads it back: a source that
    // keeps the medium it is given would otherwise hold a stream nobody asks for.
    FORMATETC format = FormatEtcOf(TClipboardFormatKind::PerformedDropEffect, TYMED_HGLOBAL);
    STGMEDIUM medium;
    if (!ProduceMedium(TClipboardFormatKind::PerformedDropEffect, format, DwordBytes(effect), &medium))
        return false;
    if (SUCCEEDED(FDataObject->SetData(&format, &medium, TRUE)))
        return true;
    ReleaseStgMedium(&medium);
    return false;
}

void TDropURLTarget::ImageEnter(IDataObject* dataObject, POINTL pt, DWORD effect)
{
    ReleaseImageHelper();
    if (!FShowImage || !dataObject)
        return;
    if (FAILED(CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                                reinterpret_cast<void**>(&FDropTargetHelper))))
        FDropTargetHelper = nullptr;
    POINT screen{pt.x, pt.y};
    if (FDropTargetHelper && FAILED(FDropTargetHelper->DragEnter(FTarget, dataObject, &screen, effect)))
        ReleaseImageHelper();
}

void TDropURLTarget::ReleaseImageHelper()
{
    if (FDropTargetHelper)
        FDropTargetHelper->Release();
    FDropTargetHelper = nullptr;
}

void TDropURLTarget::StartScrollTimer()
{
    if (!timerRunning_ && timerWindow_)
        timerRunning_ = SetTimer(timerWindow_, kScrollTimer, kScrollInterval, nullptr) != 0;
}

void TDropURLTarget::StopScrollTimer()
{
    if (timerRunning_)
        KillTimer(timerWindow_, kScrollTimer);
    timerRunning_ = false;
}

void TDropURLTarget::ScrollTimerTick()
{
    StopScrollTimer();
    POINT cursor;
    GetCursorPos(&cursor);
    ScrollPoint last{FLastPoint.x, FLastPoint.y};
    if (FNoScrollZone.Contains(last) || !FMouseSample.Sample(GetTickCount(), {cursor.x, cursor.y}))
        return;
    auto bar = [&](int which, ScrollBarState& state) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (!GetScrollInfo(FTarget, which, &info))
            return false;
        state = {info.nMin, info.nMax, static_cast<int32_t>(info.nPage), info.nPos};
        return true;
    };
    ScrollBarState vertical, horizontal;
    bool hasVertical = vertical_ && bar(SB_VERT, vertical);
    bool hasHorizontal = horizontal_ && bar(SB_HORZ, horizontal);
    TScrollDirections directions = ScrollDirections(last, FNoScrollZone, hasVertical ? &vertical : nullptr,
                                                    hasHorizontal ? &horizontal : nullptr);
    if (!directions)
        return;
    if (FDropTargetHelper)
        FDropTargetHelper->Show(FALSE);
    if (directions & sdUp)
        SendMessageW(FTarget, WM_VSCROLL, SB_LINEUP, 0);
    if (directions & sdDown)
        SendMessageW(FTarget, WM_VSCROLL, SB_LINEDOWN, 0);
    if (directions & sdLeft)
        SendMessageW(FTarget, WM_HSCROLL, SB_LINELEFT, 0);
    if (directions & sdRight)
        SendMessageW(FTarget, WM_HSCROLL, SB_LINERIGHT, 0);
    if (FDropTargetHelper)
        FDropTargetHelper->Show(TRUE);
    StartScrollTimer();
}

LRESULT CALLBACK TDropURLTarget::TimerWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TIMER && wParam == kScrollTimer) {
        if (auto* target = reinterpret_cast<TDropURLTarget*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)))
            target->ScrollTimerTick();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace nesk
