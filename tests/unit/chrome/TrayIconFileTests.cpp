// The tray icon file: which line belongs to a list, which picture it names, how it is replaced.
#include <gtest/gtest.h>

#include "chrome/TrayIconFile.h"

namespace nesk {
namespace {

using Lines = std::vector<std::wstring>;

const std::wstring kData = L"C:\\Users\\u\\AppData\\Roaming\\Lark Project\\Nesk\\";
const std::wstring kDefaultKey = kData + L"Nesk.lst";
const std::wstring kWork = L"D:\\Lists\\Work.Nesk.log";

TEST(TrayIconFile, KeyIsTheListFileOrTheDefaultList)
{
    EXPECT_EQ(TrayListKey(L"", false, kData), kDefaultKey);
    EXPECT_EQ(TrayListKey(kWork, true, kData), kWork);
    EXPECT_EQ(TrayListKey(kWork, false, kData), kDefaultKey);  // its file has vanished
}

TEST(TrayIconFile, ApplyingAListFindsItsPictureAndMovesItsLineToTheEnd)
{
    struct Case {
        const char* name;
        Lines before;
        std::wstring key;
        int picture;
        Lines after;
    } cases[] = {
        {"first start", {}, kDefaultKey, 0, {L"0" + kDefaultKey}},
        {"stored picture", {L"2" + kWork, L"1" + kDefaultKey}, kWork, 2, {L"1" + kDefaultKey, L"2" + kWork}},
        {"two lines for one key: the later wins and only it is replaced",
         {L"3" + kWork, L"0" + kDefaultKey, L"1" + kWork},
         kWork,
         1,
         {L"3" + kWork, L"0" + kDefaultKey, L"1" + kWork}},
        {"the key found later in a line", {L"2 see " + kWork}, kWork, 2, {L"2" + kWork}},
        {"the key at the first character is no entry", {kWork}, kWork, 0, {kWork, L"0" + kWork}},
        {"a line without a digit", {L"x" + kWork}, kWork, 0, {L"0" + kWork}},
        {"a digit naming no picture", {L"7" + kWork, L"9" + kDefaultKey}, kWork, 0, {L"9" + kDefaultKey, L"0" + kWork}},
        {"letter case counts", {L"2" + kWork}, L"d:\\lists\\work.nesk.log", 0,
         {L"2" + kWork, L"0d:\\lists\\work.nesk.log"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Lines lines = c.before;
        int picture = StoredTrayPicture(lines, c.key);
        EXPECT_EQ(picture, c.picture);
        StoreTrayPicture(lines, c.key, picture);
        EXPECT_EQ(lines, c.after);
    }
}

TEST(TrayIconFile, ChoosingAPictureReplacesTheListsLine)
{
    Lines lines{L"1" + kWork, L"0" + kDefaultKey};
    StoreTrayPicture(lines, kWork, 3);
    EXPECT_EQ(lines, (Lines{L"0" + kDefaultKey, L"3" + kWork}));
    EXPECT_EQ(FindTrayIconEntry(lines, kWork), 1);
    EXPECT_EQ(FindTrayIconEntry(lines, L"E:\\Other.Nesk.log"), -1);
}

}  // namespace
}  // namespace nesk
