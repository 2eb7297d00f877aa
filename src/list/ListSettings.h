// The window settings each list keeps: which settings file and section belong to a list, which
// stored values the window takes, and what it writes back.
#pragma once

#include <optional>
#include <string>

#include "list/IniFile.h"

namespace nesk {

inline const std::wstring kDefaultSettingsFileName = L"Nesk.ini";
inline const std::wstring kDefaultSettingsSection = L"Window";

struct SettingsPlace {
    std::wstring fileName;  // in the data folder
    std::wstring section;
};

// A named list file that exists keeps its settings in "<name without extension>.ini" under the
// folder that holds it (a drive root keeps its backslash); anything else uses "Nesk.ini",
// section "Window".
SettingsPlace ChooseSettingsPlace(const std::wstring& listFile, bool listFileExists);

// Stored values beyond these read as missing, like text that is not a number: a hand-edited
// or damaged file must not leave the window unreachable or the list unreadable. Every value a
// real desktop can produce lies well inside.
constexpr int kMinStoredFontSize = 6;     // points; rows of 13 pixels
constexpr int kMaxStoredFontSize = 100;   // rows of 220 pixels, below the list control's 255
constexpr int kMaxStoredPosition = 30000; // either sign; clear of the minimized marker -32000
constexpr int kMaxStoredExtent = 30000;   // width and height, at least 1

struct StoredSettings {
    std::optional<int> top, left, height, width;
    std::optional<bool> normal, stayOnTop, min;
    std::optional<int> fontSize;
};

StoredSettings ReadStoredSettings(const IniFile& ini, const std::wstring& section);

struct WindowSettings {
    bool geometryKnown = true;  // false while minimized or maximized: the stored four stay
    int top = 0, left = 0, height = 0, width = 0;
    bool normal = true;         // false when maximized
    bool stayOnTop = false;
    int fontSize = 9;
    bool min = false;
};

// Top, Left, Height, Width (when known), Normal, StayOnTop, FontSize, Min, in this order.
void WriteStoredSettings(IniFile& ini, const std::wstring& section, const WindowSettings& settings);

}  // namespace nesk
