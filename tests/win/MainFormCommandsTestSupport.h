// A main window with a prepared list, driven through its buttons and keys, with the shell's
// launches and message boxes recorded instead of carried out.
#pragma once

#include "MainFormTestSupport.h"

#include "chrome/CommandIds.h"
#include "commands/win32/ShellActions.h"

namespace nesk::testing {

struct ShellCall {
    std::wstring verb;
    std::wstring file;
    std::wstring directory;
    int show;
};

struct ShellRecord {
    std::vector<ShellCall> launches;
    std::vector<std::wstring> boxes;  // "text|caption|flags"
    INT_PTR answer = 42;              // what the recorded launch reports: above 32 is success
};

inline ShellRecord& Recorded()
{
    static ShellRecord record;
    return record;
}

inline HINSTANCE WINAPI RecordLaunch(HWND, LPCWSTR verb, LPCWSTR file, LPCWSTR, LPCWSTR directory, INT show)
{
    Recorded().launches.push_back({verb ? verb : L"(none)", file ? file : L"", directory ? directory : L"(none)", show});
    return reinterpret_cast<HINSTANCE>(Recorded().answer);
}

inline int WINAPI RecordBox(HWND, LPCWSTR text, LPCWSTR caption, UINT flags)
{
    Recorded().boxes.push_back(std::wstring(text) + L"|" + caption + L"|" + std::to_wstring(flags));
    return IDOK;
}

class CommandsTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        saved_ = Shell();
        Shell() = ShellActions{RecordLaunch, RecordBox};
        Recorded() = ShellRecord{};
    }

    void TearDown() override
    {
        Shell() = saved_;
        SetCtrl(false);
        MainFormTest::TearDown();
    }

    TMainForm& StartWith(const std::vector<std::wstring>& items)
    {
        WriteBytes(DefaultList(), Utf16Lines(items));
        return StartWithoutArgument();
    }

    std::vector<std::wstring> ListTexts() const
    {
        std::vector<std::wstring> texts;
        HWND list = form->ListBox();
        int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int row = 0; row < count; ++row) {
            std::wstring text(SendMessageW(list, LB_GETTEXTLEN, row, 0) + 1, L'\0');
            text.resize(SendMessageW(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(text.data())));
            texts.push_back(text);
        }
        return texts;
    }

    void Select(const std::vector<int>& rows)
    {
        SendMessageW(form->ListBox(), LB_SETSEL, FALSE, -1);
        for (int row : rows)
            SendMessageW(form->ListBox(), LB_SETSEL, TRUE, row);
    }

    void Click(int id) { SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(form->ToolBar())); }

    static void SetCtrl(bool down)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    void PressWithCtrl(WPARAM key)
    {
        SetCtrl(true);
        SendMessageW(form->ListBox(), WM_KEYDOWN, key, 1);
        SetCtrl(false);
    }

    // The items of the default list file as saved, or nothing when there is no file.
    std::vector<std::wstring> SavedItems() const
    {
        std::vector<uint8_t> bytes = ReadBytes(DefaultList());
        std::wstring text;
        for (size_t k = 2; k + 1 < bytes.size(); k += 2)
            text.push_back(static_cast<wchar_t>(bytes[k] | (bytes[k + 1] << 8)));
        std::vector<std::wstring> lines;
        size_t start = 0, end;
        while ((end = text.find(L"\r\n", start)) != std::wstring::npos) {
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    // A folder of real files for the items that must exist.
    std::wstring Folder() const
    {
        std::wstring folder = TempFolder() + L"items";
        CreateDirectoryW(folder.c_str(), nullptr);
        return folder + L"\\";
    }

    std::wstring RealFile(const std::wstring& name) const
    {
        std::wstring path = Folder() + name;
        WriteBytes(path, {'x'});
        return path;
    }

private:
    ShellActions saved_{};
};

}  // namespace nesk::testing
