// The colours of the dark theme "Windows10 Dark", shared by everything the program draws.
#pragma once

#include <windows.h>

namespace nesk::theme {

constexpr COLORREF kListBackground = RGB(32, 32, 32);
constexpr COLORREF kListText = RGB(230, 230, 230);
constexpr COLORREF kHighlight = RGB(0, 95, 184);
constexpr COLORREF kHighlightText = RGB(255, 255, 255);

// The title bar, active and inactive, and its buttons in their states.
constexpr COLORREF kTitleActive = RGB(63, 63, 63);
constexpr COLORREF kTitleActiveText = RGB(255, 255, 255);
constexpr COLORREF kTitleInactive = RGB(255, 255, 255);
constexpr COLORREF kTitleInactiveText = RGB(153, 153, 153);
constexpr COLORREF kTitleButtonHot = RGB(84, 84, 84);
constexpr COLORREF kTitleButtonPressed = RGB(116, 116, 116);

// The toolbar: a shade lighter than the list so the two read as separate bands.
constexpr COLORREF kToolbarBackground = RGB(43, 43, 43);
constexpr COLORREF kToolbarText = RGB(240, 240, 240);
constexpr COLORREF kToolbarHot = RGB(65, 65, 65);
constexpr COLORREF kToolbarPressed = RGB(85, 85, 85);
constexpr COLORREF kToolbarChecked = RGB(0, 84, 153);
constexpr COLORREF kToolbarCheckedHot = RGB(0, 103, 184);
constexpr COLORREF kToolbarSeparator = RGB(80, 80, 80);

// Tooltips and the frame around the window.
constexpr COLORREF kTooltipBackground = RGB(43, 43, 43);
constexpr COLORREF kTooltipText = RGB(240, 240, 240);
constexpr COLORREF kFrame = RGB(63, 63, 63);
constexpr COLORREF kFrameInactive = RGB(110, 110, 110);

// One brush for the whole process, never freed: painting asks for it on every message.
inline HBRUSH ListBackgroundBrush()
{
    static HBRUSH brush = CreateSolidBrush(kListBackground);
    return brush;
}

}  // namespace nesk::theme

namespace nesk {

// Fills a rectangle with a colour without a brush of its own.
inline void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    COLORREF old = SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, old);
}

}  // namespace nesk
