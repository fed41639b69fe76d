#include "platform/files/SettingsFolder.h"

#include "platform/files/Path.h"

namespace files {

std::string ChooseSettingsDirectory(const std::string& ExecutableDirectory,
                                    const std::string& UserDirectory) {
  // A settings file there would have been left by root and refuse every
  // other user's save: the package manager's folders hold no settings.
  if (IsSystemProgramDirectory(ExecutableDirectory))
    return UserDirectory.empty() ? ExecutableDirectory : UserDirectory;
  if (PathExists(ExecutableDirectory + kPortableSettingsFile)) return ExecutableDirectory;
  if (IsDirectoryWritable(ExecutableDirectory)) return ExecutableDirectory;
  return UserDirectory.empty() ? ExecutableDirectory : UserDirectory;
}

std::string SettingsDirectory() {
  // A function-local static: decided by the first caller, thread-safe.
  static const std::string Directory =
      ChooseSettingsDirectory(ExecutableDirectory(), UserSettingsDirectory());
  return Directory;
}

std::string SettingsFilePath(std::string_view FileName) {
  return SettingsDirectory() + std::string(FileName);
}

void PrepareSettingsFolder(const std::string& Path) {
  const std::string User = UserSettingsDirectory();
  if (User.empty() || ExtractFilePath(Path) != User) return;
  MakeDirectories(User);
}

}  // namespace files
