// TMainForm: the window settings each list keeps, and where the window may stand.
#include "app/MainForm.h"

#include "app/DataFolder.h"
#include "app/Placement.h"
#include "chrome/CommandIds.h"
#include "list/IniFile.h"
#include "list/ListFile.h"
#include "list/ListSettings.h"
#include "list/RecentHistory.h"
#include "list/TextFile.h"
#include "platform/FileSystem.h"
#include "platform/Probes.h"

namespace nesk {
namespace {

// rcNormalPosition of a window placement counts from the work area, not from the screen.
POINT WorkspaceOffset(const RECT& rect)
{
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor))
        return POINT{0, 0};
    return POINT{monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

}  // namespace

void TMainForm::LoadSettings()
{
    SettingsPlace place = ChooseSettingsPlace(MFile, ProbeFile(MFile));
    IniFile ini;
    try {
        ini = IniFile::Load(DataFolder() + place.fileName);
    } catch (const FileError&) {
        // Held by another program right now: the window keeps what it has, as for a new list.
    }
    StoredSettings stored = ReadStoredSettings(ini, place.section);

    ApplyStoredGeometry(stored);
    if (stored.normal && !*stored.normal) {
        if (IsWindowVisible(hwnd_))
            ShowWindow(hwnd_, SW_MAXIMIZE);
        else
            maximizeWhenShown_ = true;  // showing it now would defeat starting in the tray
    }
    bool stayOnTop = stored.stayOnTop.value_or(false);
    SetListFontSize(stored.fontSize.value_or(ListFontSize()));  // the row height follows
    CheckMenuItem(FileMenu(), ID_PPMIN, MF_BYCOMMAND | (stored.min.value_or(false) ? MF_CHECKED : MF_UNCHECKED));
    EnsureWindowVisible(hwnd_);
    SetTBTopDown(stayOnTop);
    LoadRecent();
    ApplyListTrayIcon();
}

void TMainForm::ApplyStoredGeometry(const StoredSettings& stored)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (IsZoomed(hwnd_) && GetWindowPlacement(hwnd_, &placement)) {
        // A maximized window stays maximized; the stored place is where it restores to.
        RECT& normal = placement.rcNormalPosition;
        POINT offset = WorkspaceOffset(normal);
        int left = stored.left ? *stored.left - offset.x : normal.left;
        int top = stored.top ? *stored.top - offset.y : normal.top;
        int width = stored.width.value_or(normal.right - normal.left);
        int height = stored.height.value_or(normal.bottom - normal.top);
        normal = RECT{left, top, left + width, top + height};
        placement.showCmd = SW_SHOWMAXIMIZED;
        SetWindowPlacement(hwnd_, &placement);
        return;
    }
    RECT current;
    GetWindowRect(hwnd_, &current);
    SetWindowPos(hwnd_, nullptr, stored.left.value_or(current.left), stored.top.value_or(current.top),
                 stored.width.value_or(current.right - current.left),
                 stored.height.value_or(current.bottom - current.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::LoadRecent()
{
    std::wstring recentFile = DataFolder() + kRecentFileName;
    if (ProbeFile(recentFile)) {
        try {
            ListBoxRecent = ReadSmallFile(recentFile);
        } catch (const FileError&) {
            // Another window is writing it: the history in memory serves until the next load.
        }
    }
    PruneRecent(ListBoxRecent);
}

void TMainForm::SaveSettings()
{
    SettingsPlace place = ChooseSettingsPlace(MFile, ProbeFile(MFile));
    std::wstring path = DataFolder() + place.fileName;
    // A file that cannot be read is not overwritten: what it holds for other lists would be lost.
    IniFile ini = IniFile::Load(path);

    WindowSettings settings;
    WindowBounds bounds;
    settings.geometryKnown = !IsIconic(hwnd_) && !IsMaximized() && GetWindowBounds(hwnd_, &bounds);
    if (settings.geometryKnown) {
        settings.top = bounds.top;
        settings.left = bounds.left;
        settings.height = bounds.height;
        settings.width = bounds.width;
    }
    settings.normal = !IsMaximized();
    settings.stayOnTop = TBTopDown();
    settings.fontSize = ListFontSize();
    settings.min = PPMinChecked();
    WriteStoredSettings(ini, place.section, settings);
    ini.Save(path);

    WriteSmallFile(DataFolder() + kRecentFileName, ListBoxRecent);
}

bool TMainForm::IsMaximized() const
{
    return IsZoomed(hwnd_) || (maximizeWhenShown_ && !IsWindowVisible(hwnd_));
}

}  // namespace nesk
