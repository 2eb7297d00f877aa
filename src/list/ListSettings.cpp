#include "list/ListSettings.h"

#include "list/TextFile.h"

namespace nesk {
namespace {

std::optional<int> InRange(std::optional<int> value, int low, int high)
{
    if (value && (*value < low || *value > high))
        return std::nullopt;
    return value;
}

std::optional<bool> AsBool(std::optional<int> value)
{
    if (!value)
        return std::nullopt;
    return *value != 0;
}

}  // namespace

SettingsPlace ChooseSettingsPlace(const std::wstring& listFile, bool listFileExists)
{
    if (!listFileExists)
        return {kDefaultSettingsFileName, kDefaultSettingsSection};
    return {NameWithoutExtension(listFile) + L".ini", FolderOfPath(listFile)};
}

StoredSettings ReadStoredSettings(const IniFile& ini, const std::wstring& section)
{
    StoredSettings stored;
    stored.top = InRange(ini.ReadInteger(section, L"Top"), -kMaxStoredPosition, kMaxStoredPosition);
    stored.left = InRange(ini.ReadInteger(section, L"Left"), -kMaxStoredPosition, kMaxStoredPosition);
    stored.height = InRange(ini.ReadInteger(section, L"Height"), 1, kMaxStoredExtent);
    stored.width = InRange(ini.ReadInteger(section, L"Width"), 1, kMaxStoredExtent);
    stored.normal = AsBool(ini.ReadInteger(section, L"Normal"));
    stored.stayOnTop = AsBool(ini.ReadInteger(section, L"StayOnTop"));
    stored.fontSize = InRange(ini.ReadInteger(section, L"FontSize"), kMinStoredFontSize, kMaxStoredFontSize);
    stored.min = AsBool(ini.ReadInteger(section, L"Min"));
    return stored;
}

void WriteStoredSettings(IniFile& ini, const std::wstring& section, const WindowSettings& settings)
{
    if (settings.geometryKnown) {
        ini.WriteInteger(section, L"Top", settings.top);
        ini.WriteInteger(section, L"Left", settings.left);
        ini.WriteInteger(section, L"Height", settings.height);
        ini.WriteInteger(section, L"Width", settings.width);
    }
    ini.WriteString(section, L"Normal", settings.normal ? L"1" : L"0");
    ini.WriteString(section, L"StayOnTop", settings.stayOnTop ? L"1" : L"0");
    ini.WriteInteger(section, L"FontSize", settings.fontSize);
    ini.WriteString(section, L"Min", settings.min ? L"1" : L"0");
}

}  // namespace nesk
