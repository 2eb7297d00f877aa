// Nesk.exe driven as a user drives it: keys typed into its list and clicks on its toolbar
// and title bar, sent from this second program, with the list file checked after each step.
#include "e2e/Driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace nesk::e2e {
namespace {

using Lines = std::vector<std::wstring>;

constexpr int kToolbarId = 101;
constexpr int kOpen = 1000, kExists = 1004;  // the toolbar buttons' command numbers

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
    std::wstring one = folder + L"一.txt", two = folder + L"二.txt", three = folder + L"三.txt";
    for (const auto& path : {one, two, three})
        WriteBytes(path, "x");
    std::wstring gone = L"C:\\nothing\\gone.txt";
    WriteLines(DefaultList(), {one, two, gone, three, one});
    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    Activate(main);

    // Ctrl+X on the second and fourth rows, then Ctrl+V in front of the first.
    Select(main, {1, 3});
    Keys({VK_CONTROL}, 'X');
    ASSERT_TRUE(ListFileIs({one, gone, one}));
    EXPECT_EQ(ListItems(main), (Lines{one, gone, one}));
    Select(main, {0});
    Keys({VK_CONTROL}, 'V');
    ASSERT_TRUE(ListFileIs({two, three, one, gone, one}));

    // Remove missing by a click on its button; remove duplicates by Alt and its letter.
    ClickAt(ButtonPoint(nesk, main, kExists));
    ASSERT_TRUE(ListFileIs({two, three, one, one}));
    Keys({VK_MENU}, 'U');
    ASSERT_TRUE(ListFileIs({two, three, one}));
    EXPECT_EQ(ListItems(main), (Lines{two, three, one}));

    // The window's own close button: the list is saved once more and the program ends.
    DeleteFileW(DefaultList().c_str());
    RECT window{};
    GetWindowRect(main, &window);
    ClickAt(POINT{window.right - 20, window.top + 18});
    ASSERT_TRUE(nesk.WaitForExit());
    EXPECT_EQ(ReadLines(DefaultList()), (Lines{two, three, one}));
}

TEST_F(Commands, OpeningReportsWhatTheShellCannotOpenAndSkipsWhatIsMissing)
{
    std::wstring folder = TempFolder();
    std::wstring odd = folder + L"no-program-for-this.nesk-unknown";
    WriteBytes(odd, "x");
    WriteLines(DefaultList(), {L"C:\\nothing\\gone.txt", odd});
    NeskProcess nesk;
    HWND main = nesk.MainWindow();
    Activate(main);

    Select(main, {0});
    Keys({}, VK_RETURN);
    Sleep(500);
    EXPECT_FALSE(FindMessageBox(nesk.Id()).has_value()) << "a missing item is skipped without a word";

    Select(main, {1});
    ClickAt(ButtonPoint(nesk, main, kOpen));
    MessageBoxInfo box = WaitForMessageBox(nesk.Id());
    EXPECT_EQ(box.caption, L"Nesk - エラー");
    EXPECT_EQ(box.text, L"起動できません");
    PressButton(box.window);
    ASSERT_TRUE(nesk.Close());
    EXPECT_EQ(ReadLines(DefaultList()), (Lines{L"C:\\nothing\\gone.txt", odd}));
}

}  // namespace
}  // namespace nesk::e2e
