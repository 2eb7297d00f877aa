// Answers the open or save dialog that the window under test shows, from a second thread, as a
// user would: it notes the folder the dialog starts in, types a file name and confirms.
#pragma once

#include <windows.h>
#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <string>
#include <thread>

namespace nesk::testing {

class DialogAnswer {
public:
    // An empty name cancels the dialog.
    explicit DialogAnswer(std::wstring fileName) : fileName_(std::move(fileName))
    {
        thread_ = std::thread([this] { Run(); });
    }
    ~DialogAnswer()
    {
        stop_ = true;
        thread_.join();
    }
    DialogAnswer(const DialogAnswer&) = delete;
    DialogAnswer& operator=(const DialogAnswer&) = delete;

    bool Answered() const { return answered_; }
    const std::wstring& StartFolder() const { return startFolder_; }
    const std::wstring& Caption() const { return caption_; }

private:
    static BOOL CALLBACK FindDialogIn(HWND window, LPARAM data)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (process == GetCurrentProcessId() && wcscmp(className, L"#32770") == 0 && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(data) = window;
            return FALSE;
        }
        return TRUE;
    }

    static HWND FindDialog()
    {
        HWND found = nullptr;
        EnumWindows(FindDialogIn, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    void Run()
    {
        for (int tries = 0; tries < 500 && !stop_; ++tries) {
            HWND dialog = FindDialog();
            if (!dialog) {
                Sleep(20);
                continue;
            }
            Sleep(100);  // let the dialog finish filling itself
            wchar_t folder[MAX_PATH * 4] = {};
            SendMessageW(dialog, CDM_GETFOLDERPATH, MAX_PATH * 4, reinterpret_cast<LPARAM>(folder));
            startFolder_ = folder;
            wchar_t caption[256] = {};
            GetWindowTextW(dialog, caption, 256);
            caption_ = caption;
            if (fileName_.empty()) {
                PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
            } else {
                SendMessageW(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(fileName_.c_str()));
                SendMessageW(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(fileName_.c_str()));
                PostMessageW(dialog, WM_COMMAND, IDOK, 0);
            }
            answered_ = true;
            return;
        }
    }

    std::wstring fileName_;
    std::wstring startFolder_;
    std::wstring caption_;
    std::atomic<bool> answered_{false};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

}  // namespace nesk::testing
