// The rows' icons: asked from the shell for the rows that show, again after every edit, and
// never another item's picture on a row.
#include "MainFormCommandsTestSupport.h"

#include "chrome/win32/Theme.h"

namespace nesk::testing {
namespace {

using Texts = std::vector<std::wstring>;

// The pixels of one picture drawn as the list draws it.
std::vector<uint32_t> PictureBits(HIMAGELIST images, int picture)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kRowIconSize;
    info.bmiHeader.biHeight = -kRowIconSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    ImageList_Draw(images, picture, dc, 0, 0, ILD_NORMAL);
    GdiFlush();
    auto* pixels = static_cast<uint32_t*>(bits);
    std::vector<uint32_t> result(pixels, pixels + kRowIconSize * kRowIconSize);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return result;
}

// What the shell gives for a text, through a list of its own.
std::vector<uint32_t> FreshPicture(const std::wstring& text)
{
    TIconRows rows(theme::kListBackground);
    rows.Ensure({text}, 0, 1);
    return PictureBits(rows.Handle(), rows.PictureOfRow(0));
}

std::vector<uint32_t> RowPicture(const TMainForm& main, int row)
{
    return PictureBits(main.IconRows().Handle(), main.IconRows().PictureOfRow(row));
}

TEST_F(CommandsTest, EveryRowShowsItsOwnItemsIconAfterEachEdit)
{
    std::wstring file = RealFile(L"text.txt");
    std::wstring folder = Folder();
    Texts items{folder, L"C:\\nothing\\missing.txt", file, L"C:\\", L"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", L""};
    TMainForm& main = StartWith(items);

    EXPECT_EQ(main.IconRows().AskedRows(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(main.IconRows().PictureCount(), 4) << "folder, file, drive and one shared fallback";
    // Paths the shell cannot resolve, and texts that are no path at all, show the fallback.
    EXPECT_NE(RowPicture(main, 0), RowPicture(main, 1));
    EXPECT_EQ(RowPicture(main, 4), RowPicture(main, 1));
    EXPECT_EQ(RowPicture(main, 5), RowPicture(main, 1));

    Select({0, 1});
    Click(ID_TBCUT);
    Select({2});
    Click(ID_TBPASTE);
    Texts now = ListTexts();
    ASSERT_EQ(now, (Texts{file, L"C:\\", folder, L"C:\\nothing\\missing.txt", items[4], L""}));
    ASSERT_EQ(main.IconRows().AskedRows(), (std::vector<int>{0, 1, 2, 3, 4, 5})) << "a rebuild asks again for every row that shows";
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(RowPicture(main, row), FreshPicture(now[row])) << "row " << row;
}

TEST_F(CommandsTest, OnlyTheRowsThatShowAreAsked)
{
    Texts items;
    for (int k = 0; k < 3000; ++k)
        items.push_back(L"C:\\nothing\\file" + std::to_wstring(k) + L".txt");
    TMainForm& main = StartWith(items);
    RECT client{};
    GetClientRect(main.ListBox(), &client);
    int rowHeight = static_cast<int>(SendMessageW(main.ListBox(), LB_GETITEMHEIGHT, 0, 0));
    int showing = (client.bottom + rowHeight - 1) / rowHeight;
    EXPECT_GT(showing, 0);
    EXPECT_EQ(static_cast<int>(main.IconRows().AskedRows().size()), showing);

    SendMessageW(main.ListBox(), LB_SETTOPINDEX, 2000, 0);
    Select({2990});
    Click(ID_TBCLEAR);
    EXPECT_EQ(main.IconRows().AskedRows().front(), static_cast<int>(SendMessageW(main.ListBox(), LB_GETTOPINDEX, 0, 0)));
    EXPECT_EQ(static_cast<int>(main.IconRows().AskedRows().size()), showing);
}

TEST(IconRows, ARowWhoseItemChangedWithoutARebuildIsAskedAgain)
{
    TIconRows rows(theme::kListBackground);
    Texts before{L"C:\\", L"C:\\nothing\\missing.txt"};
    rows.Ensure(before, 0, 2);
    std::vector<uint32_t> drive = PictureBits(rows.Handle(), rows.PictureOfRow(0));

    Texts after{L"C:\\nothing\\missing.txt", L"C:\\"};
    HDC dc = CreateCompatibleDC(nullptr);
    rows.Draw(dc, after, 1, 0, 0);
    DeleteDC(dc);
    EXPECT_EQ(rows.AskedRows(), (std::vector<int>{0, 1, 1}));
    EXPECT_EQ(PictureBits(rows.Handle(), rows.PictureOfRow(1)), drive);

    rows.Reset();
    EXPECT_EQ(rows.PictureCount(), 0);
    EXPECT_EQ(rows.PictureOfRow(0), -1);
}

TEST(IconRows, PicturesLieOnTheListColour)
{
    TIconRows rows(theme::kListBackground);
    rows.Ensure({L"C:\\nothing\\missing.txt"}, 0, 1);
    EXPECT_EQ(ImageList_GetBkColor(rows.Handle()), theme::kListBackground);
    std::vector<uint32_t> bits = PictureBits(rows.Handle(), rows.PictureOfRow(0));
    // The corner of the fallback picture is transparent: it shows the list's colour.
    COLORREF corner = RGB((bits[0] >> 16) & 0xFF, (bits[0] >> 8) & 0xFF, bits[0] & 0xFF);
    EXPECT_EQ(corner, theme::kListBackground);
}

}  // namespace
}  // namespace nesk::testing
