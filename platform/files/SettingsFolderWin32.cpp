#include "platform/files/SettingsFolder.h"

#include <shlobj.h>
#include <windows.h>

#include "platform/files/WideString.h"

namespace files {
namespace {

std::wstring Wide(const std::string& Path) {
  const std::u16string Text = WidePath(Path);
  return std::wstring(Text.begin(), Text.end());
}

}  // namespace

// %APPDATA%\Scoutlane\: the roaming application data folder as the shell
// knows it (the variable can be missing or stale; the known folder cannot).
std::string UserSettingsDirectory() {
  PWSTR Folder = nullptr;
  std::string Directory;
  if (SUCCEEDED(
          SHGetKnownFolderPath(FOLDERID_RoamingAppData, KF_FLAG_DONT_VERIFY, nullptr, &Folder)) &&
      Folder && *Folder) {
    std::u16string Text(reinterpret_cast<const char16_t*>(Folder));
    while (!Text.empty() && (Text.back() == u'\\' || Text.back() == u'/')) Text.pop_back();
    Directory = PathFromWide(Text + u"\\Scoutlane\\");
  }
  CoTaskMemFree(Folder);
  return Directory;
}

bool IsDirectoryWritable(const std::string& Directory) {
  const std::wstring Base =
      Wide(Directory) + L"scoutlane-probe-" + std::to_wstring(GetCurrentProcessId()) + L"-";
  for (unsigned Attempt = 0; Attempt < 16; ++Attempt) {
    const std::wstring Probe = Base + std::to_wstring(GetTickCount() + Attempt) + L".tmp";
    // Removed by the system as the handle closes.
    HANDLE File = CreateFileW(Probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (File != INVALID_HANDLE_VALUE) {
      CloseHandle(File);
      return true;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) return false;
  }
  return false;
}

// Program Files is refused by the probe to everyone but an elevated
// administrator, who is meant to be able to keep a portable copy there.
bool IsSystemProgramDirectory(const std::string&) { return false; }

bool PathExists(const std::string& Path) {
  return GetFileAttributesW(Wide(Path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool MakeDirectories(const std::string& Directory) {
  std::wstring Path = Wide(Directory);
  while (Path.size() > 3 && (Path.back() == L'\\' || Path.back() == L'/')) Path.pop_back();
  // In UTF-16 a separator is always a separator; the drive's root ("C:\")
  // and a share's first two parts exist or cannot be made.
  for (std::size_t Pos = 1; Pos < Path.size(); ++Pos) {
    if ((Path[Pos] == L'\\' || Path[Pos] == L'/') && Path[Pos - 1] != L':' &&
        Path[Pos - 1] != L'\\')
      CreateDirectoryW(Path.substr(0, Pos).c_str(), nullptr);
  }
  CreateDirectoryW(Path.c_str(), nullptr);
  const DWORD Attributes = GetFileAttributesW(Path.c_str());
  return Attributes != INVALID_FILE_ATTRIBUTES && (Attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace files
