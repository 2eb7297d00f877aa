#include "exchange/win32/QivFormDropFiles.h"

#include <shellapi.h>

#include <algorithm>
#include <cwchar>

#include "exchange/win32/DropHandle.h"
#include "platform/Lifecycle.h"
#include "platform/win32/Guarded.h"
#include "platform/win32/Handles.h"

namespace nesk {
namespace {

// Registered by the start-up step, before any window exists, so every window of the process
// answers the same identifier. Zero until then: no message is taken for it.
UINT gQivDropFilesMessage = 0;

bool IsQivDropFilesMessage(UINT message)
{
    return gQivDropFilesMessage != 0 && message == gQivDropFilesMessage;
}

// The windows whose procedure a drop target took over, with the procedure it replaced. The
// window's user data belongs to the window itself, and under Wine both window properties and
// the common controls' subclass helper cost about a tenth of a millisecond per message; a
// window has only this one list to search, so every message costs next to nothing. A target
// that goes while a later procedure still chains to ours leaves its entry as a plain relay.
struct TakenWindow {
    HWND window;
    WNDPROC original;
    TQivFormDropFiles* target;
};
thread_local std::vector<TakenWindow> tTakenWindows;

TakenWindow* FindTaken(HWND window)
{
    for (auto& taken : tTakenWindows)
        if (taken.window == window)
            return &taken;
    return nullptr;
}

void ForgetTaken(HWND window)
{
    std::erase_if(tTakenWindows, [&](const TakenWindow& taken) { return taken.window == window; });
}

std::string Utf8(const std::wstring& text)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                   nullptr);
    std::string out(size > 0 ? size : 0, '\0');
    if (size > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), size, nullptr,
                            nullptr);
    return out;
}

std::wstring WindowName(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

// Follows a symbolic link to what it names, as a dropped link to a folder is a folder.
bool IsFolderFollowingLinks(const std::wstring& name)
{
    DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    UniqueHandle target = OwnFileHandle(CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!target)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileInformationByHandle(target.get(), &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

void StartDropFilesMessage()
{
    RecordLifeStep(LifeStep::DropFilesMessage, true);
    gQivDropFilesMessage = RegisterWindowMessageW(L"Qiv_DROPFILES");
}

void StopDropFilesMessage()
{
    // A registered message lives as long as the session; there is nothing to give back.
    RecordLifeStep(LifeStep::DropFilesMessage, false);
}

UINT QivDropFilesMessage()
{
    return gQivDropFilesMessage;
}

DropFilesError::DropFilesError(const std::wstring& message) : std::runtime_error(Utf8(message)), message_(message)
{
}

TQivFileFilter::~TQivFileFilter()
{
    for (auto* user : std::vector<TQivSubClassedDropFiles*>(users_))
        user->SetFilter(nullptr);
}

void TQivAbstractDropFilesHelper::DropFiles()
{
    if (fForeGroundOnDrop)
        SetForegroundWindow(GetWindowHandle());
    if (fOnDropFiles)
        fOnDropFiles(fComp);
}

void TQivAbstractDropFilesHelper::BeforeDrop()
{
    if (fOnBeforeDrop)
        fOnBeforeDrop(fComp);
}

void TQivAbstractDropFilesHelper::AcceptFiles(bool flag)
{
    if (HWND window = GetWindowHandle())
        DragAcceptFiles(window, flag);
}

void TQivAbstractDropFilesHelper::FilesDropped(HANDLE hDrop)
{
    fFileList.clear();
    DropFilesContent content = ReadDropHandle(hDrop);
    // The receiver owns a drop handle. Only a block that reads as one is released: a value
    // that is no drop handle at all may be somebody else's memory.
    UniqueHdrop release(content.valid ? static_cast<HDROP>(hDrop) : nullptr);
    for (const auto& name : content.names)
        ProcessName(name);
    fDropPoint = content.point;
}

void TQivAbstractDropFilesHelper::ProcessName(const std::wstring& name)
{
    bool isFolder = IsFolderFollowingLinks(name);
    if (!isFolder) {
        if (fOptions.Contains(dfoIncFiles) && Accepted(name, false))
            fFileList.push_back({name, false});
        return;
    }
    if (fOptions.Contains(dfoIncFolders) && Accepted(name, true))
        fFileList.push_back({name, true});
    if (!fOptions.Contains(dfoRecurseFolders))
        return;
    std::wstring prefix = name;
    if (!prefix.empty() && prefix.back() != L'\\')
        prefix += L'\\';
    WIN32_FIND_DATAW found;
    UniqueFindHandle search = OwnFindHandle(FindFirstFileW((prefix + L"*.*").c_str(), &found));
    if (!search)
        return;
    do {
        if (std::wcscmp(found.cFileName, L".") != 0 && std::wcscmp(found.cFileName, L"..") != 0)
            ProcessName(prefix + found.cFileName);
    } while (FindNextFileW(search.get(), &found));
}

bool TQivAbstractDropFilesHelper::Accepted(const std::wstring& name, bool isFolder)
{
    bool accept = fFilterComp ? fFilterComp->Accept(name, isFolder) : true;
    if (accept && fOnFileFilter)
        fOnFileFilter(*this, name, isFolder, accept);
    return accept;
}

HWND TQivAbstractDropFilesHelper::GetDropControl()
{
    HWND control = GetWindowControl();
    if (!control)
        return nullptr;
    RECT client;
    GetClientRect(control, &client);
    POINT point{fDropPoint.x, fDropPoint.y};
    if (!PtInRect(&client, point))
        return nullptr;
    ClientToScreen(control, &point);
    for (;;) {
        HWND found = nullptr;
        for (HWND child = GetWindow(control, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            RECT bounds;
            if ((GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) && GetWindowRect(child, &bounds) &&
                PtInRect(&bounds, point)) {
                found = child;
                break;
            }
        }
        if (!found)
            return control;
        control = found;
    }
}

TQivSubClassedDropFiles::~TQivSubClassedDropFiles()
{
    SetFilter(nullptr);
}

void TQivSubClassedDropFiles::SetEnabled(bool enabled)
{
    if (enabled == fEnabled)
        return;
    fEnabled = enabled;
    fHelper->AcceptFiles(enabled);
}

void TQivSubClassedDropFiles::SetFilter(TQivFileFilter* filter)
{
    if (!fHelper)
        return;
    TQivFileFilter* old = fHelper->fFilterComp;
    if (old == filter)
        return;
    if (old)
        old->users_.erase(std::remove(old->users_.begin(), old->users_.end(), this), old->users_.end());
    fHelper->fFilterComp = filter;
    if (filter)
        filter->users_.push_back(this);
}

TQivFormDropFiles::TQivFormDropFiles(HWND owner, std::wstring name) : TQivSubClassedDropFiles(std::move(name))
{
    if (!owner || !IsWindow(owner) || (GetWindowLongW(owner, GWL_STYLE) & WS_CHILD) ||
        GetWindowThreadProcessId(owner, nullptr) != GetCurrentThreadId())
        throw DropFilesError(L"TQivFormDropFiles owner must be a form");
    TakenWindow* taken = FindTaken(owner);
    if (taken && taken->target)
        throw DropFilesError(L"Only one TQivFormDropFiles component is permitted on a form: " +
                             taken->target->Name() + L" is already present on " + WindowName(owner));
    fHelper = CreateHelper();
    if (taken) {
        taken->target = this;  // our procedure is still in place from an earlier target
    } else {
        tTakenWindows.push_back({owner, nullptr, this});
        auto original = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(owner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TQivFormDropFiles::FormProc)));
        if (!original) {
            ForgetTaken(owner);
            throw DropFilesError(L"TQivFormDropFiles owner must be a form");
        }
        FindTaken(owner)->original = original;
    }
    owner_ = owner;
    fHelper->AcceptFiles(fEnabled);
}

TQivFormDropFiles::~TQivFormDropFiles()
{
    if (!owner_)
        return;
    fHelper->AcceptFiles(false);
    TakenWindow* taken = FindTaken(owner_);
    if (!taken)
        return;
    auto current = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(owner_, GWLP_WNDPROC));
    if (current == &TQivFormDropFiles::FormProc) {
        SetWindowLongPtrW(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(taken->original));
        ForgetTaken(owner_);
    } else {
        taken->target = nullptr;
    }
}

std::unique_ptr<TQivAbstractDropFilesHelper> TQivFormDropFiles::CreateHelper()
{
    return std::make_unique<TQivFormDropFilesHelper>(*this);
}

LRESULT CALLBACK TQivFormDropFiles::FormProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TakenWindow* taken = FindTaken(hwnd);
    if (!taken)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    WNDPROC original = taken->original;
    TQivFormDropFiles* target = taken->target;
    if (target && (message == WM_DROPFILES || IsQivDropFilesMessage(message)))
        return Guarded<LRESULT>(0, [&] { return target->FormWndProc(message, wParam, lParam); });
    if (message == WM_NCDESTROY) {
        // The window goes before its drop target: let go of it while it still exists.
        ForgetTaken(hwnd);
        if (target)
            target->owner_ = nullptr;
    }
    return CallWindowProcW(original, hwnd, message, wParam, lParam);
}

LRESULT TQivFormDropFiles::FormWndProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    bool registered = IsQivDropFilesMessage(message);
    if (fEnabled) {
        bool done = Guarded<bool>(false, [&] {
            fHelper->BeforeDrop();
            fHelper->FilesDropped(reinterpret_cast<HANDLE>(wParam));
            if (registered)
                fHelper->fDropPoint = DropPointFromLParam(static_cast<uint32_t>(lParam));
            fHelper->DropFiles();
            return true;
        });
        if (!done)
            return 0;
    }
    return registered ? 1 : 0;
}

HWND TQivFormDropFilesHelper::GetWindowControl()
{
    HWND owner = form_.Owner();
    return owner && IsWindow(owner) ? owner : nullptr;
}

}  // namespace nesk
