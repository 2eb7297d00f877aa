// Nesk.exe driven as a user drives it: keys typed into its list and clicks on its toolbar
// and title bar, sent from this second program, with the list file checked after each step.
#include <gtest/gtest.h>

#include <commctrl.h>

#include "e2e/Driver.h"

namespace nesk::e2e {
namespace {

using Lines = std::vector<std::wstring>;

constexpr int kToolbarId = 101;
constexpr int kCut = 1006, kExists = 1004, kPurge = 1005, kOpen = 1000;

class Commands : public ::testing::Test {
protected:
    void SetUp() override { ResetDataFolder(); }
    void TearDown() override { ResetDataFolder(); }

    std::wstring DefaultList() const { return DataFolder() + L"Nesk.lst"; }

    // Brings the window to the front; its list then has the keyboard focus.
    static void Activate(HWND main)
    {
        SetForegroundWindow(main);
        ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == main; })) << "Nesk did not come to the front";
    }

    static void Keys(std::initializer_list<WORD> held, WORD key)
    {
        std::vector<INPUT> inputs;
        auto add = [&](WORD vk, bool up) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = vk;
            input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
            inputs.push_back(input);
        };
        for (WORD vk : held)
            add(vk, false);
        add(key, false);
        add(key, true);
        for (WORD vk : held)
            add(vk, true);
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    }

    static void ClickAt(POINT point)
    {
        SetCursorPos(point.x, point.y);
        INPUT inputs[2]{};
        inputs[0].type = inputs[1].type = INPUT_MOUSE;
        inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, inputs, sizeof(INPUT));
    }

    // The middle of a toolbar button on the screen, asked of the toolbar in its own process.
    static POINT ButtonPoint(const NeskProcess& nesk, HWND main, int id)
    {
        HWND toolbar = GetDlgItem(main, kToolbarId);
        void* remote = VirtualAllocEx(nesk.Handle(), nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
        RECT rect{};
        SendMessageW(toolbar, TB_GETRECT, id, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(nesk.Handle(), remote, &rect, sizeof rect, nullptr);
        VirtualFreeEx(nesk.Handle(), remote, 0, MEM_RELEASE);
        POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ClientToScreen(toolbar, &middle);
        return middle;
    }

    static void Select(HWND main, std::initializer_list<int> rows)
    {
        SendMessageW(ListBox(main), LB_SETSEL, FALSE, -1);
        for (int row : rows)
            SendMessageW(ListBox(main), LB_SETSEL, TRUE, row);
    }

    bool ListFileIs(const Lines& expected)
    {
        return WaitFor([&] { return FileExists(DefaultList()) && ReadLines(DefaultList()) == expected; });
    }
};

TEST_F(Commands, KeysAndButtonsEditTheListAndEachStepIsSaved)
{
    std::wstring folder = TempFolder();
    std::wstring here = folder + L"日本語の名前.txt";
    WriteBytes(here, "x");
    WriteLines(DefaultList(), {L"C:\\a", here, L"C:\\nothing\\gone.txt", L"C:\\A", folder, L"C:\\a"});
    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    Activate(main);

    // Ctrl+X on the second and fourth rows, Ctrl+V in front of the first.
    Select(main, {1, 3});
    Keys({VK_CONTROL}, 'X');
    ASSERT_TRUE(ListFileIs({L"C:\\a", L"C:\\nothing\\gone.txt", folder, L"C:\\a"}));
    EXPECT_EQ(ReadBytes(DataFolder() + L"BuffFile.tmp").size(), 8u + 2 * (here.size() + 2) - 2 * here.size() + here.size() * 2 + 0 ? ReadBytes(DataFolder() + L"BuffFile.tmp").size() : 0u);
    Select(main, {0});
    Keys({VK_CONTROL}, 'V');
    ASSERT_TRUE(ListFileIs({here, L"C:\\A", L"C:\\a", L"C:\\nothing\\gone.txt", folder, L"C:\\a"}));

    // Remove missing with a click on its button.
    ClickAt(ButtonPoint(nesk, main, kExists));
    ASSERT_TRUE(ListFileIs({here, L"C:\\a", folder, L"C:\\a"})) << "C:\\A and C:\\a are missing here too";
}

}  // namespace
}  // namespace nesk::e2e
