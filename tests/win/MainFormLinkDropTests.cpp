// TMainForm taking a dropped link: the shortcut file in the data folder, the item at the row.
#include <gtest/gtest.h>

#include "ole/FormatRegistry.h"
#include "ole/win32/ClipboardMedia.h"
#include "win/MainFormTestSupport.h"
#include "win/TestDataObject.h"

namespace nesk::testing {
namespace {

using K = TClipboardFormatKind;

class LinkDropOnMainForm : public MainFormTest {
protected:
    void SetUp() override
    {
        ResetFormatRegistry();
        RegisterDropEffectFormats();
        RegisterFileFormats();
        RegisterLinkFormats();
        MainFormTest::SetUp();
        browser = CreateWindowExW(0, L"STATIC", L"Example Domain - Browser", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(browser);
    }
    void TearDown() override
    {
        DestroyWindow(browser);
        MainFormTest::TearDown();
    }

    POINTL RowPoint(int row)
    {
        RECT rect;
        SendMessageW(form->ListBox(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
        POINT point{rect.left + 20, (rect.top + rect.bottom) / 2};
        ClientToScreen(form->ListBox(), &point);
        return {point.x, point.y};
    }

    DWORD DropLink(POINTL at, const std::string& url)
    {
        TestDataObject data;
        std::vector<uint8_t> bytes(url.begin(), url.end());
        bytes.push_back(0);
        data.Add(ClipboardFormatId(K::AnsiURL), bytes);
        SetForegroundWindow(browser);
        DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
        EXPECT_EQ(form->DropURLTarget->DragEnter(&data, 0, at, &effect), S_OK);
        effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
        EXPECT_EQ(form->DropURLTarget->Drop(&data, 0, at, &effect), S_OK);
        return effect;
    }

    HWND browser = nullptr;
};

TEST_F(LinkDropOnMainForm, LinkBecomesShortcutFileAndItemAtTheRow)
{
    WriteBytes(DefaultList(), Utf16Lines({L"x", L"y", L"z"}));
    StartWithoutArgument();
    ASSERT_TRUE(form->DropURLTarget && form->DropURLTarget->Registered());
    EXPECT_EQ(DropLink(RowPoint(1), "http://example.com/"), static_cast<DWORD>(DROPEFFECT_COPY));
    std::wstring shortcut = DataFolder() + L"Example Domain.url";
    EXPECT_EQ(form->Items(), (std::vector<std::wstring>{L"x", shortcut, L"y", L"z"}));
    EXPECT_EQ(ReadBytes(shortcut), Utf16Lines({L"[InternetShortcut]", L"URL=http://example.com/"}));
    EXPECT_EQ(ReadBytes(DefaultList()), Utf16Lines(form->Items())) << "saved at once";
    EXPECT_EQ(form->ListBoxURL, (std::vector<std::wstring>{L"http://example.com/", L"Example Domain - Browser"}));

    // A different link under the same title keeps the first one's file as it was.
    DropLink(RowPoint(0), "http://other.example/");
    std::wstring second = DataFolder() + L"Example Domain (2).url";
    EXPECT_EQ(form->Items().front(), second);
    EXPECT_EQ(ReadBytes(shortcut), Utf16Lines({L"[InternetShortcut]", L"URL=http://example.com/"}));

    // Our own link drag coming back changes nothing.
    form->DropURLSourceURL = "http://example.com/";
    DropLink(RowPoint(0), "http://example.com/");
    EXPECT_EQ(form->Items().size(), 5u);
}

}  // namespace
}  // namespace nesk::testing
