// The program's run from entry to end: the component modules come up before the main window
// and go down, in the reverse order, after it; each step records itself as it runs.
#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <vector>

#include "app/Program.h"
#include "platform/Lifecycle.h"
#include "win/MainFormTestSupport.h"

namespace nesk::testing {
namespace {

std::vector<LifeEvent> gWhileWindowShown;
HRESULT gComWhileWindowShown = E_FAIL;
bool gCloseAsked = false;

BOOL CALLBACK CloseMainForm(HWND window, LPARAM)
{
    wchar_t name[32] = {};
    GetClassNameW(window, name, 32);
    if (std::wstring(name) != L"TMainForm")
        return TRUE;
    gWhileWindowShown = RecordedLifeSteps();
    // S_FALSE: the window's thread already has COM, as the shell calls behind it need.
    gComWhileWindowShown = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(gComWhileWindowShown))
        CoUninitialize();
    gCloseAsked = true;
    PostMessageW(window, WM_CLOSE, 0, 0);
    return FALSE;
}

// Runs inside the program's own message loop, once its window exists.
void CALLBACK CloseOnceShown(HWND, UINT, UINT_PTR, DWORD)
{
    if (!gCloseAsked)
        EnumThreadWindows(GetCurrentThreadId(), CloseMainForm, 0);
}

class ProgramTest : public MainFormTest {};

TEST_F(ProgramTest, ModulesStartBeforeTheMainWindowAndStopInReverseAfterIt)
{
    const LifeStep modules[] = {LifeStep::DropEffectFormats, LifeStep::DragDropCore, LifeStep::FileFormats,
                                LifeStep::ShellIdentifiers,  LifeStep::ContextMenu,  LifeStep::LinkFormats,
                                LifeStep::DropFilesMessage};
    std::vector<LifeEvent> started;
    for (LifeStep step : modules)
        started.push_back({step, true});
    started.push_back({LifeStep::MainWindow, true});
    std::vector<LifeEvent> whole = started;
    whole.push_back({LifeStep::MainWindow, false});
    for (auto step = std::rbegin(modules); step != std::rend(modules); ++step)
        whole.push_back({*step, false});

    ClearRecordedLifeSteps();
    gWhileWindowShown.clear();
    gComWhileWindowShown = E_FAIL;
    gCloseAsked = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 20, CloseOnceShown);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(RunProgram(std::wstring(L"/New"), SW_HIDE), 0);
    KillTimer(nullptr, timer);

    ASSERT_TRUE(gCloseAsked);
    EXPECT_EQ(gWhileWindowShown, started);
    EXPECT_EQ(gComWhileWindowShown, S_FALSE);
    EXPECT_EQ(RecordedLifeSteps(), whole);
    // The drop message stays registered for the windows of the process.
    EXPECT_NE(QivDropFilesMessage(), 0u);
}

}  // namespace
}  // namespace nesk::testing
