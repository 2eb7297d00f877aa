// The program's own pictures: the image lists, the tray icon and the tray menu bitmaps.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "chrome/win32/Pictures.h"

namespace nesk {
namespace {

struct Pixel {
    int b, g, r, a;
};

struct Image {
    int width = 0, height = 0;
    std::vector<Pixel> pixels;  // top-down
    const Pixel& At(int x, int y) const { return pixels[y * width + x]; }
};

// The part (x, y, w, h) of a bitmap as 32-bit pixels, exactly as stored.
Image Read(HBITMAP bitmap, int x, int y, int w, int h) {
    BITMAP bm{};
    EXPECT_TRUE(GetObjectW(bitmap, sizeof bm, &bm));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<uint32_t> all(bm.bmWidth * bm.bmHeight);
    HDC dc = GetDC(nullptr);
    const int lines = GetDIBits(dc, bitmap, 0, bm.bmHeight, all.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(lines, bm.bmHeight);
    Image image{w, h, {}};
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const uint32_t p = all[(y + j) * bm.bmWidth + x + i];
            image.pixels.push_back({int(p & 0xFF), int(p >> 8 & 0xFF), int(p >> 16 & 0xFF), int(p >> 24)});
        }
    return image;
}

Image Read(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectW(bitmap, sizeof bm, &bm);
    return Read(bitmap, 0, 0, bm.bmWidth, bm.bmHeight);
}

Image ListPicture(HIMAGELIST list, int i) {
    IMAGEINFO info{};
    EXPECT_TRUE(ImageList_GetImageInfo(list, i, &info));
    const RECT& r = info.rcImage;
    return Read(info.hbmImage, r.left, r.top, r.right - r.left, r.bottom - r.top);
}

Image IconColour(HICON icon) {
    ICONINFO info{};
    EXPECT_TRUE(GetIconInfo(icon, &info));
    EXPECT_TRUE(info.fIcon);
    EXPECT_NE(info.hbmMask, nullptr);
    Image image = Read(info.hbmColor);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return image;
}

int BitsPerPixel(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectW(bitmap, sizeof bm, &bm);
    return bm.bmBitsPixel;
}

int CountOpaque(const Image& image) {
    return static_cast<int>(std::count_if(image.pixels.begin(), image.pixels.end(),
                                          [](const Pixel& p) { return p.a >= 128; }));
}

void ExpectFreeCorners(const Image& image) {
    const int w = image.width - 1, h = image.height - 1;
    EXPECT_EQ(image.At(0, 0).a, 0);
    EXPECT_EQ(image.At(w, 0).a, 0);
    EXPECT_EQ(image.At(0, h).a, 0);
    EXPECT_EQ(image.At(w, h).a, 0);
}

constexpr double Degree = 3.14159265358979 / 180;

// The hue (degrees) that most of the image's coloured area has: the strongest 15-degree bin of
// the hues of opaque, saturated pixels, refined to the mean hue within that bin's neighbourhood.
double DominantHue(const Image& image, bool premultiplied) {
    auto hueOf = [&](const Pixel& p, double& hue) {
        if (p.a < 200) return false;
        const double k = premultiplied ? 255.0 / p.a : 1.0;
        const double r = p.r * k, g = p.g * k, b = p.b * k;
        const double mx = std::max({r, g, b}), mn = std::min({r, g, b});
        if (mx < 60 || (mx - mn) / mx < 0.3) return false;
        const double d = mx - mn;
        hue = mx == r ? std::fmod((g - b) / d + 6, 6) : mx == g ? (b - r) / d + 2 : (r - g) / d + 4;
        hue *= 60;
        return true;
    };
    std::vector<double> hues;
    for (const Pixel& p : image.pixels) {
        double hue;
        if (hueOf(p, hue)) hues.push_back(hue);
    }
    if (hues.empty()) return -1;
    int bins[24] = {};
    for (double h : hues) ++bins[static_cast<int>(h / 15) % 24];
    const int best = static_cast<int>(std::max_element(std::begin(bins), std::end(bins)) - bins);
    const double centre = best * 15 + 7.5;
    double sx = 0, sy = 0;
    for (double h : hues) {
        const double diff = std::remainder(h - centre, 360.0);
        if (std::abs(diff) <= 30) sx += std::cos(h * Degree), sy += std::sin(h * Degree);
    }
    return std::fmod(std::atan2(sy, sx) / Degree + 360, 360);
}

double HueDistance(double a, double b) { return std::abs(std::remainder(a - b, 360.0)); }

TEST(Pictures, ToolbarListHoldsThirteen32PixelPicturesInColour) {
    HIMAGELIST list = CreateToolbarImageList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), ToolbarPicture::Count);
    EXPECT_EQ(ToolbarPicture::Count, 13);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 32);
    EXPECT_EQ(cy, 32);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(list, 0, &info));
    EXPECT_EQ(BitsPerPixel(info.hbmImage), 32);
    ImageList_Destroy(list);
}

TEST(Pictures, EveryToolbarPictureIsDrawnAndDistinct) {
    HIMAGELIST list = CreateToolbarImageList();
    ASSERT_NE(list, nullptr);
    std::vector<Image> pictures;
    for (int i = 0; i < ToolbarPicture::Count; ++i) pictures.push_back(ListPicture(list, i));
    ImageList_Destroy(list);

    bool straightEdge = false;
    for (int i = 0; i < ToolbarPicture::Count; ++i) {
        SCOPED_TRACE(i);
        const Image& p = pictures[i];
        // A real drawing, not a blank or a stray dot: at least a tenth of the square is covered.
        EXPECT_GE(CountOpaque(p), 32 * 32 / 10);
        ExpectFreeCorners(p);
        // The list keeps straight alpha: a light edge pixel half covered is still light. Stored
        // premultiplied, it would be drawn premultiplied a second time, with dark fringes.
        for (const Pixel& px : p.pixels)
            if (px.a > 0 && px.a < 160 && std::max({px.r, px.g, px.b}) > px.a + 40) straightEdge = true;
        for (int j = 0; j < i; ++j) {
            int differing = 0;
            for (size_t k = 0; k < p.pixels.size(); ++k)
                if (std::abs(p.pixels[k].a - pictures[j].pixels[k].a) > 64) ++differing;
            EXPECT_GT(differing, 32 * 32 / 20) << "picture " << i << " looks like picture " << j;
        }
    }
    EXPECT_TRUE(straightEdge);
}

TEST(Pictures, TrayListHoldsFour16PixelPictures) {
    HIMAGELIST list = CreateTrayImageList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(list), TrayPicture::Count);
    EXPECT_EQ(TrayPicture::Count, 4);
    int cx = 0, cy = 0;
    ASSERT_TRUE(ImageList_GetIconSize(list, &cx, &cy));
    EXPECT_EQ(cx, 16);
    EXPECT_EQ(cy, 16);
    ImageList_Destroy(list);
}

// Each tray picture, wherever it appears (image list, tray icon, menu bitmap), shows its
// named colour, and the four are told apart by hue.
TEST(Pictures, TrayPicturesShowTheirColourEverywhere) {
    struct Case {
        int picture;
        const char* name;
        double hue;
    };
    const Case cases[] = {
        {TrayPicture::SkyBlue, "sky blue", 200},
        {TrayPicture::SeaGreen, "sea green", 148},
        {TrayPicture::Magenta, "magenta", 303},
        {TrayPicture::Violet, "violet", 268},
    };
    HIMAGELIST list = CreateTrayImageList();
    ASSERT_NE(list, nullptr);
    std::vector<double> seen;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Image fromList = ListPicture(list, c.picture);
        EXPECT_GE(CountOpaque(fromList), 16 * 16 / 4);
        ExpectFreeCorners(fromList);

        HICON icon = CreateTrayIcon(c.picture);
        ASSERT_NE(icon, nullptr);
        const Image fromIcon = IconColour(icon);
        DestroyIcon(icon);
        EXPECT_EQ(fromIcon.width, 16);
        EXPECT_EQ(fromIcon.height, 16);
        ExpectFreeCorners(fromIcon);

        HBITMAP menu = CreateTrayMenuBitmap(c.picture);
        ASSERT_NE(menu, nullptr);
        const Image fromMenu = Read(menu);
        DeleteObject(menu);
        ExpectFreeCorners(fromMenu);

        const double hue = DominantHue(fromList, false);
        EXPECT_LE(HueDistance(hue, c.hue), 15) << "hue " << hue;
        EXPECT_LE(HueDistance(DominantHue(fromIcon, false), c.hue), 15);
        EXPECT_LE(HueDistance(DominantHue(fromMenu, true), c.hue), 15);
        for (double other : seen) EXPECT_GT(HueDistance(hue, other), 25) << "hue " << hue;
        seen.push_back(hue);
    }
    ImageList_Destroy(list);
}

TEST(Pictures, MenuBitmapIs32PixelPremultipliedDib) {
    HBITMAP menu = CreateTrayMenuBitmap(TrayPicture::SeaGreen);
    ASSERT_NE(menu, nullptr);
    DIBSECTION ds{};
    ASSERT_EQ(GetObjectW(menu, sizeof ds, &ds), static_cast<int>(sizeof ds));
    EXPECT_EQ(ds.dsBm.bmWidth, 32);
    EXPECT_EQ(std::abs(ds.dsBmih.biHeight), 32);
    EXPECT_EQ(ds.dsBm.bmBitsPixel, 32);
    EXPECT_NE(ds.dsBm.bmBits, nullptr);
    const Image image = Read(menu);
    DeleteObject(menu);

    // Straight-alpha pixels of the same drawing at the same size, to check the premultiplication.
    HICON icon = CreateTrayIcon(TrayPicture::SeaGreen, 32);
    ASSERT_NE(icon, nullptr);
    const Image straight = IconColour(icon);
    DestroyIcon(icon);
    ASSERT_EQ(straight.width, 32);

    int clear = 0, solid = 0, partial = 0;
    for (size_t k = 0; k < image.pixels.size(); ++k) {
        const Pixel& p = image.pixels[k];
        const Pixel& s = straight.pixels[k];
        ASSERT_LE(std::max({p.r, p.g, p.b}), p.a) << "pixel " << k << " is not premultiplied";
        EXPECT_EQ(p.a, s.a);
        EXPECT_NEAR(p.g, s.g * s.a / 255.0, 2.0) << "pixel " << k;
        clear += p.a == 0, solid += p.a == 255, partial += p.a > 0 && p.a < 255;
    }
    EXPECT_GT(clear, 0);
    EXPECT_GT(solid, 32 * 32 / 4);
    EXPECT_GT(partial, 0);
}

TEST(Pictures, TrayIconFollowsTheAskedSize) {
    for (int size : {16, 20, 24, 32}) {
        SCOPED_TRACE(size);
        HICON icon = CreateTrayIcon(TrayPicture::Magenta, size);
        ASSERT_NE(icon, nullptr);
        const Image colour = IconColour(icon);
        DestroyIcon(icon);
        EXPECT_EQ(colour.width, size);
        EXPECT_EQ(colour.height, size);
        EXPECT_GE(CountOpaque(colour), size * size / 4);
        EXPECT_LE(HueDistance(DominantHue(colour, false), 303), 15);
    }
}

// A tray icon file may name a picture that does not exist; the first picture stands in for it.
TEST(Pictures, UnknownTrayPictureNumbersDrawTheFirstPicture) {
    HBITMAP first = CreateTrayMenuBitmap(0);
    const Image expected = Read(first);
    DeleteObject(first);
    HICON firstIcon = CreateTrayIcon(0);
    const Image expectedIcon = IconColour(firstIcon);
    DestroyIcon(firstIcon);
    for (int picture : {-1, 4, 9, 1000}) {
        SCOPED_TRACE(picture);
        HBITMAP menu = CreateTrayMenuBitmap(picture);
        ASSERT_NE(menu, nullptr);
        const Image image = Read(menu);
        DeleteObject(menu);
        HICON icon = CreateTrayIcon(picture);
        ASSERT_NE(icon, nullptr);
        const Image iconImage = IconColour(icon);
        DestroyIcon(icon);
        for (size_t k = 0; k < image.pixels.size(); ++k) {
            EXPECT_EQ(image.pixels[k].g, expected.pixels[k].g);
            EXPECT_EQ(image.pixels[k].a, expected.pixels[k].a);
        }
        for (size_t k = 0; k < iconImage.pixels.size(); ++k)
            EXPECT_EQ(iconImage.pixels[k].b, expectedIcon.pixels[k].b);
    }
}

}  // namespace
}  // namespace nesk
