// The window-wide file-drop target on a bare test form: what a drop collects, the options,
// filter and events, the switch, the drop point and control, and handles that are no drop.

#include <algorithm>

#include "DropTestSupport.h"
#include "exchange/win32/QivFormDropFiles.h"

namespace nesk::testing {
namespace {

using Names = std::vector<std::wstring>;

struct Collected {
    Names files;
    std::vector<bool> folders;
    bool operator==(const Collected&) const = default;
};

Collected Read(const TQivSubClassedDropFiles& target)
{
    Collected collected;
    for (int i = 0; i < target.Count(); ++i) {
        collected.files.push_back(target.Files(i));
        collected.folders.push_back(target.IsFolder(i));
    }
    return collected;
}

class QivFormDropFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = CreateTestForm();
        ASSERT_NE(form, nullptr);
        root = FreshFolder(L"nesk-drop-target");
        // root\a.txt, root\b.txt, root\c.txt, root\Folder\.hidden.txt, root\Folder\Sub\deep.txt
        for (const auto* name : {L"\\a.txt", L"\\b.txt", L"\\c.txt"})
            MakeFile(root + name);
        MakeFolder(root + L"\\Folder");
        MakeFile(root + L"\\Folder\\.hidden.txt", FILE_ATTRIBUTE_HIDDEN);
        MakeFolder(root + L"\\Folder\\Sub");
        MakeFile(root + L"\\Folder\\Sub\\deep.txt");
    }

    void TearDown() override
    {
        DestroyWindow(form);
        FreshFolder(L"nesk-drop-target");
    }

    LRESULT SendRegistered(const Names& names, LPARAM point = 0)
    {
        return SendMessageW(form, QivDropFilesMessage(), reinterpret_cast<WPARAM>(MakeDropHandle(names)), point);
    }

    HWND form = nullptr;
    std::wstring root;
};

TEST_F(QivFormDropFiles, CollectsFilesAndFoldersInDropOrderWithoutFolderContents)
{
    TQivFormDropFiles target(form);
    int drops = 0;
    target.SetOnDropFiles([&](TQivSubClassedDropFiles& sender) {
        EXPECT_EQ(&sender, &target);
        ++drops;
    });
    Names dropped{root + L"\\c.txt", root + L"\\Folder", root + L"\\a.txt", root + L"\\b.txt"};
    EXPECT_EQ(SendRegistered(dropped), 1);
    EXPECT_EQ(drops, 1);
    EXPECT_EQ(Read(target), (Collected{dropped, {false, true, false, false}}));
    EXPECT_EQ(target.FileName(), root + L"\\c.txt");

    // The next drop replaces the names; nothing accumulates.
    SendRegistered({root + L"\\b.txt"});
    EXPECT_EQ(Read(target), (Collected{{root + L"\\b.txt"}, {false}}));
}

TEST_F(QivFormDropFiles, OptionsChooseWhatIsCollected)
{
    std::wstring folder = root + L"\\Folder", hidden = folder + L"\\.hidden.txt", sub = folder + L"\\Sub",
                 deep = sub + L"\\deep.txt";
    // The walk takes a folder's entries in the file system's order, so either entry of Folder
    // may come first; the pre-order is what counts: a folder before its contents, and a
    // subfolder's contents right after it.
    struct Case {
        const char* name;
        TQivDropFilesOptions options;
        std::vector<Names> acceptable;
    } cases[] = {
        {"files only, a folder dropped", {dfoIncFiles}, {{}}},
        {"folders only", {dfoIncFolders}, {{folder}}},
        {"recursion with everything", {dfoIncFolders, dfoIncFiles, dfoRecurseFolders},
         {{folder, hidden, sub, deep}, {folder, sub, deep, hidden}}},
        {"recursion, files only", {dfoIncFiles, dfoRecurseFolders}, {{hidden, deep}, {deep, hidden}}},
        {"recursion, folders only", {dfoIncFolders, dfoRecurseFolders}, {{folder, sub}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TQivFormDropFiles target(form);
        target.SetOptions(c.options);
        bool raised = false;
        target.SetOnDropFiles([&](TQivSubClassedDropFiles&) { raised = true; });
        SendRegistered({folder});
        EXPECT_TRUE(raised) << "the event comes also when nothing was collected";
        Names got = Read(target).files;
        EXPECT_NE(std::find(c.acceptable.begin(), c.acceptable.end(), got), c.acceptable.end())
            << ::testing::PrintToString(got);
        EXPECT_EQ(target.FileName(), got.empty() ? L"" : got.front());
    }
}

TEST_F(QivFormDropFiles, RecursedFoldersCarryTheirFolderFlag)
{
    TQivFormDropFiles target(form);
    target.SetOptions({dfoIncFolders, dfoIncFiles, dfoRecurseFolders});
    SendRegistered({root + L"\\Folder"});
    ASSERT_EQ(target.Count(), 4);
    for (int i = 0; i < target.Count(); ++i)
        EXPECT_EQ(target.IsFolder(i), target.Files(i).find(L".txt") == std::wstring::npos) << target.Files(i);
}

class TxtAndFolders : public TQivFileFilter {
public:
    bool Accept(const std::wstring& path, bool isFolder) override
    {
        ++calls;
        return isFolder || (path.size() > 4 && path.compare(path.size() - 4, 4, L".txt") == 0);
    }
    int calls = 0;
};

TEST_F(QivFormDropFiles, FilterPassesAndTheEventOnlyNarrows)
{
    MakeFile(root + L"\\d.bin");
    TQivFormDropFiles target(form);
    TxtAndFolders filter;
    target.SetFilter(&filter);
    Names asked;
    target.SetOnFileFilter([&](TQivAbstractDropFilesHelper&, const std::wstring& name, bool, bool& accept) {
        asked.push_back(name);
        if (name == root + L"\\b.txt")
            accept = false;
    });
    SendRegistered({root + L"\\a.txt", root + L"\\d.bin", root + L"\\b.txt", root + L"\\Folder"});
    EXPECT_EQ(Read(target).files, (Names{root + L"\\a.txt", root + L"\\Folder"}));
    EXPECT_EQ(asked, (Names{root + L"\\a.txt", root + L"\\b.txt", root + L"\\Folder"}))
        << "a name the filter refused never reaches the event";

    // A folder that is not wanted is still walked.
    target.SetOptions({dfoIncFiles, dfoRecurseFolders});
    asked.clear();
    SendRegistered({root + L"\\Folder"});
    EXPECT_EQ(Read(target).files.size(), 2u);
}

TEST_F(QivFormDropFiles, DestroyedFilterLeavesTheTarget)
{
    TQivFormDropFiles target(form);
    {
        TxtAndFolders filter;
        target.SetFilter(&filter);
        EXPECT_EQ(target.Filter(), &filter);
    }
    EXPECT_EQ(target.Filter(), nullptr);
    SendRegistered({root + L"\\a.txt"});
    EXPECT_EQ(target.Count(), 1);
}

TEST_F(QivFormDropFiles, EnabledSwitchesTheShellRegistrationAndTheDrops)
{
    auto registered = [&] { return (GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_ACCEPTFILES) != 0; };
    TQivFormDropFiles target(form);
    int drops = 0;
    target.SetOnDropFiles([&](TQivSubClassedDropFiles&) { ++drops; });
    EXPECT_TRUE(target.Enabled());
    EXPECT_TRUE(registered());

    target.SetEnabled(false);
    EXPECT_FALSE(registered());
    EXPECT_EQ(SendRegistered({root + L"\\a.txt"}), 1) << "still answered while switched off";
    EXPECT_EQ(drops, 0);

    target.SetEnabled(true);
    EXPECT_TRUE(registered());
    SendRegistered({root + L"\\a.txt"});
    EXPECT_EQ(drops, 1);
}

TEST_F(QivFormDropFiles, RegisteredMessageSignExtendsItsPointAndAnswersOne)
{
    TQivFormDropFiles target(form);
    EXPECT_EQ(SendRegistered({root + L"\\a.txt"}, static_cast<LPARAM>(static_cast<uint32_t>(0xFFF6000Au))), 1);
    EXPECT_EQ(target.GetDropPoint(), (DropPoint{10, -10}));

    HGLOBAL shellDrop = MakeDropHandle({root + L"\\b.txt"}, {25, 40});
    EXPECT_EQ(SendMessageW(form, WM_DROPFILES, reinterpret_cast<WPARAM>(shellDrop), 0), 0);
    EXPECT_EQ(target.GetDropPoint(), (DropPoint{25, 40})) << "a shell drop carries its point in the block";
    EXPECT_EQ(Read(target).files, (Names{root + L"\\b.txt"}));
    EXPECT_EQ(GlobalSize(shellDrop), 0u) << "the drop handle is released";
}

TEST_F(QivFormDropFiles, OtherMessagesReachTheFormAndEventsRunInOrder)
{
    TQivFormDropFiles target(form);
    SetWindowTextW(form, L"still the form's own");
    wchar_t title[64] = {};
    GetWindowTextW(form, title, 64);
    EXPECT_STREQ(title, L"still the form's own");

    std::vector<std::string> order;
    target.SetOnBeforeDrop([&](TQivSubClassedDropFiles& sender) {
        order.push_back("before:" + std::to_string(sender.Count()));
    });
    target.SetOnDropFiles([&](TQivSubClassedDropFiles& sender) {
        order.push_back("drop:" + std::to_string(sender.Count()));
    });
    SendRegistered({root + L"\\a.txt"});
    SendRegistered({root + L"\\a.txt", root + L"\\b.txt"});
    EXPECT_EQ(order, (std::vector<std::string>{"before:0", "drop:1", "before:1", "drop:2"}));
}

TEST_F(QivFormDropFiles, DropControlIsTheInnermostVisibleWindowUnderThePoint)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND panel = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 200, 100, form, nullptr, instance,
                                 nullptr);
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 20, 20, 50, 30, panel, nullptr, instance,
                                  nullptr);
    HWND hidden = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 250, 10, 100, 100, form, nullptr, instance, nullptr);
    ASSERT_TRUE(panel && button && hidden);
    TQivFormDropFiles target(form);
    struct Case {
        const char* name;
        uint32_t point;
        HWND control;
    } cases[] = {
        {"on the form", MAKELONG(5, 5), form},
        {"on a child", MAKELONG(15, 15), panel},
        {"on a child's child", MAKELONG(35, 35), button},
        {"right edge of the child is outside it", MAKELONG(210, 50), form},
        {"under a hidden child", MAKELONG(300, 50), form},
        {"left of the client area", 0x0005FFFFu, nullptr},
        {"below the client area", MAKELONG(5, 300), nullptr},
        {"the client area's corner", MAKELONG(0, 0), form},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SendRegistered({root + L"\\a.txt"}, static_cast<LPARAM>(c.point));
        EXPECT_EQ(target.DropControl(), c.control);
    }
}

TEST_F(QivFormDropFiles, ConstructionErrors)
{
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, form, nullptr, nullptr, nullptr);
    for (HWND owner : {static_cast<HWND>(nullptr), child}) {
        try {
            TQivFormDropFiles target(owner);
            ADD_FAILURE() << "a window that is no form was taken";
        } catch (const DropFilesError& error) {
            EXPECT_EQ(error.Message(), L"TQivFormDropFiles owner must be a form");
        }
    }

    {
        TQivFormDropFiles first(form, L"FirstDrop");
        try {
            TQivFormDropFiles second(form);
            ADD_FAILURE() << "a second target on one form was taken";
        } catch (const DropFilesError& error) {
            EXPECT_EQ(error.Message(), L"Only one TQivFormDropFiles component is permitted on a form: FirstDrop is "
                                       L"already present on TDropTestForm");
        }
        EXPECT_EQ(SendRegistered({root + L"\\a.txt"}), 1);
        EXPECT_EQ(first.Count(), 1) << "the refused second target left the first one working";
    }
    TQivFormDropFiles again(form);  // the first one is gone, so the form is free again
    EXPECT_EQ(SendRegistered({root + L"\\a.txt"}), 1);
    EXPECT_EQ(again.Count(), 1);
}

TEST_F(QivFormDropFiles, TargetOutlivingItsWindowLetsGo)
{
    auto target = std::make_unique<TQivFormDropFiles>(form);
    DestroyWindow(form);
    form = nullptr;
    EXPECT_EQ(target->DropControl(), nullptr);
    target.reset();  // must neither crash nor touch the gone window
}

WNDPROC gBelowCounter = nullptr;
int gCounted = 0;

LRESULT CALLBACK CountingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETTEXT)
        ++gCounted;
    return CallWindowProcW(gBelowCounter, hwnd, message, wParam, lParam);
}

TEST_F(QivFormDropFiles, ProcedureTakenOverLaterKeepsWorkingWhenTheTargetGoes)
{
    auto target = std::make_unique<TQivFormDropFiles>(form);
    gCounted = 0;
    gBelowCounter = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(form, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
    target.reset();

    // Our procedure stays below the later one, passing everything on to the form's own.
    SetWindowTextW(form, L"after the target");
    wchar_t title[32] = {};
    GetWindowTextW(form, title, 32);
    EXPECT_STREQ(title, L"after the target");
    EXPECT_EQ(gCounted, 1);
    EXPECT_EQ(SendRegistered({root + L"\\a.txt"}), 0) << "no target answers the drop message any more";

    TQivFormDropFiles again(form);
    EXPECT_EQ(SendRegistered({root + L"\\a.txt"}), 1);
    EXPECT_EQ(again.Count(), 1);
}

TEST_F(QivFormDropFiles, HandlesThatAreNoDropGiveNoNames)
{
    TQivFormDropFiles target(form);
    int drops = 0;
    target.SetOnDropFiles([&](TQivSubClassedDropFiles&) { ++drops; });
    std::vector<uint8_t> good = BuildDropFiles({root + L"\\a.txt", root + L"\\b.txt"});
    std::vector<uint8_t> noFinalTerminator(good.begin(), good.end() - 2);
    std::vector<uint8_t> lastNameCut(good.begin(), good.end() - 6);
    std::vector<uint8_t> offsetPastEnd = good;
    offsetPastEnd[0] = 0xF0;
    offsetPastEnd[1] = 0xFF;
    int onStack = 0;
    struct Case {
        const char* name;
        HANDLE handle;
        Names expected;
    } cases[] = {
        {"null", nullptr, {}},
        {"small number", reinterpret_cast<HANDLE>(1), {}},
        {"garbage", reinterpret_cast<HANDLE>(0x12345678), {}},
        {"a window handle", form, {}},
        {"a stack address", &onStack, {}},
        {"block shorter than the header", GlobalFromBytes({20, 0, 0, 0, 0}), {}},
        {"names' offset past the end", GlobalFromBytes(offsetPastEnd), {}},
        {"no final terminator", GlobalFromBytes(noFinalTerminator), {root + L"\\a.txt", root + L"\\b.txt"}},
        {"last name cut by the end", GlobalFromBytes(lastNameCut), {root + L"\\a.txt"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SendMessageW(form, QivDropFilesMessage(), reinterpret_cast<WPARAM>(c.handle), 0), 1);
        EXPECT_EQ(Read(target).files, c.expected);
    }
    EXPECT_EQ(drops, static_cast<int>(std::size(cases)));
}

TEST_F(QivFormDropFiles, FailingHandlerAnswersZeroAndKeepsWhatWasCollected)
{
    TQivFormDropFiles target(form);
    target.SetOnFileFilter([&](TQivAbstractDropFilesHelper&, const std::wstring& name, bool, bool&) {
        if (name == root + L"\\b.txt")
            throw std::runtime_error("handler failed");
    });
    HGLOBAL handle = MakeDropHandle({root + L"\\a.txt", root + L"\\b.txt", root + L"\\c.txt"});
    EXPECT_EQ(SendMessageW(form, QivDropFilesMessage(), reinterpret_cast<WPARAM>(handle), 0), 0);
    EXPECT_EQ(Read(target).files, (Names{root + L"\\a.txt"}));
    EXPECT_EQ(GlobalSize(handle), 0u) << "released although the drop failed";
}

}  // namespace
}  // namespace nesk::testing
