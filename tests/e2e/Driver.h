// Drives a real Nesk.exe from a second process: files of its data folder, its window, its
// message boxes, and file drops made through X11 as a file manager would make them.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nesk::e2e {

// Everything here throws std::runtime_error with a readable message when the system says
// no; GoogleTest reports such an exception as the test's failure.

std::wstring BuildDir();                                   // where Nesk.exe and the tools land
std::wstring NeskExe();                                    // BuildDir() + "\Nesk.exe"
std::wstring DataFolder();                                 // %APPDATA%\Lark Project\Nesk\ (trailing "\")
void ResetDataFolder();                                    // creates it if needed, deletes every file in it
std::wstring TempFolder();                                 // an empty folder for the test's own files, fresh per call

bool FileExists(const std::wstring& path);
std::string ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, std::string_view bytes);
// UTF-16LE text as Nesk writes it: byte-order mark, CR LF after every line.
void WriteLines(const std::wstring& path, const std::vector<std::wstring>& lines);
// Reads UTF-16LE with or without byte-order mark; lines end at CR LF, LF or CR; a last line
// without line end counts, an empty tail after the last line end does not.
std::vector<std::wstring> ReadLines(const std::wstring& path);

// Polls cond every 20 ms until it holds or timeoutMs has passed, pumping this thread's
// messages meanwhile; returns whether it held.
bool WaitFor(const std::function<bool()>& cond, DWORD timeoutMs = 5000);

class NeskProcess {
public:
    // Starts exe with the given argument text (already quoted as needed) and waits until
    // it is idle. Nesk's own default is NeskExe().
    explicit NeskProcess(const std::wstring& arguments = L"", const std::wstring& exe = NeskExe());
    ~NeskProcess();  // kills the process if it is still running
    NeskProcess(const NeskProcess&) = delete;
    NeskProcess& operator=(const NeskProcess&) = delete;

    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool Running() const;
    // The top-level "TMainForm" window of this process, visible or not, once its thread
    // answers messages (start-up done, or a modal loop such as a message box running);
    // waits up to timeoutMs and throws if there is none by then.
    HWND MainWindow(DWORD timeoutMs = 10000) const;
    // Posts WM_CLOSE to the main window and waits for the process to end; false if it
    // is still running after timeoutMs.
    bool Close(DWORD timeoutMs = 10000);
    bool WaitForExit(DWORD timeoutMs = 10000) const;
    DWORD ExitCode() const;  // STILL_ACTIVE while running
    void Kill();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

std::wstring Title(HWND window);
bool IsVisible(HWND window);
HWND ListBox(HWND mainWindow);                        // the item list, control ID 100
std::vector<std::wstring> ListItems(HWND mainWindow);
// Screen point in the middle of a list row, or just below the last row for row == count.
POINT ListRowPoint(HWND mainWindow, int row);
POINT ScreenCenter(HWND window);

struct MessageBoxInfo {
    HWND window = nullptr;
    std::wstring caption;
    std::wstring text;
};
std::optional<MessageBoxInfo> FindMessageBox(DWORD processId);
MessageBoxInfo WaitForMessageBox(DWORD processId, DWORD timeoutMs = 5000);  // throws on time-out
// Presses a button of a dialog as a click would (IDOK by default) and waits until the
// dialog has gone.
void PressButton(HWND dialog, int id = IDOK, DWORD timeoutMs = 5000);

struct DropOptions {
    std::wstring action = L"copy";                  // copy, move or link
    std::vector<std::wstring> types;                // default {"text/uri-list"}; or "text/x-moz-url"
    std::wstring title;                             // title part of text/x-moz-url
    DWORD timeoutMs = 5000;                         // for each answer of the target
};
struct DropResult {
    int status = -1;          // xdnd_drop's exit status: 0 = the target finished the drop
    std::string message;
};
// Drops items on whatever window lies under the screen point, through X11 (XDND), as a
// file manager would. Items are Windows paths (sent as file:// URIs of their Unix names)
// or URIs (anything containing "://", sent unchanged). Returns when the target has
// answered or failed to; throws only if the drag source itself cannot run.
DropResult Drop(POINT screenPoint, const std::vector<std::wstring>& items, const DropOptions& options = {});

// Unix name of a Windows path under Wine ("/work/.../drive_c/...") and back.
std::string UnixPath(const std::wstring& windowsPath);
std::wstring WindowsPath(const std::string& unixPath);

// Quotes one command-line argument so that the receiving program's parser gives it back
// unchanged (Windows rules: backslashes matter only before a quote).
std::wstring QuoteArgument(const std::wstring& argument);

std::string Utf8(std::wstring_view text);
std::wstring Wide(std::string_view utf8);

}  // namespace nesk::e2e
