// Answers the first message box this process shows, from a second thread, and keeps its texts.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace nesk::testing {

class DropMessageBoxAnswerer {
public:
    DropMessageBoxAnswerer()
        : thread_([this] {
              for (int tries = 0; tries < 500 && !stop_; ++tries) {
                  if (AnswerOne())
                      return;
                  Sleep(10);
              }
          })
    {
    }
    ~DropMessageBoxAnswerer()
    {
        stop_ = true;
        thread_.join();
    }

    bool Answered() const { return answered_; }
    std::wstring caption;
    std::wstring text;

private:
    struct Search {
        HWND found = nullptr;
    };

    static BOOL CALLBACK FindOurDialog(HWND window, LPARAM data)
    {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        wchar_t className[16] = {};
        GetClassNameW(window, className, 16);
        if (process == GetCurrentProcessId() && std::wstring(className) == L"#32770" && IsWindowVisible(window)) {
            reinterpret_cast<Search*>(data)->found = window;
            return FALSE;
        }
        return TRUE;
    }

    bool AnswerOne()
    {
        Search search;
        EnumWindows(FindOurDialog, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            return false;
        wchar_t buffer[1024] = {};
        GetWindowTextW(search.found, buffer, 1024);
        caption = buffer;
        buffer[0] = 0;
        GetDlgItemTextW(search.found, 0xFFFF, buffer, 1024);  // the message's static control
        text = buffer;
        answered_ = true;
        PostMessageW(search.found, WM_COMMAND, IDOK, 0);
        return true;
    }

    std::atomic<bool> stop_{false};
    std::atomic<bool> answered_{false};
    std::thread thread_;
};

}  // namespace nesk::testing
