// The title of the window a drop came from, and bringing a window to the front.
#include "DropTestSupport.h"
#include "exchange/win32/Foreground.h"

namespace nesk::testing {
namespace {

class Foreground : public ::testing::Test {
protected:
    void TearDown() override
    {
        for (HWND window : windows)
            DestroyWindow(window);
    }

    HWND Window(const std::wstring& title, bool visible = true)
    {
        HWND window = CreateTestForm(200, 100);
        SetWindowTextW(window, title.c_str());
        if (visible)
            ShowWindow(window, SW_SHOW);
        windows.push_back(window);
        return window;
    }

    std::vector<HWND> windows;
};

TEST_F(Foreground, WindowTitleIsCleanedAndCut)
{
    std::wstring longTitle;
    for (int i = 0; i < 300; ++i)
        longTitle += static_cast<wchar_t>(L'a' + i % 26);
    struct Case {
        const char* name;
        HWND window;
        std::wstring title;
    } cases[] = {
        {"trailing spaces", Window(L"ページ - Browser  "), L"ページ - Browser"},
        {"300 characters", Window(longTitle), longTitle.substr(0, 259)},
        {"invisible", Window(L"Hidden page", false), L""},
        {"empty title", Window(L""), L""},
        {"no window", nullptr, L""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(GetWindowTitle(c.window), c.title);
    }
}

TEST_F(Foreground, ForcedWindowComesToTheFrontAndTheLockTimeOutIsKept)
{
    HWND first = Window(L"first");
    HWND second = Window(L"second");
    DWORD timeoutBefore = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeoutBefore, 0);

    SetForegroundWindow(first);
    EXPECT_TRUE(ForceForegroundWindow(second));
    EXPECT_EQ(GetForegroundWindow(), second);

    EXPECT_TRUE(ForceForegroundWindow(second)) << "already in front";
    EXPECT_EQ(GetForegroundWindow(), second);

    DWORD timeoutAfter = 0;
    SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeoutAfter, 0);
    EXPECT_EQ(timeoutAfter, timeoutBefore);
}

}  // namespace
}  // namespace nesk::testing
