// Files and list files dropped on the main window, delivered through the registered message
// with drop handles built here (a drop handle cannot cross processes).
#include "DropMessageBoxAnswerer.h"
#include "DropTestSupport.h"
#include "MainFormTestSupport.h"
#include "exchange/win32/MessageFilter.h"
#include "list/ListFile.h"

namespace nesk::testing {
namespace {

using Lines = std::vector<std::wstring>;

class MainFormDrop : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        root = FreshFolder(L"nesk-drop-main");
        MakeFile(root + L"\\b.txt");
        MakeFile(root + L"\\A.txt");
        MakeFolder(root + L"\\c");
    }

    void TearDown() override
    {
        MainFormTest::TearDown();
        FreshFolder(L"nesk-drop-main");
    }

    LRESULT Drop(const Lines& names)
    {
        return SendMessageW(form->Handle(), QivDropFilesMessage(), reinterpret_cast<WPARAM>(MakeDropHandle(names)),
                            0);
    }

    // Screen points over the list: inside a row, below the last row, and outside the list.
    POINT OnRow(int row)
    {
        RECT rect;
        SendMessageW(form->ListBox(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        POINT point{rect.left + 30, (rect.top + rect.bottom) / 2};
        ClientToScreen(form->ListBox(), &point);
        return point;
    }
    POINT BelowLastRow()
    {
        RECT client;
        GetClientRect(form->ListBox(), &client);
        POINT point{client.left + 30, client.bottom - 3};
        ClientToScreen(form->ListBox(), &point);
        return point;
    }
    POINT OutsideList()
    {
        RECT list;
        GetWindowRect(form->ListBox(), &list);
        return {list.left + 30, list.top - 5};  // the toolbar or the title bar above it
    }

    Lines OnDisk(const std::wstring& path) { return LoadDefaultListItems(path); }

    std::wstring root;
};

TEST_F(MainFormDrop, DroppedPathsLandSortedWhereTheCursorIs)
{
    std::wstring a = root + L"\\A.txt", b = root + L"\\b.txt", c = root + L"\\c";
    struct Case {
        const char* name;
        Lines items;
        int row;  // -1 above the list, -2 below the last row
        Lines expected;
    } cases[] = {
        {"above the list", {L"x"}, -1, {L"x", a, b, c}},
        {"on a row", {L"x", L"y"}, 1, {L"x", c, b, a, L"y"}},
        {"below the last row", {L"x"}, -2, {L"x", c, b, a}},
        {"a path that is already there", {a}, -2, {a, c, b, a}},
    };
    for (const auto& cs : cases) {
        SCOPED_TRACE(cs.name);
        TMainForm& main = StartWithoutArgument();
        main.SetItems(cs.items);
        POINT cursor = cs.row == -1 ? OutsideList() : cs.row == -2 ? BelowLastRow() : OnRow(cs.row);
        ASSERT_TRUE(SetCursorPos(cursor.x, cursor.y));
        EXPECT_EQ(Drop({b, a, c}), 1);
        EXPECT_EQ(main.Items(), cs.expected);
        EXPECT_EQ(SendMessageW(main.ListBox(), LB_GETCOUNT, 0, 0), static_cast<LRESULT>(cs.expected.size()));
        EXPECT_EQ(OnDisk(DefaultList()), cs.expected) << "the list file is rewritten at once";
        form.reset();
    }
}

TEST_F(MainFormDrop, DroppedPathsTakeTheStoredLetterCaseAndKeepTheSelection)
{
    MakeFolder(root + L"\\Data");
    MakeFile(root + L"\\Data\\ReadMe.txt");
    TMainForm& main = StartWithoutArgument();
    main.SetItems({L"x", L"y"});
    SendMessageW(main.ListBox(), LB_SETSEL, TRUE, 1);
    POINT cursor = BelowLastRow();
    SetCursorPos(cursor.x, cursor.y);

    std::wstring delivered = root + L"\\DATA\\readme.TXT";
    delivered[0] = static_cast<wchar_t>(towlower(delivered[0]));
    Drop({delivered});

    std::wstring stored = root + L"\\Data\\ReadMe.txt";
    stored[0] = delivered[0];  // the drive stays as delivered
    EXPECT_EQ(main.Items(), (Lines{L"x", L"y", stored}));
    EXPECT_EQ(main.SelectedIndices(), (std::vector<int>{1}));
}

TEST_F(MainFormDrop, OneListFileIsOpenedInsteadOfAdded)
{
    WriteBytes(DefaultList(), Utf16Lines({L"D:\\old"}));
    std::wstring work = root + L"\\Work.Nesk.log";
    WriteBytes(work, Utf16Lines({L"### Nesk ###", L"C:\\one", L"C:\\two"}));
    TMainForm& main = StartWithoutArgument();
    main.SetItems({L"D:\\changed"});

    Drop({work});

    EXPECT_EQ(main.Title(), L"Nesk - Work");
    EXPECT_EQ(main.MFile, work);
    EXPECT_EQ(main.Items(), (Lines{L"C:\\one", L"C:\\two"}));
    ASSERT_FALSE(main.ListBoxRecent.empty());
    EXPECT_EQ(main.ListBoxRecent.front(), work);
    EXPECT_EQ(OnDisk(DefaultList()), (Lines{L"D:\\changed"})) << "the outgoing default list was saved";
    EXPECT_EQ(ReadBytes(work), Utf16Lines({L"### Nesk ###", L"C:\\one", L"C:\\two"}));
}

TEST_F(MainFormDrop, ListFileWithoutHeaderIsRefusedWithAMessage)
{
    std::wstring work = root + L"\\Work.Nesk.log";
    WriteBytes(work, Utf16Lines({L"C:\\one"}));
    TMainForm& main = StartWithoutArgument();
    main.SetItems({L"x"});
    {
        DropMessageBoxAnswerer answerer;
        Drop({work});
        PumpMessages();
        EXPECT_TRUE(answerer.Answered());
        EXPECT_EQ(answerer.caption, L"Nesk");
        EXPECT_EQ(answerer.text, NotListFileMessage(work));
    }
    EXPECT_EQ(main.Items(), (Lines{L"x"}));
    EXPECT_EQ(main.Title(), L"Nesk");
    EXPECT_TRUE(main.MFile.empty());
}

TEST_F(MainFormDrop, ListFilesInOtherCaseOrTwoAtOnceAreItems)
{
    std::wstring lower = root + L"\\work.nesk.log", first = root + L"\\A.Nesk.log", second = root + L"\\B.Nesk.log";
    for (const auto& path : {lower, first, second})
        WriteBytes(path, Utf16Lines({L"### Nesk ###", L"C:\\inside"}));
    TMainForm& main = StartWithoutArgument();
    POINT cursor = OutsideList();
    SetCursorPos(cursor.x, cursor.y);
    Drop({lower});
    Drop({second, first});
    EXPECT_EQ(main.Items(), (Lines{lower, first, second}));
    EXPECT_TRUE(main.MFile.empty());
}

TEST_F(MainFormDrop, OurOwnDragComingBackIsIgnored)
{
    TMainForm& main = StartWithoutArgument();
    main.SetItems({L"x"});
    POINT cursor = OutsideList();
    SetCursorPos(cursor.x, cursor.y);
    main.DropFileSourceFiles = {L"C:\\x", L"C:\\y"};

    Drop({L"C:\\x", L"C:\\z"});
    EXPECT_EQ(main.Items(), (Lines{L"x"}));
    EXPECT_FALSE(FileExists(DefaultList())) << "nothing changed, so nothing was saved";

    Drop({L"C:\\x"});  // the counts differ
    Drop({L"C:\\z", L"C:\\x"});  // no place holds the same name
    main.DropFileSourceFiles.clear();  // as the next right-button press in the list does
    Drop({L"C:\\x", L"C:\\z"});
    EXPECT_EQ(main.Items(), (Lines{L"x", L"C:\\x", L"C:\\x", L"C:\\z", L"C:\\x", L"C:\\z"}));
}

TEST_F(MainFormDrop, HandleThatIsNoDropChangesNothing)
{
    TMainForm& main = StartWithoutArgument();
    main.SetItems({L"x"});
    for (WPARAM handle : {WPARAM{0}, WPARAM{0x12345678}, reinterpret_cast<WPARAM>(main.Handle())})
        EXPECT_EQ(SendMessageW(main.Handle(), QivDropFilesMessage(), handle, 0), 1);
    EXPECT_EQ(main.Items(), (Lines{L"x"}));
    EXPECT_FALSE(FileExists(DefaultList()));
}

TEST_F(MainFormDrop, WindowAcceptsShellDropsAndLetsThemThroughItsFilter)
{
    TMainForm& main = StartWithoutArgument();
    EXPECT_TRUE(GetWindowLongW(main.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    EXPECT_TRUE(LetDropMessagesThrough(main.Handle())) << "the filter call is found and takes all three messages";
    main.QivFormDropFiles->SetEnabled(false);
    EXPECT_FALSE(GetWindowLongW(main.Handle(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
}

}  // namespace
}  // namespace nesk::testing
