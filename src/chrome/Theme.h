// The colours of the dark theme "Windows10 Dark", shared by everything the program draws.
#pragma once

#ifdef _WIN32
#include <windows.h>
#endif

namespace nesk::theme {

#ifdef _WIN32
constexpr COLORREF kListBackground = RGB(32, 32, 32);
constexpr COLORREF kListText = RGB(230, 230, 230);
constexpr COLORREF kHighlight = RGB(0, 95, 184);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);

// One brush for the whole process, never freed: painting asks for it on every message.
inline HBRUSH ListBackgroundBrush()
{
    static HBRUSH brush = CreateSolidBrush(kListBackground);
    return brush;
}
#endif

}  // namespace nesk::theme
