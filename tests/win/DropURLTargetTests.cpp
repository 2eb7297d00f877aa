// TDropURLTarget driven through IDropTarget with data objects built as browsers and the file
// manager build theirs.
#include <gtest/gtest.h>

#include "exchange/DropFilesBlock.h"
#include "ole/FormatRegistry.h"
#include "ole/win32/ClipboardMedia.h"
#include "ole/win32/DropURLTarget.h"
#include "win/MainFormTestSupport.h"
#include "win/TestDataObject.h"

namespace nesk {
namespace {

using K = TClipboardFormatKind;
using Block = std::vector<uint8_t>;

Block Ascii(const std::string& text) { return Block(text.begin(), text.end()); }

constexpr DWORD kAll = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;

class DropURLTargetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallWin32Services();
        // As start-up leaves it, whatever an earlier test of a program run did to it.
        ResetFormatRegistry();
        RegisterDropEffectFormats();
        RegisterFileFormats();
        RegisterLinkFormats();
        list = CreateWindowExW(0, L"LISTBOX", L"", WS_POPUP | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY, 100, 100, 300,
                               200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_TRUE(list);
        target = std::make_unique<TDropURLTarget>(list);
        target->SetOnDrop([this](TDropURLTarget& sender, TShiftState, POINT point, DWORD& effect) {
            drops.push_back({sender.URL(), sender.Title(), point, effect});
        });
        target->SetOnDropFiles([this](TDropURLTarget&, const std::vector<std::wstring>& names) { fileDrops.push_back(names); });
    }
    void TearDown() override
    {
        target.reset();
        DestroyWindow(list);
    }

    // A point in the middle of the list, away from its scroll margins.
    POINTL Middle() const { return {250, 200}; }

    struct DropSeen {
        std::string url;
        std::wstring title;
        POINT point;
        DWORD effect;
    };

    HWND list = nullptr;
    std::unique_ptr<TDropURLTarget> target;
    std::vector<DropSeen> drops;
    std::vector<std::vector<std::wstring>> fileDrops;
};

TEST_F(DropURLTargetTest, BrowserLinkIsReadOnEnterDroppedAndReportedBack)
{
    testing::TestDataObject data;
    data.Add(ClipboardFormatId(K::UnicodeFileGroupDescriptor), FileGroupDescriptorBytes("Example Page.url", 0, true));
    data.Add(ClipboardFormatId(K::FileContents), Ascii("[InternetShortcut]\r\nURL=http://example.com/a\r\n"),
             TYMED_ISTREAM);
    data.Add(ClipboardFormatId(K::AnsiURL), Ascii(std::string("http://example.com/a\0", 21)));
    DWORD effect = kAll;
    ASSERT_EQ(target->DragEnter(&data, 0, Middle(), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target->URL(), "http://example.com/a");
    EXPECT_EQ(target->Title(), L"Example Page");
    effect = kAll;
    EXPECT_EQ(target->DragOver(MK_SHIFT | MK_CONTROL, Middle(), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
    effect = kAll;
    ASSERT_EQ(target->Drop(&data, 0, Middle(), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].url, "http://example.com/a");
    EXPECT_EQ(drops[0].title, L"Example Page");
    EXPECT_EQ(drops[0].point.x, 150);
    EXPECT_EQ(drops[0].point.y, 100);
    EXPECT_TRUE(target->URL().empty() && target->Title().empty()) << "gone once the drop is over";

    ASSERT_EQ(data.written.size(), 1u);
    EXPECT_EQ(data.written[0].format, ClipboardFormatId(K::PerformedDropEffect));
    EXPECT_EQ(data.written[0].tymed, static_cast<DWORD>(TYMED_HGLOBAL));
    EXPECT_EQ(data.written[0].bytes, (Block{1, 0, 0, 0}));
    EXPECT_EQ(data.refs, 1) << "the target let go of the data object";
}

TEST_F(DropURLTargetTest, WhatEachKindOfDragGives)
{
    std::wstring folder = testing::TempFolder();
    std::wstring shortcut = folder + L"Site.URL";
    testing::WriteBytes(shortcut, Ascii("[InternetShortcut]\r\nURL=http://site.example/\r\n"));
    struct Case {
        const char* name;
        K format;
        Block bytes;
        DWORD enterEffect;
        HRESULT enterResult;
        std::string url;
        std::wstring title;
        bool files;
    } cases[] = {
        {"text without a scheme", K::AnsiText, Ascii(std::string("abc\0", 4)), DROPEFFECT_NONE, DV_E_CLIPFORMAT, "", L"", false},
        {"text with a scheme", K::AnsiText, Ascii(std::string("x://y\0", 6)), DROPEFFECT_COPY, S_OK, "x://y", L"", false},
        {"shortcut file", K::File, BuildDropFiles({shortcut}), DROPEFFECT_COPY, S_OK, "http://site.example/", L"Site", false},
        {"ordinary files", K::File, BuildDropFiles({folder + L"b.txt", folder + L"a.txt"}), DROPEFFECT_COPY, S_OK, "", L"", true},
        {"shortcut file that is gone", K::File, BuildDropFiles({folder + L"gone.url"}), DROPEFFECT_NONE, E_UNEXPECTED, "", L"", false},
        {"malformed drop block", K::File, Block{20, 0, 0, 0, 0}, DROPEFFECT_NONE, DV_E_CLIPFORMAT, "", L"", false},
        {"nothing usable", K::PIDL, Block{0, 0, 0, 0}, DROPEFFECT_NONE, S_OK, "", L"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        drops.clear();
        fileDrops.clear();
        testing::TestDataObject data;
        data.Add(ClipboardFormatId(c.format), c.bytes);
        DWORD effect = kAll;
        EXPECT_EQ(target->DragEnter(&data, 0, Middle(), &effect), c.enterResult);
        EXPECT_EQ(effect, c.enterEffect);
        EXPECT_EQ(target->URL(), c.url);
        EXPECT_EQ(target->Title(), c.title);
        effect = kAll;
        HRESULT dropped = target->Drop(&data, 0, Middle(), &effect);
        bool accepted = c.enterEffect != DROPEFFECT_NONE;
        EXPECT_EQ(dropped, accepted ? S_OK : E_UNEXPECTED);
        EXPECT_EQ(drops.size(), accepted && !c.files ? 1u : 0u);
        if (c.files) {
            EXPECT_EQ(fileDrops, (std::vector<std::vector<std::wstring>>{{folder + L"b.txt", folder + L"a.txt"}}));
        } else {
            EXPECT_TRUE(fileDrops.empty());
        }
        EXPECT_EQ(data.refs, 1);
    }
    DeleteFileW(shortcut.c_str());
}

TEST_F(DropURLTargetTest, SwitchedOffItTakesNothing)
{
    testing::TestDataObject data;
    data.Add(ClipboardFormatId(K::AnsiURL), Ascii("http://a/"));
    target->SetEnabled(false);
    DWORD effect = kAll;
    EXPECT_EQ(target->DragEnter(&data, 0, Middle(), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(data.getDataCalls, 0) << "nothing read";
    effect = kAll;
    EXPECT_EQ(target->DragOver(0, Middle(), &effect), DV_E_CLIPFORMAT);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    effect = kAll;
    EXPECT_EQ(target->Drop(&data, 0, Middle(), &effect), E_UNEXPECTED);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_TRUE(drops.empty());
}

TEST_F(DropURLTargetTest, SourceThatOnlyMovesIsRefusedAndTheScrollMarginIsShown)
{
    testing::TestDataObject data;
    data.Add(ClipboardFormatId(K::AnsiURL), Ascii("http://a/"));
    DWORD effect = DROPEFFECT_MOVE;
    EXPECT_EQ(target->DragEnter(&data, 0, Middle(), &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));

    for (int i = 0; i < 30; ++i)
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"row"));
    effect = kAll;
    ASSERT_EQ(target->DragEnter(&data, 0, Middle(), &effect), S_OK);
    POINTL nearTop{250, 102};
    effect = kAll;
    target->DragOver(0, nearTop, &effect);
    EXPECT_EQ(effect, DROPEFFECT_COPY | DROPEFFECT_SCROLL);
    effect = kAll;
    ASSERT_EQ(target->Drop(&data, 0, nearTop, &effect), S_OK);
    ASSERT_EQ(drops.size(), 1u);
    EXPECT_EQ(drops[0].effect, DROPEFFECT_COPY | DROPEFFECT_SCROLL);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "the source learns what was done";
}

}  // namespace
}  // namespace nesk
