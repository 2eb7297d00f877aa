// The window's own title bar and frame, the toolbar, Alt accelerators, always-on-top and zoom.
#include "MainFormCommandsTestSupport.h"

#include <commctrl.h>

namespace nesk::testing {
namespace {

using Texts = std::vector<std::wstring>;

class ChromeTest : public CommandsTest {
protected:
    LRESULT HitTestAt(int clientX, int clientY)
    {
        POINT point{clientX, clientY};
        ClientToScreen(form->Handle(), &point);
        return SendMessageW(form->Handle(), WM_NCHITTEST, 0, MAKELPARAM(point.x, point.y));
    }

    static void SetKey(int key, bool down)
    {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[key] = down ? 0x80 : 0;
        SetKeyboardState(keys);
    }

    bool AltWith(WPARAM letter)
    {
        SetKey(VK_MENU, true);
        MSG message{form->ListBox(), WM_SYSKEYDOWN, letter, 0x20000001, 0, {}};
        bool handled = form->PreTranslateMessage(message);
        SetKey(VK_MENU, false);
        return handled;
    }
};

TEST_F(ChromeTest, TheTitleBarTakesTheTopOfTheWindowAndAnswersHitTests)
{
    TMainForm& main = StartWith({L"C:\\a"});
    EXPECT_EQ(main.TitleBarPanelHeight(), 37);
    RECT window{}, client{};
    GetWindowRect(main.Handle(), &window);
    GetClientRect(main.Handle(), &client);
    POINT origin{0, 0};
    ClientToScreen(main.Handle(), &origin);
    EXPECT_EQ(origin.y, window.top) << "no system caption above ours";
    EXPECT_GT(origin.x, window.left) << "the resize border stays";

    int width = client.right;
    EXPECT_EQ(HitTestAt(width / 3, 20), HTCAPTION);
    EXPECT_EQ(HitTestAt(width / 3, 1), HTTOP);
    EXPECT_EQ(HitTestAt(2, 1), HTTOPLEFT);
    EXPECT_EQ(HitTestAt(width - 10, 20), HTCLIENT) << "the close button is clicked, not dragged";
    EXPECT_EQ(HitTestAt(width - 46 * 3 - 30, 20), HTCLIENT) << "the tray button";
    EXPECT_EQ(HitTestAt(width / 2, client.bottom - 20), HTCLIENT);
    POINT below{width / 2, client.bottom + 1};
    ClientToScreen(main.Handle(), &below);
    EXPECT_EQ(SendMessageW(main.Handle(), WM_NCHITTEST, 0, MAKELPARAM(below.x, below.y)), HTBOTTOM);
}

TEST_F(ChromeTest, TheCloseButtonClosesOnlyWhenReleasedOverIt)
{
    TMainForm& main = StartWith({L"C:\\a"});
    RECT client{};
    GetClientRect(main.Handle(), &client);
    LPARAM onClose = MAKELPARAM(client.right - 20, 20);
    LPARAM onCaption = MAKELPARAM(100, 20);
    SendMessageW(main.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, onClose);
    SendMessageW(main.Handle(), WM_LBUTTONUP, 0, onCaption);
    EXPECT_TRUE(IsWindow(main.Handle()));

    DeleteFileW(DefaultList().c_str());
    HWND window = main.Handle();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, onClose);
    SendMessageW(window, WM_LBUTTONUP, 0, onClose);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(SavedItems(), (Texts{L"C:\\a"})) << "closing saves the list";
}

TEST_F(ChromeTest, ToolbarHasTwoRowsOfButtonsWithTheirHints)
{
    TMainForm& main = StartWith({});
    RECT open = main.ToolbarButtonRect(ID_TBOPEN);
    RECT paste = main.ToolbarButtonRect(ID_TBPASTE);
    RECT menu = main.ToolbarButtonRect(ID_TBRMENU);
    RECT file = main.ToolbarButtonRect(ID_TBFILE);
    RECT close = main.ToolbarButtonRect(ID_TBCLOSE);
    EXPECT_EQ(open.bottom - open.top, 46);
    EXPECT_EQ(paste.top, open.top);
    EXPECT_EQ(menu.top, open.bottom) << "the context menu button begins the second row";
    EXPECT_EQ(menu.left, open.left);
    EXPECT_EQ(close.top, menu.top);
    EXPECT_GT(file.right - file.left, open.right - open.left) << "the file button carries its arrow";

    HWND tips = reinterpret_cast<HWND>(SendMessageW(main.ToolBar(), TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(tips, nullptr);
    struct Case {
        int id;
        const wchar_t* hint;
    } cases[] = {{ID_TBOPEN, L"開く"}, {ID_TBCLIP, L"クリップボードから貼り付け"}, {ID_TBCUT, L"切り取り(CTRL+X)"},
                 {ID_TBPURGE, L"重複を消去"}, {ID_TBRMENU, L"コンテキストメニュー(Ctrl+Menu)"},
                 {ID_TBTOP, L"常に手前に表示"}, {ID_TBCLOSE, L"終了"}};
    for (const auto& c : cases) {
        NMTTDISPINFOW info{};
        info.hdr.hwndFrom = tips;
        info.hdr.idFrom = c.id;
        info.hdr.code = TTN_GETDISPINFOW;
        SendMessageW(main.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
        ASSERT_NE(info.lpszText, nullptr);
        EXPECT_STREQ(info.lpszText, c.hint);
    }
}

TEST_F(ChromeTest, AltWithACaptionLetterRunsThatButton)
{
    TMainForm& main = StartWith({L"C:\\a", L"C:\\b"});
    EXPECT_TRUE(AltWith('S'));
    EXPECT_EQ(main.SelectedIndices(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(AltWith('X'));
    EXPECT_TRUE(ListTexts().empty());
    EXPECT_TRUE(AltWith('V'));
    EXPECT_EQ(ListTexts(), (Texts{L"C:\\a", L"C:\\b"}));
    EXPECT_FALSE(AltWith('Z')) << "no button has that letter";
    MSG plain{main.ListBox(), WM_KEYDOWN, 'S', 1, 0, {}};
    EXPECT_FALSE(main.PreTranslateMessage(plain));
}

TEST_F(ChromeTest, AlwaysOnTopFollowsTheToggle)
{
    TMainForm& main = StartWith({});
    ShowWindow(main.Handle(), SW_SHOWNOACTIVATE);
    auto topMost = [&] { return (GetWindowLongW(main.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
    EXPECT_FALSE(topMost());
    SendMessageW(main.ToolBar(), TB_CHECKBUTTON, ID_TBTOP, TRUE);  // as a click leaves it
    Click(ID_TBTOP);
    EXPECT_TRUE(main.TBTopDown());
    EXPECT_TRUE(topMost());
    main.SetTBTopDown(false);
    EXPECT_FALSE(topMost());
    main.SetTBTopDown(true);
    EXPECT_TRUE(topMost());
}

TEST_F(ChromeTest, CtrlWheelZoomsWithinTenToEighteen)
{
    TMainForm& main = StartWith({L"C:\\a"});
    auto rowHeight = [&] { return static_cast<int>(SendMessageW(main.ListBox(), LB_GETITEMHEIGHT, 0, 0)); };
    main.SetListFontSize(12);
    main.FormMouseWheel(-WHEEL_DELTA, false);
    EXPECT_EQ(main.ListFontSize(), 12) << "without Ctrl the wheel only scrolls";

    const int heights[] = {22, 24, 26, 29, 31, 33, 35, 37, 40};
    for (int notch = 0; notch < 4; ++notch)
        main.FormMouseWheel(-WHEEL_DELTA, true);
    EXPECT_EQ(main.ListFontSize(), 10);
    EXPECT_EQ(rowHeight(), 22);
    for (int size = 11; size <= 18; ++size) {
        main.FormMouseWheel(WHEEL_DELTA, true);
        EXPECT_EQ(main.ListFontSize(), size);
        EXPECT_EQ(rowHeight(), heights[size - 10]);
    }
    main.FormMouseWheel(WHEEL_DELTA, true);
    EXPECT_EQ(main.ListFontSize(), 18);

    // Half notches add up; a stored size beyond the range comes back into it.
    main.FormMouseWheel(-WHEEL_DELTA / 2, true);
    EXPECT_EQ(main.ListFontSize(), 18);
    main.FormMouseWheel(-WHEEL_DELTA / 2, true);
    EXPECT_EQ(main.ListFontSize(), 17);
    main.SetListFontSize(20);
    main.FormMouseWheel(WHEEL_DELTA, true);
    EXPECT_EQ(main.ListFontSize(), 18);

    // Through the message loop: the wheel sent to the focused list, with Ctrl held.
    MSG wheel{main.ListBox(), WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<WORD>(-WHEEL_DELTA)), 0, 0, {}};
    EXPECT_TRUE(main.PreTranslateMessage(wheel));
    EXPECT_EQ(main.ListFontSize(), 17);
    MSG scroll{main.ListBox(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0, 0, {}};
    EXPECT_FALSE(main.PreTranslateMessage(scroll));
}

}  // namespace
}  // namespace nesk::testing
