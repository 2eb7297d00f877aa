#include "e2e/Driver.h"

#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <stdexcept>

namespace nesk::e2e {

namespace {

[[noreturn]] void Fail(const std::wstring& what, DWORD error = GetLastError())
{
    std::string message = Utf8(what);
    if (error) message += " (error " + std::to_string(error) + ")";
    throw std::runtime_error(message);
}

struct HandleCloser {
    void operator()(HANDLE h) const
    {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
using UniqueHandle = std::unique_ptr<std::remove_pointer_t<HANDLE>, HandleCloser>;

struct FindCloser {
    void operator()(HANDLE h) const
    {
        if (h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};
using UniqueFind = std::unique_ptr<std::remove_pointer_t<HANDLE>, FindCloser>;

// Wine's own exports for crossing between Unix and Windows names; absent on Windows.
using ToUnix = char*(__cdecl*)(const wchar_t*);
using ToDos = wchar_t*(__cdecl*)(const char*);

using AnyFunction = void (*)();

AnyFunction WineExport(const char* name)
{
    return reinterpret_cast<AnyFunction>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name));
}

// A cross-process message that cannot hang the test when the other side does.
LRESULT SendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result))
        Fail(L"no answer to message " + std::to_wstring(message));
    return static_cast<LRESULT>(result);
}

std::wstring ClassName(HWND window)
{
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

DWORD ProcessOf(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    return id;
}

struct TopLevelSearch {
    DWORD processId;
    const wchar_t* className;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TopLevelSearch*>(param);
    if (ProcessOf(window) != search->processId || ClassName(window) != search->className) return TRUE;
    if (search->visibleOnly && !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindTopLevel(DWORD processId, const wchar_t* className, bool visibleOnly = false)
{
    TopLevelSearch search{processId, className, visibleOnly, nullptr};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void RemoveTree(const std::wstring& folder)
{
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &data));
    if (find.get() == INVALID_HANDLE_VALUE) return;
    do {
        std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring path = folder + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(path + L"\\");
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find.get(), &data));
}

void CreateFolder(const std::wstring& path)
{
    if (!CreateDirectoryW(path.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        Fail(L"cannot create folder " + path);
}

// The drag source is a Unix program; scripts/test names it, and a developer running ctest
// by hand gets the one the native preset built beside this build.
std::string XdndDropProgram()
{
    if (const char* configured = std::getenv("NESK_XDND_DROP"); configured && *configured) return configured;
    std::string dir = NESK_EXE_DIR;
    return dir.substr(0, dir.find_last_of('/')) + "/native/xdnd_drop";
}

}  // namespace

std::string Utf8(std::wstring_view text)
{
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring Wide(std::string_view utf8)
{
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string UnixPath(const std::wstring& windowsPath)
{
    auto toUnix = reinterpret_cast<ToUnix>(WineExport("wine_get_unix_file_name"));
    if (!toUnix) Fail(L"not running under Wine: no Unix name for " + windowsPath, 0);
    char* name = toUnix(windowsPath.c_str());
    if (!name) Fail(L"no Unix name for " + windowsPath);
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::wstring WindowsPath(const std::string& unixPath)
{
    if (auto toDos = reinterpret_cast<ToDos>(WineExport("wine_get_dos_file_name"))) {
        if (wchar_t* name = toDos(unixPath.c_str())) {
            std::wstring result = name;
            HeapFree(GetProcessHeap(), 0, name);
            return result;
        }
    }
    std::wstring result = L"Z:" + Wide(unixPath);
    for (auto& c : result)
        if (c == L'/') c = L'\\';
    return result;
}

std::wstring QuoteArgument(const std::wstring& argument)
{
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) return argument;
    std::wstring out = L"\"";
    for (auto it = argument.begin();; ++it) {
        size_t backslashes = 0;
        while (it != argument.end() && *it == L'\\') {
            ++it;
            ++backslashes;
        }
        if (it == argument.end()) {
            out.append(backslashes * 2, L'\\');
            break;
        }
        if (*it == L'"') {
            out.append(backslashes * 2 + 1, L'\\');
        } else {
            out.append(backslashes, L'\\');
        }
        out.push_back(*it);
    }
    out.push_back(L'"');
    return out;
}

std::wstring BuildDir()
{
    static const std::wstring dir = WindowsPath(NESK_EXE_DIR);
    return dir;
}

std::wstring NeskExe() { return BuildDir() + L"\\Nesk.exe"; }

std::wstring DataFolder()
{
    wchar_t appData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, 0, appData))) Fail(L"no application data folder", 0);
    return std::wstring(appData) + L"\\Lark Project\\Nesk\\";
}

void ResetDataFolder()
{
    std::wstring folder = DataFolder();
    CreateFolder(folder.substr(0, folder.size() - std::wstring(L"Nesk\\").size()));
    CreateFolder(folder);
    WIN32_FIND_DATAW data;
    UniqueFind find(FindFirstFileW((folder + L"*").c_str(), &data));
    if (find.get() == INVALID_HANDLE_VALUE) return;
    do {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        std::wstring path = folder + data.cFileName;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileW(path.c_str())) Fail(L"cannot delete " + path);
    } while (FindNextFileW(find.get(), &data));
}

std::wstring TempFolder()
{
    static unsigned counter = 0;
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring base = std::wstring(temp) + L"nesk_e2e\\";
    // Folders of earlier runs go when a run first asks for one.
    if (counter == 0) RemoveTree(base);
    CreateFolder(base);
    std::wstring folder = base + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter) + L"\\";
    CreateFolder(folder);
    return folder;
}

bool FileExists(const std::wstring& path)
{
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadBytes(const std::wstring& path)
{
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) Fail(L"cannot open " + path);
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read) bytes.append(buffer, read);
    return bytes;
}

void WriteBytes(const std::wstring& path, std::string_view bytes)
{
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) Fail(L"cannot create " + path);
    DWORD written = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size())
        Fail(L"cannot write " + path);
}

void WriteLines(const std::wstring& path, const std::vector<std::wstring>& lines)
{
    std::wstring text = L"\xFEFF";
    for (const auto& line : lines) text += line + L"\r\n";
    std::string bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<char>(c & 0xFF));
        bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
    }
    WriteBytes(path, bytes);
}

std::vector<std::wstring> ReadLines(const std::wstring& path)
{
    std::string bytes = ReadBytes(path);
    if (bytes.size() % 2) Fail(L"odd number of bytes in UTF-16 file " + path, 0);
    std::wstring text;
    for (size_t i = 0; i < bytes.size(); i += 2)
        text.push_back(static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                            (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    if (!text.empty() && text[0] == L'\xFEFF') text.erase(0, 1);
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, L"\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (cond()) return true;
        if (GetTickCount() - start >= timeoutMs) return cond();
        // A window of the test's own process must keep answering while the test waits.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(20);
    }
}

NeskProcess::NeskProcess(const std::wstring& arguments, const std::wstring& exe)
{
    std::wstring commandLine = QuoteArgument(exe);
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        Fail(L"cannot start " + commandLine);
    CloseHandle(info.hThread);
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    WaitForInputIdle(process_, 10000);
}

NeskProcess::~NeskProcess()
{
    if (Running()) Kill();
    CloseHandle(process_);
}

bool NeskProcess::Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }

bool NeskProcess::WaitForExit(DWORD timeoutMs) const { return WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0; }

DWORD NeskProcess::ExitCode() const
{
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void NeskProcess::Kill()
{
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
}

HWND NeskProcess::MainWindow(DWORD timeoutMs) const
{
    DWORD start = GetTickCount();
    HWND window = nullptr;
    WaitFor([&] { return (window = FindTopLevel(id_, L"TMainForm")) != nullptr || !Running(); }, timeoutMs);
    if (window) {
        // The window exists from the start of its creation, long before the list is loaded
        // and the window shown; it answers a message only once its thread waits for input.
        DWORD elapsed = GetTickCount() - start;
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, elapsed < timeoutMs ? timeoutMs - elapsed : 1,
                                 &ignored))
            Fail(L"the TMainForm window does not answer messages");
        return window;
    }
    if (!Running()) Fail(L"the process ended with exit code " + std::to_wstring(ExitCode()) + L" without a main window", 0);
    Fail(L"no TMainForm window after " + std::to_wstring(timeoutMs) + L" ms", 0);
}

bool NeskProcess::Close(DWORD timeoutMs)
{
    if (!Running()) return true;
    if (!PostMessageW(MainWindow(timeoutMs), WM_CLOSE, 0, 0)) Fail(L"cannot post WM_CLOSE");
    return WaitForExit(timeoutMs);
}

std::wstring Title(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

bool IsVisible(HWND window) { return IsWindowVisible(window) != FALSE; }

HWND ListBox(HWND mainWindow)
{
    HWND list = GetDlgItem(mainWindow, 100);
    if (!list) Fail(L"the main window has no control 100");
    return list;
}

std::vector<std::wstring> ListItems(HWND mainWindow)
{
    HWND list = ListBox(mainWindow);
    LRESULT count = SendTo(list, LB_GETCOUNT, 0, 0);
    if (count == LB_ERR) Fail(L"LB_GETCOUNT failed", 0);
    std::vector<std::wstring> items;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendTo(list, LB_GETTEXTLEN, i, 0);
        if (length == LB_ERR) Fail(L"LB_GETTEXTLEN failed for row " + std::to_wstring(i), 0);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = SendTo(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        if (copied == LB_ERR) Fail(L"LB_GETTEXT failed for row " + std::to_wstring(i), 0);
        text.resize(static_cast<size_t>(copied));
        items.push_back(std::move(text));
    }
    return items;
}

POINT ListRowPoint(HWND mainWindow, int row)
{
    HWND list = ListBox(mainWindow);
    LRESULT count = SendTo(list, LB_GETCOUNT, 0, 0);
    RECT rect = {};
    if (count <= 0) {
        LRESULT height = SendTo(list, LB_GETITEMHEIGHT, 0, 0);
        rect = {0, 0, 40, static_cast<LONG>(height)};
    } else {
        int measured = row < count ? row : static_cast<int>(count) - 1;
        if (SendTo(list, LB_GETITEMRECT, measured, reinterpret_cast<LPARAM>(&rect)) == LB_ERR)
            Fail(L"LB_GETITEMRECT failed for row " + std::to_wstring(row), 0);
        if (row >= count) OffsetRect(&rect, 0, (rect.bottom - rect.top) * (row - measured));
    }
    POINT point = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ClientToScreen(list, &point);
    return point;
}

POINT ScreenCenter(HWND window)
{
    RECT rect = {};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::optional<MessageBoxInfo> FindMessageBox(DWORD processId)
{
    // A dialog is created hidden and shown once its texts are in place.
    HWND box = FindTopLevel(processId, L"#32770", true);
    if (!box) return std::nullopt;
    MessageBoxInfo info;
    info.window = box;
    info.caption = Title(box);
    // MessageBox keeps its text in the static control 0xFFFF on Windows and on Wine.
    if (HWND text = GetDlgItem(box, 0xFFFF)) info.text = Title(text);
    return info;
}

MessageBoxInfo WaitForMessageBox(DWORD processId, DWORD timeoutMs)
{
    std::optional<MessageBoxInfo> box;
    if (!WaitFor([&] { return (box = FindMessageBox(processId)).has_value(); }, timeoutMs))
        Fail(L"no message box after " + std::to_wstring(timeoutMs) + L" ms", 0);
    return *box;
}

void PressButton(HWND dialog, int id, DWORD timeoutMs)
{
    HWND button = GetDlgItem(dialog, id);
    if (!button) Fail(L"the dialog has no button " + std::to_wstring(id));
    if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)))
        Fail(L"cannot post to the dialog");
    if (!WaitFor([&] { return !IsWindow(dialog); }, timeoutMs)) Fail(L"the dialog is still open", 0);
}

DropResult Drop(POINT screenPoint, const std::vector<std::wstring>& items, const DropOptions& options)
{
    // Wine runs a Unix program from CreateProcess but hands back no process handle, so
    // the drag source reports through a status file that it renames into place.
    std::wstring statusFile = TempFolder() + L"drop.status";
    std::string program = XdndDropProgram();
    std::wstring commandLine = QuoteArgument(WindowsPath(program));
    auto add = [&](const std::wstring& argument) { commandLine += L" " + QuoteArgument(argument); };
    add(L"--x");
    add(std::to_wstring(screenPoint.x));
    add(L"--y");
    add(std::to_wstring(screenPoint.y));
    add(L"--action");
    add(options.action);
    add(L"--timeout");
    add(std::to_wstring(options.timeoutMs));
    for (const auto& type : options.types) {
        add(L"--type");
        add(type);
    }
    if (!options.title.empty()) {
        add(L"--title");
        add(options.title);
    }
    add(L"--status-file");
    add(Wide(UnixPath(statusFile)));
    add(L"--");
    for (const auto& item : items) add(item.find(L"://") != std::wstring::npos ? item : Wide(UnixPath(item)));

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        Fail(L"cannot start the drag source " + Wide(program) + L" (build the native preset, or set NESK_XDND_DROP)");
    if (info.hThread) CloseHandle(info.hThread);
    if (info.hProcess) CloseHandle(info.hProcess);

    if (!WaitFor([&] { return FileExists(statusFile); }, options.timeoutMs * 2 + 5000))
        Fail(L"the drag source did not report; is DISPLAY set?", 0);
    std::string report = ReadBytes(statusFile);
    DeleteFileW(statusFile.c_str());
    DropResult result;
    char* rest = nullptr;
    result.status = static_cast<int>(std::strtol(report.c_str(), &rest, 10));
    if (rest == report.c_str()) Fail(L"unreadable report of the drag source: " + Wide(report), 0);
    result.message = rest && *rest == ' ' ? std::string(rest + 1) : report;
    while (!result.message.empty() && (result.message.back() == '\n' || result.message.back() == '\r'))
        result.message.pop_back();
    return result;
}

}  // namespace nesk::e2e
