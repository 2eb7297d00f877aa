// The program's pictures, drawn at run time.
//
// Every picture is a handful of shapes described by signed distance functions (negative inside)
// in a design grid (32 units for toolbar pictures, 16 for the tray drawing). The canvas
// supersamples each pixel, so edges that lie on the grid come out as hard pixel edges and
// everything else is antialiased. Shapes that overlap are separated by erasing a thin gap
// around the upper one rather than outlining it, which keeps the pictures flat and lets the
// toolbar's own background show through.
#include "chrome/win32/Pictures.h"

#include "platform/win32/Handles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <system_error>
#include <type_traits>
#include <vector>

namespace nesk {
namespace {

struct Pt {
    float x, y;
};

struct Rgb {
    float r, g, b;
};

constexpr Rgb Ink{228, 228, 228};     // the main stroke colour on the dark toolbar
constexpr Rgb Dim{138, 138, 138};     // secondary lines: text rows, the rows that stay
constexpr Rgb Paper{62, 62, 66};      // body of sheets and panels, one step above the toolbar
constexpr Rgb Blue{78, 164, 236};
constexpr Rgb Green{92, 198, 108};
constexpr Rgb Red{234, 78, 70};
constexpr Rgb Amber{238, 182, 74};
constexpr Rgb AmberDeep{188, 132, 44};

using Sdf = std::function<float(Pt)>;

// A shape: its distance function and a box that holds every point inside it.
struct Shape {
    Sdf d;
    float x0, y0, x1, y1;
};

float Length(float x, float y) { return std::sqrt(x * x + y * y); }

Shape Box(float x0, float y0, float x1, float y1, float radius = 0) {
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2, hy = (y1 - y0) / 2;
    return {[=](Pt p) {
                const float qx = std::abs(p.x - cx) - hx + radius;
                const float qy = std::abs(p.y - cy) - hy + radius;
                return Length(std::max(qx, 0.f), std::max(qy, 0.f)) +
                       std::min(std::max(qx, qy), 0.f) - radius;
            },
            x0, y0, x1, y1};
}

Shape Circle(float cx, float cy, float r) {
    return {[=](Pt p) { return Length(p.x - cx, p.y - cy) - r; }, cx - r, cy - r, cx + r, cy + r};
}

float SegmentDistance(Pt p, Pt a, Pt b) {
    const float bx = b.x - a.x, by = b.y - a.y;
    const float px = p.x - a.x, py = p.y - a.y;
    const float len2 = bx * bx + by * by;
    const float h = len2 > 0 ? std::clamp((px * bx + py * by) / len2, 0.f, 1.f) : 0.f;
    return Length(px - bx * h, py - by * h);
}

// A stroke of the given width along connected points, with round caps and joins.
Shape Stroke(std::vector<Pt> points, float width) {
    float x0 = points[0].x, y0 = points[0].y, x1 = x0, y1 = y0;
    for (const Pt& p : points) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    const float h = width / 2;
    return {[points = std::move(points), h](Pt p) {
                float d = SegmentDistance(p, points[0], points[0]);
                for (size_t i = 1; i < points.size(); ++i)
                    d = std::min(d, SegmentDistance(p, points[i - 1], points[i]));
                return d - h;
            },
            x0 - h, y0 - h, x1 + h, y1 + h};
}

// A straight stroke with square-cut ends, for dashes.
Shape Bar(Pt a, Pt b, float width) {
    const float len = Length(b.x - a.x, b.y - a.y);
    const float ux = (b.x - a.x) / len, uy = (b.y - a.y) / len;
    const float mx = (a.x + b.x) / 2, my = (a.y + b.y) / 2;
    const float hl = len / 2, hw = width / 2;
    return {[=](Pt p) {
                const float along = std::abs((p.x - mx) * ux + (p.y - my) * uy) - hl;
                const float across = std::abs((p.x - mx) * uy - (p.y - my) * ux) - hw;
                return Length(std::max(along, 0.f), std::max(across, 0.f)) +
                       std::min(std::max(along, across), 0.f);
            },
            std::min(a.x, b.x) - hw, std::min(a.y, b.y) - hw, std::max(a.x, b.x) + hw,
            std::max(a.y, b.y) + hw};
}

// Exact signed distance to a simple polygon (inside by the even-odd rule).
Shape Polygon(std::vector<Pt> v) {
    float x0 = v[0].x, y0 = v[0].y, x1 = x0, y1 = y0;
    for (const Pt& p : v) {
        x0 = std::min(x0, p.x), y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x), y1 = std::max(y1, p.y);
    }
    return {[v = std::move(v)](Pt p) {
                float d = 1e9f;
                bool inside = false;
                for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
                    d = std::min(d, SegmentDistance(p, v[j], v[i]));
                    if ((v[i].y > p.y) != (v[j].y > p.y) &&
                        p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
                        inside = !inside;
                }
                return inside ? -d : d;
            },
            x0, y0, x1, y1};
}

// Points along a circular arc; angles in degrees, clockwise from twelve o'clock.
std::vector<Pt> Arc(float cx, float cy, float r, float from, float to, int steps = 48) {
    std::vector<Pt> points;
    constexpr float rad = 3.14159265f / 180;
    for (int i = 0; i <= steps; ++i) {
        const float a = (from + (to - from) * i / steps) * rad;
        points.push_back({cx + r * std::sin(a), cy - r * std::cos(a)});
    }
    return points;
}

Shape Union(Shape a, Shape b) {
    return {[a = a.d, b = b.d](Pt p) { return std::min(a(p), b(p)); }, std::min(a.x0, b.x0),
            std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Shape Grow(Shape a, float by) {
    return {[a = a.d, by](Pt p) { return a(p) - by; }, a.x0 - by, a.y0 - by, a.x1 + by,
            a.y1 + by};
}

// The band of the given width just inside a shape's edge: its outline, drawn inward so that an
// outline on grid lines stays on whole pixels.
Shape Outline(Shape a, float width) {
    return {[a = a.d, width](Pt p) {
                const float d = a(p);
                return std::max(d, -d - width);
            },
            a.x0, a.y0, a.x1, a.y1};
}

// Turns a shape by the given degrees (clockwise on screen) around a point.
Shape Turn(Shape a, float cx, float cy, float degrees) {
    const float rad = degrees * 3.14159265f / 180;
    const float c = std::cos(rad), s = std::sin(rad);
    const float r = std::max({Length(a.x0 - cx, a.y0 - cy), Length(a.x1 - cx, a.y0 - cy),
                              Length(a.x0 - cx, a.y1 - cy), Length(a.x1 - cx, a.y1 - cy)});
    return {[a = a.d, cx, cy, c, s](Pt p) {
                const float x = p.x - cx, y = p.y - cy;
                return a({cx + x * c + y * s, cy - x * s + y * c});
            },
            cx - r, cy - r, cx + r, cy + r};
}

// Square-cut dashes along a closed path; a dash that meets a corner turns it.
Shape Dashes(const std::vector<Pt>& path, float width, float on, float off) {
    std::vector<Shape> pieces;
    float phase = 0;  // distance walked inside the current on/off period
    for (size_t i = 0; i < path.size(); ++i) {
        const Pt a = path[i], b = path[(i + 1) % path.size()];
        const float len = Length(b.x - a.x, b.y - a.y);
        float t = 0;
        while (t < len) {
            const bool drawing = phase < on;
            const float step = std::min(len - t, (drawing ? on : on + off) - phase);
            if (drawing) {
                // Extending by half the width on both ends fills the outer corner of a turn.
                const float e0 = t == 0 ? width / 2 : 0, e1 = t + step >= len ? width / 2 : 0;
                const float ux = (b.x - a.x) / len, uy = (b.y - a.y) / len;
                pieces.push_back(Bar({a.x + ux * (t - e0), a.y + uy * (t - e0)},
                                     {a.x + ux * (t + step + e1), a.y + uy * (t + step + e1)},
                                     width));
            }
            t += step;
            phase += step;
            if (phase >= on + off - 1e-4f) phase = 0;
        }
    }
    Shape all = pieces[0];
    for (size_t i = 1; i < pieces.size(); ++i) all = Union(all, pieces[i]);
    return all;
}

// A premultiplied RGBA canvas of size x size pixels showing `units` x `units` of the design grid.
class Canvas {
public:
    Canvas(int size, float units) : size_(size), scale_(size / units), rgba_(size * size * 4) {}

    int Size() const { return size_; }

    void Fill(const Shape& s, Rgb c, float opacity = 1) {
        Paint(s, [&](float* px, float cover) {
            const float a = cover * opacity, keep = 1 - a;
            px[0] = c.r * a + px[0] * keep;
            px[1] = c.g * a + px[1] * keep;
            px[2] = c.b * a + px[2] * keep;
            px[3] = 255 * a + px[3] * keep;
        });
    }

    void Erase(const Shape& s) {
        Paint(s, [&](float* px, float cover) {
            for (int k = 0; k < 4; ++k) px[k] *= 1 - cover;
        });
    }

    // Clears a gap around the shape, then fills it.
    void Stamp(const Shape& s, Rgb c, float gap = 1.5f) {
        Erase(Grow(s, gap));
        Fill(s, c);
    }

    // Top-down BGRA pixels, premultiplied or with straight alpha.
    std::vector<uint32_t> Pixels(bool premultiplied) const {
        std::vector<uint32_t> out(size_ * size_);
        for (size_t i = 0; i < out.size(); ++i) {
            const float* px = &rgba_[i * 4];
            const float a = std::clamp(px[3], 0.f, 255.f);
            const float k = premultiplied || a <= 0 ? 1 : 255 / a;
            auto channel = [&](float v) {
                return static_cast<uint32_t>(std::lround(std::clamp(v * k, 0.f, 255.f)));
            };
            const uint32_t alpha = static_cast<uint32_t>(std::lround(a));
            out[i] = alpha == 0 ? 0
                                : channel(px[2]) | channel(px[1]) << 8 | channel(px[0]) << 16 |
                                      alpha << 24;
        }
        return out;
    }

private:
    static constexpr int Samples = 6;  // per axis, so 36 coverage levels

    template <typename Blend>
    void Paint(const Shape& s, Blend blend) {
        const int px0 = std::max(0, static_cast<int>(std::floor(s.x0 * scale_)) - 1);
        const int py0 = std::max(0, static_cast<int>(std::floor(s.y0 * scale_)) - 1);
        const int px1 = std::min(size_, static_cast<int>(std::ceil(s.x1 * scale_)) + 1);
        const int py1 = std::min(size_, static_cast<int>(std::ceil(s.y1 * scale_)) + 1);
        for (int y = py0; y < py1; ++y) {
            for (int x = px0; x < px1; ++x) {
                int inside = 0;
                for (int j = 0; j < Samples; ++j)
                    for (int i = 0; i < Samples; ++i)
                        if (s.d({(x + (i + 0.5f) / Samples) / scale_,
                                 (y + (j + 0.5f) / Samples) / scale_}) < 0)
                            ++inside;
                if (inside) blend(&rgba_[(y * size_ + x) * 4], float(inside) / (Samples * Samples));
            }
        }
    }

    int size_;
    float scale_;
    std::vector<float> rgba_;
};

// ---- Pieces shared by several toolbar pictures (32-unit grid) ----

// A sheet with its top right corner folded over.
Shape SheetShape(float x0, float y0, float x1, float y1, float fold) {
    return Polygon({{x0, y0}, {x1 - fold, y0}, {x1, y0 + fold}, {x1, y1}, {x0, y1}});
}

void Sheet(Canvas& c, float x0, float y0, float x1, float y1, float fold = 6) {
    const Shape body = SheetShape(x0, y0, x1, y1, fold);
    c.Fill(body, Paper);
    c.Fill(Outline(body, 2), Ink);
    c.Fill(Stroke({{x1 - fold + 1, y0 + 1}, {x1 - fold + 1, y0 + fold - 1}, {x1 - 1, y0 + fold - 1}}, 2),
           Ink);
}

// The red round badge with a white cross that marks every command removing items.
void RemoveBadge(Canvas& c, float cx, float cy) {
    c.Stamp(Circle(cx, cy, 7), Red, 1.5f);
    const float a = 3;
    c.Fill(Union(Stroke({{cx - a, cy - a}, {cx + a, cy + a}}, 2.2f),
                 Stroke({{cx - a, cy + a}, {cx + a, cy - a}}, 2.2f)),
           Ink);
}

void Clipboard(Canvas& c) {
    const Shape board = Box(4, 5, 24, 30, 2.5f);
    c.Fill(board, Paper);
    c.Fill(Outline(board, 2), Ink);
    c.Stamp(Box(9, 2, 19, 8, 1.5f), Ink, 1.5f);
    c.Erase(Box(12, 4, 16, 6, 1));
}

void Folder(Canvas& c, float x0, float y0, float x1, float y1) {
    const Shape back = Polygon({{x0, y0}, {x0 + 6, y0}, {x0 + 8, y0 + 2}, {x1, y0 + 2}, {x1, y1}, {x0, y1}});
    const Shape front = Box(x0, y0 + 5, x1, y1, 1);
    c.Erase(Grow(Union(back, front), 1.5f));
    c.Fill(back, AmberDeep);
    c.Fill(front, Amber);
}

// ---- Toolbar pictures ----

void DrawOpen(Canvas& c) {
    c.Fill(Outline(Box(4, 8, 24, 28, 2.5f), 2), Ink);
    const Shape arrow = Union(Stroke({{11, 21}, {23, 9}}, 2.6f),
                              Polygon({{28, 4}, {28, 15.5f}, {16.5f, 4}}));
    c.Stamp(arrow, Blue, 2);
}

void DrawSelectAll(Canvas& c) {
    for (float y : {8.f, 16.f, 24.f}) {
        c.Fill(Stroke({{3.5f, y}, {6.5f, y + 3}, {12, y - 3}}, 2.4f), Green);
        c.Fill(Box(15, y - 1.5f, 29, y + 1.5f, 1), Ink);
    }
}

void DrawRemoveSelected(Canvas& c) {
    c.Fill(Box(3, 4, 23, 8, 1), Dim);
    c.Fill(Box(2, 12, 24, 20, 2), Blue);
    c.Fill(Box(5, 15, 17, 17), Ink);
    c.Fill(Box(3, 24, 23, 28, 1), Dim);
    RemoveBadge(c, 24, 16);
}

void DrawRemoveMissing(Canvas& c) {
    c.Fill(Dashes({{5, 3}, {19, 3}, {26, 10}, {26, 29}, {5, 29}}, 2, 3, 2.2f), Ink);
    c.Fill(Stroke(Arc(15, 12.5f, 3.8f, -70, 150, 24), 2.6f), Amber);
    c.Fill(Stroke({{16.9f, 15.8f}, {15, 17.5f}, {15, 19}}, 2.6f), Amber);
    c.Fill(Circle(15, 23.5f, 1.6f), Amber);
    RemoveBadge(c, 24, 24);
}

void DrawCut(Canvas& c) {
    c.Fill(Stroke({{10.5f, 20}, {21.5f, 3}}, 2.6f), Ink);
    c.Stamp(Stroke({{21.5f, 20}, {10.5f, 3}}, 2.6f), Ink, 1.2f);
    c.Erase(Circle(16, 11.5f, 0.9f));
    c.Fill(Outline(Circle(9, 24.5f, 5), 2.4f), Blue);
    c.Fill(Outline(Circle(23, 24.5f, 5), 2.4f), Blue);
}

void DrawPaste(Canvas& c) {
    Clipboard(c);
    const Shape sheet = SheetShape(13, 12, 29, 31, 5);
    c.Erase(Grow(sheet, 1.5f));
    Sheet(c, 13, 12, 29, 31, 5);
    c.Fill(Box(16, 20, 26, 22), Dim);
    c.Fill(Box(16, 25, 26, 27), Dim);
}

void DrawPasteFiles(Canvas& c) {
    Clipboard(c);
    Folder(c, 12, 14, 30, 29);
}

void DrawContextMenu(Canvas& c) {
    const Shape panel = Box(9, 7, 30, 30, 2);
    c.Fill(panel, Paper);
    c.Fill(Outline(panel, 2), Ink);
    c.Fill(Box(13, 11.5f, 26, 13.5f), Dim);
    c.Fill(Box(11, 16, 28, 21, 1), Blue);
    c.Fill(Box(13, 24.5f, 26, 26.5f), Dim);
    const Shape pointer = Polygon(
        {{3, 2}, {3, 18}, {7, 14.5f}, {9.8f, 20.5f}, {12.2f, 19.4f}, {9.5f, 13.5f}, {14.5f, 13.5f}});
    c.Stamp(pointer, Ink, 1.5f);
}

void DrawFileMenu(Canvas& c) {
    Sheet(c, 4, 2, 22, 28, 6);
    for (float y : {10.f, 15.f, 20.f}) {
        c.Fill(Circle(8.5f, y, 1.3f), Dim);
        c.Fill(Box(11, y - 1, 17, y + 1), Dim);
    }
    const Shape disk = Polygon({{15, 15}, {27, 15}, {30, 18}, {30, 30}, {15, 30}});
    c.Erase(Grow(disk, 1.5f));
    c.Fill(disk, Blue);
    c.Erase(Box(18, 15, 25, 20));
    c.Fill(Box(22, 16, 24, 19), Blue);
    c.Fill(Box(18, 23, 27, 30), Ink);
}

void DrawQuit(Canvas& c) {
    c.Fill(Stroke(Arc(16, 17.5f, 10.5f, 38, 322), 3), Red);
    c.Fill(Stroke({{16, 4}, {16, 16}}, 3), Red);
}

void DrawStayOnTop(Canvas& c) {
    // Drawn upright, then leaned over like a pin pressed in at an angle.
    Shape pin = Union(Box(10, 2, 22, 6.5f, 2), Polygon({{12.5f, 6}, {19.5f, 6}, {20.5f, 16}, {11.5f, 16}}));
    pin = Union(pin, Box(7.5f, 15.5f, 24.5f, 19.5f, 2));
    const Shape needle = Stroke({{16, 19}, {16, 30}}, 2.2f);
    c.Fill(Turn(needle, 16, 16, 40), Ink);
    c.Fill(Turn(pin, 16, 16, 40), Red);
}

void DrawOpenFolder(Canvas& c) {
    const Shape back = Polygon({{3, 9}, {10, 9}, {12.5f, 11.5f}, {25, 11.5f}, {25, 28}, {3, 28}});
    c.Fill(back, AmberDeep);
    const Shape arrow = Union(Stroke({{19, 7.5f}, {19, 20}}, 3), Polygon({{12.5f, 10}, {25.5f, 10}, {19, 2.5f}}));
    c.Stamp(arrow, Green, 1.5f);
    const Shape front = Polygon({{7.5f, 17}, {30.5f, 17}, {26, 28}, {3, 28}});
    c.Stamp(front, Amber, 1.5f);
}

void DrawRemoveDuplicates(Canvas& c) {
    Sheet(c, 3, 2, 19, 22, 5);
    const Shape front = SheetShape(10, 9, 26, 30, 5);
    c.Erase(Grow(front, 1.5f));
    Sheet(c, 10, 9, 26, 30, 5);
    c.Fill(Box(13, 17, 21, 19), Dim);
    c.Fill(Box(13, 22, 19, 24), Dim);
    RemoveBadge(c, 24, 24);
}

using Drawing = void (*)(Canvas&);
constexpr std::array<Drawing, ToolbarPicture::Count> ToolbarDrawings{
    DrawOpen,    DrawSelectAll,  DrawRemoveSelected, DrawRemoveMissing, DrawCut,
    DrawPaste,   DrawPasteFiles, DrawContextMenu,    DrawFileMenu,      DrawQuit,
    DrawStayOnTop, DrawOpenFolder, DrawRemoveDuplicates};

// ---- The tray drawing: books on a shelf (16-unit grid) ----

struct ShelfColours {
    Rgb deep, base, light;
};

constexpr std::array<ShelfColours, TrayPicture::Count> TrayColours{{
    {{24, 118, 178}, {64, 170, 232}, {150, 214, 250}},   // sky blue
    {{22, 118, 72}, {46, 170, 104}, {132, 220, 168}},    // sea green
    {{156, 24, 148}, {218, 58, 208}, {244, 150, 238}},   // magenta
    {{112, 46, 178}, {160, 96, 236}, {210, 170, 252}},   // violet
}};

void DrawShelf(Canvas& c, const ShelfColours& k) {
    // Gaps between the books and one book leaning over keep the shelf from reading as a chart.
    c.Fill(Box(1, 3, 4, 13), k.base);
    c.Fill(Box(1, 5, 4, 6), k.light);
    c.Fill(Box(1, 10, 4, 11), k.light);
    c.Fill(Box(5, 5, 7, 13), k.light);
    c.Fill(Box(5, 7, 7, 8), k.deep);
    c.Fill(Box(8, 2, 11, 13), k.deep);
    c.Fill(Box(8, 4, 11, 5), k.light);
    c.Fill(Box(8, 10, 11, 11), k.light);
    c.Fill(Turn(Box(12, 5, 14, 13), 12, 13, 14), k.base);
    c.Fill(Box(0, 13, 16, 15), k.deep);
}

// ---- Windows objects ----

[[noreturn]] void ThrowLastError(const char* what) {
    throw std::system_error(static_cast<int>(GetLastError()), std::system_category(), what);
}

// A bottom-up 32-bit DIB section holding top-down BGRA pixels.
UniqueBitmap MakeDib(int size, const std::vector<uint32_t>& pixels) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = size;
    bi.bmiHeader.biHeight = size;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) ThrowLastError("CreateDIBSection");
    auto* rows = static_cast<uint32_t*>(bits);
    for (int y = 0; y < size; ++y)
        std::copy_n(&pixels[y * size], size, &rows[(size - 1 - y) * size]);
    GdiFlush();
    return bitmap;
}

std::vector<uint32_t> ToolbarPixels(int picture) {
    Canvas c(32, 32);
    ToolbarDrawings[picture](c);
    return c.Pixels(false);
}

std::vector<uint32_t> TrayPixels(int picture, int size, bool premultiplied) {
    if (picture < 0 || picture >= TrayPicture::Count) picture = 0;
    Canvas c(size, 16);
    DrawShelf(c, TrayColours[picture]);
    return c.Pixels(premultiplied);
}

HIMAGELIST MakeImageList(int size, int count, const std::function<std::vector<uint32_t>(int)>& draw) {
    UniqueImageList list(ImageList_Create(size, size, ILC_COLOR32, count, 0));
    if (!list) ThrowLastError("ImageList_Create");
    for (int i = 0; i < count; ++i) {
        // Image lists keep straight alpha and premultiply when they draw.
        const UniqueBitmap bitmap = MakeDib(size, draw(i));
        if (ImageList_Add(list.get(), bitmap.get(), nullptr) != i) ThrowLastError("ImageList_Add");
    }
    return list.release();
}

}  // namespace

HIMAGELIST CreateToolbarImageList() {
    return MakeImageList(32, ToolbarPicture::Count, ToolbarPixels);
}

HIMAGELIST CreateTrayImageList() {
    return MakeImageList(16, TrayPicture::Count, [](int i) { return TrayPixels(i, 16, false); });
}

HBITMAP CreateTrayMenuBitmap(int picture) {
    return MakeDib(32, TrayPixels(picture, 32, true)).release();
}

HICON CreateTrayIcon(int picture, int size) {
    if (size <= 0) size = 16;
    size = std::min(size, 256);  // no icon is shown larger; keeps a wild size from a huge bitmap
    const std::vector<uint32_t> pixels = TrayPixels(picture, size, false);
    const UniqueBitmap color = MakeDib(size, pixels);
    // The mask matters only where alpha is ignored; rows of 1-bit pixels padded to 16 bits.
    const int stride = (size + 15) / 16 * 2;
    std::vector<BYTE> maskBits(stride * size, 0);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if ((pixels[y * size + x] >> 24) == 0) maskBits[y * stride + x / 8] |= 0x80 >> (x % 8);
    const UniqueBitmap mask(CreateBitmap(size, size, 1, 1, maskBits.data()));
    if (!mask) ThrowLastError("CreateBitmap");
    ICONINFO info{TRUE, 0, 0, mask.get(), color.get()};
    HICON icon = CreateIconIndirect(&info);
    if (!icon) ThrowLastError("CreateIconIndirect");
    return icon;
}

}  // namespace nesk
