// The toolbar's clipboard import: the file manager's file list goes into the list.
#include "DropTestSupport.h"
#include "MainFormTestSupport.h"
#include "chrome/CommandIds.h"
#include "list/ListFile.h"

namespace nesk::testing {
namespace {

using Lines = std::vector<std::wstring>;

class MainFormDropClipboard : public MainFormTest {
protected:
    void ClickTBClip() { SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(ID_TBCLIP, BN_CLICKED), 0); }
};

TEST_F(MainFormDropClipboard, FileListGoesInFrontOfTheSelectedItemOrAtTheEnd)
{
    struct Case {
        const char* name;
        std::vector<int> selected;
        bool fileList;
        int clicks;
        Lines expected;
    } cases[] = {
        {"no selection", {}, true, 1, {L"x", L"y", L"C:\\c", L"C:\\b", L"C:\\A"}},
        {"y selected", {1}, true, 1, {L"x", L"C:\\c", L"C:\\b", L"C:\\A", L"y"}},
        {"two selected", {0, 1}, true, 1, {L"x", L"y"}},
        {"text on the clipboard", {}, false, 1, {L"x", L"y"}},
        {"twice", {}, true, 2, {L"x", L"y", L"C:\\c", L"C:\\b", L"C:\\A", L"C:\\c", L"C:\\b", L"C:\\A"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.fileList)
            PutFilesOnClipboard({L"C:\\b", L"C:\\A", L"C:\\c"});
        else
            PutTextOnClipboard(L"C:\\b");
        TMainForm& main = StartWithoutArgument();
        main.SetItems({L"x", L"y"});
        for (int index : c.selected)
            SendMessageW(main.ListBox(), LB_SETSEL, TRUE, index);
        for (int i = 0; i < c.clicks; ++i)
            ClickTBClip();
        EXPECT_EQ(main.Items(), c.expected);
        bool changed = c.expected.size() != 2;
        EXPECT_EQ(main.SelectedIndices().empty(), changed || c.selected.empty());
        EXPECT_EQ(FileExists(DefaultList()), changed) << "saved exactly when the list changed";
        if (changed) {
            EXPECT_EQ(LoadDefaultListItems(DefaultList()), c.expected);
        }
        form.reset();
        ResetDataFolder();
    }
}

TEST_F(MainFormDropClipboard, LongNamesAreInsertedWhole)
{
    std::wstring longPath = L"C:\\" + std::wstring(150, L'd') + L"\\" + std::wstring(142, L'f') + L".txt";
    ASSERT_EQ(longPath.size(), 300u);
    PutFilesOnClipboard({longPath, L"C:\\short"});
    TMainForm& main = StartWithoutArgument();
    ClickTBClip();
    EXPECT_EQ(main.Items(), (Lines{L"C:\\short", longPath}));
    EXPECT_EQ(main.ListBoxClip, (Lines{longPath, L"C:\\short"}));
}

}  // namespace
}  // namespace nesk::testing
