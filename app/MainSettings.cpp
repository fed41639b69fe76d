#include "app/MainSettings.h"

#include "framework/core/IniFiles.h"
#include "platform/files/SettingsFolder.h"

namespace {

std::string SiteKey(int Index) { return "SITE" + std::to_string(Index); }

}  // namespace

std::string SettingsFilePath() { return files::SettingsFilePath(kSettingsFileName); }

TMainSettings ReadMainSettings(const std::string& Path, const TMainSettings& Defaults) {
  TIniFile Ini(Path);
  TMainSettings Settings;
  Settings.StayOnTop = Ini.ReadBool(kSettingsSection, "FRON", Defaults.StayOnTop);
  Settings.CurrentSite = Ini.ReadInteger(kSettingsSection, "REF", Defaults.CurrentSite);
  for (int Index = 0; Index < kSearchSiteCount; ++Index)
    Settings.Ticked[Index] = Ini.ReadBool(kSettingsSection, SiteKey(Index), Defaults.Ticked[Index]);
  return Settings;
}

void WriteMainSettings(const std::string& Path, const TMainSettings& Values) {
  files::PrepareSettingsFolder(Path);
  TIniFile Ini(Path);
  Ini.WriteBool(kSettingsSection, "FRON", Values.StayOnTop);
  Ini.WriteInteger(kSettingsSection, "REF", Values.CurrentSite);
  for (int Index = 0; Index < kSearchSiteCount; ++Index)
    Ini.WriteBool(kSettingsSection, SiteKey(Index), Values.Ticked[Index]);
  // Saved here rather than by the release, so a refused save reaches the
  // caller as an ordinary error.
  Ini.UpdateFile();
}
