#pragma once
// The main window's own settings: section "SET" of Scoutlane.ini, which lies
// in the settings folder (beside the executable when that folder is writable
// or already holds it, else the user's own; files/SettingsFolder.h). Read
// once while the window is created, written every time it is closed; the
// keyword box keeps section "History" of the same file by itself.

#include <array>
#include <string>

#include "app/SearchSites.h"
#include "platform/files/SettingsFolder.h"

inline constexpr const char* kSettingsFileName = files::kPortableSettingsFile;
inline constexpr const char* kSettingsSection = "SET";

struct TMainSettings {
  bool StayOnTop = true;                        // FRON: the check of N4 and the form style
  int CurrentSite = -1;                         // REF: the picker's current item
  std::array<bool, kSearchSiteCount> Ticked{};  // SITE0 to SITE9
};

// The settings folder followed by the file name, whatever the working
// directory is.
std::string SettingsFilePath();

// The section as the file holds it; every key that is missing or no number
// keeps its value from Defaults (the window's layout values).
TMainSettings ReadMainSettings(const std::string& Path, const TMainSettings& Defaults);

// Writes all twelve keys, changed or not, in one save that keeps every other
// section and key of the file. A refused save raises EIniFileException
// ("%s に書き込めません") and leaves the file as it was.
void WriteMainSettings(const std::string& Path, const TMainSettings& Values);
