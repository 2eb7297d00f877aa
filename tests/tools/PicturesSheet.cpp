// Draws every picture of the program onto one sheet, enlarged and at its real size, and saves it
// as a BMP to look at: toolbar pictures on the toolbar's colour, tray pictures on a dark and a
// light taskbar, menu pictures on a dark and a light menu.
//
// Usage: nesk_pictures_sheet [output.bmp]
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "chrome/win32/Pictures.h"

namespace {

constexpr COLORREF Toolbar = RGB(43, 43, 43);
constexpr COLORREF DarkTaskbar = RGB(32, 32, 32);
constexpr COLORREF LightTaskbar = RGB(238, 238, 238);
constexpr COLORREF Text = RGB(200, 200, 200);

// A top-down 32-bit DIB with a memory DC, so both GDI and direct pixel access work on it.
struct Surface {
    Surface(int w, int h, COLORREF bg) : width(w), height(h) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        Fill(0, 0, w, h, bg);
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    void Fill(int x, int y, int w, int h, COLORREF c) {
        HBRUSH brush = CreateSolidBrush(c);
        RECT r{x, y, x + w, y + h};
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    uint32_t& At(int x, int y) { return bits[y * width + x]; }

    int width, height;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    uint32_t* bits = nullptr;
};

// Renders one picture at its real size on `bg` through `draw`, then copies it onto the sheet
// with every pixel repeated `zoom` times, so the enlarged view shows the real pixels.
void Put(Surface& sheet, int x, int y, int size, int zoom, COLORREF bg,
         const std::function<void(HDC)>& draw) {
    Surface cell(size, size, bg);
    draw(cell.dc);
    GdiFlush();
    for (int j = 0; j < size * zoom; ++j)
        for (int i = 0; i < size * zoom; ++i)
            sheet.At(x + i, y + j) = cell.At(i / zoom, j / zoom);
}

void Label(Surface& sheet, int x, int y, const std::wstring& text) {
    SetBkMode(sheet.dc, TRANSPARENT);
    SetTextColor(sheet.dc, Text);
    TextOutW(sheet.dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

void DrawMenuBitmap(HDC dc, HBITMAP bitmap) {
    HDC src = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(src, bitmap);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, 0, 0, 32, 32, src, 0, 0, 32, 32, blend);
    SelectObject(src, old);
    DeleteDC(src);
}

bool SaveBmp(Surface& s, const char* path) {
    const int stride = (s.width * 3 + 3) & ~3;
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{sizeof ih, s.width, s.height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + stride * s.height;
    FILE* f = std::fopen(path, "wb");
    if (!f) return false;
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::vector<uint8_t> row(stride, 0);
    for (int y = s.height - 1; y >= 0; --y) {
        for (int x = 0; x < s.width; ++x) {
            const uint32_t p = s.At(x, y);
            row[x * 3] = p & 0xFF, row[x * 3 + 1] = p >> 8 & 0xFF, row[x * 3 + 2] = p >> 16 & 0xFF;
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "pictures-sheet.bmp";
    HIMAGELIST toolbar = nesk::CreateToolbarImageList();
    HIMAGELIST tray = nesk::CreateTrayImageList();
    const int count = ImageList_GetImageCount(toolbar);

    constexpr int Zoom = 4, Columns = 7, Cell = 32 * Zoom + 24;
    Surface sheet(Columns * Cell + 16, 880, Toolbar);

    // Toolbar pictures enlarged, with their numbers.
    for (int i = 0; i < count; ++i) {
        const int x = 16 + (i % Columns) * Cell, y = 24 + (i / Columns) * (Cell + 8);
        Label(sheet, x, y - 18, std::to_wstring(i));
        Put(sheet, x, y, 32, Zoom, Toolbar,
            [&](HDC dc) { ImageList_Draw(toolbar, i, dc, 0, 0, ILD_TRANSPARENT); });
    }

    // Real size, as on the toolbar: 46-pixel buttons on the toolbar colour and on a darker one.
    int y = 24 + 2 * (Cell + 8) + 8;
    Label(sheet, 16, y, L"1x");
    for (int row = 0; row < 2; ++row) {
        const COLORREF bg = row == 0 ? Toolbar : DarkTaskbar;
        sheet.Fill(16, y + 22 + row * 46, count * 46, 46, bg);
        for (int i = 0; i < count; ++i)
            Put(sheet, 16 + i * 46 + 7, y + 22 + row * 46 + 7, 32, 1, bg,
                [&](HDC dc) { ImageList_Draw(toolbar, i, dc, 0, 0, ILD_TRANSPARENT); });
    }

    // Tray pictures: enlarged from the image list, then the icons and menu bitmaps as made.
    y += 22 + 2 * 46 + 24;
    for (int i = 0; i < 4; ++i) {
        const int x = 16 + i * (16 * Zoom * 2 + 40);
        Label(sheet, x, y, L"tray " + std::to_wstring(i));
        for (int half = 0; half < 2; ++half) {
            const COLORREF bg = half == 0 ? DarkTaskbar : LightTaskbar;
            Put(sheet, x + half * 16 * Zoom, y + 20, 16, Zoom, bg,
                [&](HDC dc) { ImageList_Draw(tray, i, dc, 0, 0, ILD_TRANSPARENT); });
            HICON icon = nesk::CreateTrayIcon(i);
            Put(sheet, x + half * 40, y + 20 + 16 * Zoom + 12, 16, 1, bg,
                [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL); });
            DestroyIcon(icon);
            HBITMAP menu = nesk::CreateTrayMenuBitmap(i);
            const COLORREF menuBg = half == 0 ? Toolbar : RGB(249, 249, 249);
            Put(sheet, x + half * 40, y + 20 + 16 * Zoom + 40, 32, 1, menuBg,
                [&](HDC dc) { DrawMenuBitmap(dc, menu); });
            Put(sheet, x + half * 16 * Zoom, y + 20 + 16 * Zoom + 84, 32, 2, menuBg,
                [&](HDC dc) { DrawMenuBitmap(dc, menu); });
            DeleteObject(menu);
        }
    }
    // A larger tray icon, as a 150 % display would ask for.
    y += 20 + 16 * Zoom + 84 + 64 + 16;
    Label(sheet, 16, y, L"24 px tray icons");
    for (int i = 0; i < 4; ++i) {
        HICON icon = nesk::CreateTrayIcon(i, 24);
        Put(sheet, 16 + i * 40, y + 20, 24, 1, DarkTaskbar,
            [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, 24, 24, 0, nullptr, DI_NORMAL); });
        Put(sheet, 200 + i * 120, y + 20, 24, 4, DarkTaskbar,
            [&](HDC dc) { DrawIconEx(dc, 0, 0, icon, 24, 24, 0, nullptr, DI_NORMAL); });
        DestroyIcon(icon);
    }

    ImageList_Destroy(toolbar);
    ImageList_Destroy(tray);
    if (!SaveBmp(sheet, out)) {
        std::fprintf(stderr, "cannot write %s\n", out);
        return 1;
    }
    return 0;
}
