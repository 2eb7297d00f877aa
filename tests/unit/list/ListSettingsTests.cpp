// Which settings file and section belong to a list, which stored values count, and what a
// save writes.
#include <gtest/gtest.h>

#include "fakes/FakePlatform.h"
#include "list/ListSettings.h"

namespace nesk {
namespace {

using Lines = std::vector<std::wstring>;

TEST(ListSettings, FileAndSectionFollowTheList)
{
    struct Case {
        const wchar_t* listFile;
        bool exists;
        const wchar_t* fileName;
        const wchar_t* section;
    } cases[] = {
        {L"", false, L"Nesk.ini", L"Window"},
        {L"D:\\Lists\\Work.Nesk.log", true, L"Work.Nesk.ini", L"D:\\Lists"},
        // A named list whose file has vanished falls back like the default list.
        {L"D:\\Lists\\Work.Nesk.log", false, L"Nesk.ini", L"Window"},
        {L"C:\\Work.Nesk.log", true, L"Work.Nesk.ini", L"C:\\"},
        {L"D:\\Lists\\Work", true, L"Work.ini", L"D:\\Lists"},
        {L"D:\\My.Lists\\Work", true, L"Work.ini", L"D:\\My.Lists"},
        {L"\\\\server\\share\\Team.Nesk.log", true, L"Team.Nesk.ini", L"\\\\server\\share"},
        {L"D:\\a\\b\\.Nesk.log", true, L".Nesk.ini", L"D:\\a\\b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.listFile);
        SettingsPlace place = ChooseSettingsPlace(c.listFile, c.exists);
        EXPECT_EQ(place.fileName, c.fileName);
        EXPECT_EQ(place.section, c.section);
    }
}

TEST(ListSettings, StoredValuesWithinLimitsAreTakenExactly)
{
    fakes::ScopedFakePlatform fake;
    struct Case {
        const wchar_t* key;
        const wchar_t* text;
        std::optional<int> fontSize, top, width;
        std::optional<bool> normal;
    } cases[] = {
        {L"FontSize", L"30", 30, {}, {}, {}},
        {L"FontSize", L"6", 6, {}, {}, {}},
        {L"FontSize", L"100", 100, {}, {}, {}},
        {L"FontSize", L"0", {}, {}, {}, {}},
        {L"FontSize", L"-12", {}, {}, {}, {}},
        {L"FontSize", L"10000", {}, {}, {}, {}},
        {L"FontSize", L"$14", 20, {}, {}, {}},
        {L"Top", L"-7", {}, -7, {}, {}},
        {L"Top", L"5000", {}, 5000, {}, {}},  // off-screen, but placement brings it back
        {L"Top", L"-30000", {}, -30000, {}, {}},
        {L"Top", L"-32000", {}, {}, {}, {}},  // the minimized marker
        {L"Top", L"99999999999", {}, {}, {}, {}},
        {L"Width", L"100", {}, {}, 100, {}},  // the window raises it to its minimum itself
        {L"Width", L"0", {}, {}, {}, {}},
        {L"Width", L"2147483647", {}, {}, {}, {}},
        {L"Normal", L"0", {}, {}, {}, false},
        {L"Normal", L"1", {}, {}, {}, true},
        {L"Normal", L"-5", {}, {}, {}, true},
        {L"Normal", L"yes", {}, {}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::wstring(c.key) + L"=" + c.text);
        IniFile ini = IniFile::Parse({L"[Window]", std::wstring(c.key) + L"=" + c.text});
        StoredSettings stored = ReadStoredSettings(ini, L"Window");
        EXPECT_EQ(stored.fontSize, c.fontSize);
        EXPECT_EQ(stored.top, c.top);
        EXPECT_EQ(stored.width, c.width);
        EXPECT_EQ(stored.normal, c.normal);
    }
}

TEST(ListSettings, FirstSaveWritesTheEightKeysInOrder)
{
    fakes::ScopedFakePlatform fake;
    IniFile ini;
    WindowSettings settings;
    settings.top = 113;
    settings.left = 368;
    settings.height = 477;
    settings.width = 785;
    settings.fontSize = 9;
    settings.stayOnTop = true;
    WriteStoredSettings(ini, L"Window", settings);
    EXPECT_EQ(ini.Lines(), (Lines{L"[Window]", L"Top=113", L"Left=368", L"Height=477", L"Width=785", L"Normal=1",
                                  L"StayOnTop=1", L"FontSize=9", L"Min=0", L""}));
}

TEST(ListSettings, MaximizedSaveKeepsTheStoredPlace)
{
    fakes::ScopedFakePlatform fake;
    IniFile ini = IniFile::Parse({L"[Window]", L"Top=10", L"Left=20", L"Height=300", L"Width=500", L"Min=1"});
    WindowSettings settings;
    settings.geometryKnown = false;
    settings.normal = false;
    settings.fontSize = 12;
    WriteStoredSettings(ini, L"Window", settings);
    EXPECT_EQ(ini.Lines(), (Lines{L"[Window]", L"Top=10", L"Left=20", L"Height=300", L"Width=500", L"Min=0",
                                  L"Normal=0", L"StayOnTop=0", L"FontSize=12", L""}));

    IniFile fresh;
    WriteStoredSettings(fresh, L"Window", settings);
    EXPECT_EQ(fresh.Lines(), (Lines{L"[Window]", L"Normal=0", L"StayOnTop=0", L"FontSize=12", L"Min=0", L""}));
}

}  // namespace
}  // namespace nesk
