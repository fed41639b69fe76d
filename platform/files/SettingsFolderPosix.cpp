#include "platform/files/SettingsFolder.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/files/Path.h"

namespace files {

namespace {

constexpr const char* kUserFolder = "scoutlane";

std::string HomeDirectory() {
  const char* Home = std::getenv("HOME");
  if (Home && *Home) return Home;
  std::vector<char> Buffer(16384);
  passwd Entry;
  passwd* Found = nullptr;
  if (getpwuid_r(getuid(), &Entry, Buffer.data(), Buffer.size(), &Found) == 0 && Found &&
      Found->pw_dir && *Found->pw_dir)
    return Found->pw_dir;
  return std::string();
}

// $XDG_CONFIG_HOME when it is an absolute path that is a folder or not there
// yet; a relative one is to be ignored by the XDG rules, and one that names
// a file could never hold ours.
std::string ConfigHome() {
  const char* Xdg = std::getenv("XDG_CONFIG_HOME");
  if (Xdg && Xdg[0] == '/') {
    struct stat Status;
    if (stat(Xdg, &Status) != 0 ? errno == ENOENT : S_ISDIR(Status.st_mode)) return Xdg;
  }
  std::string Home = HomeDirectory();
  if (Home.empty()) return std::string();
  while (Home.size() > 1 && Home.back() == '/') Home.pop_back();
  return (Home == "/" ? "" : Home) + "/.config";
}

}  // namespace

std::string UserSettingsDirectory() {
  std::string Config = ConfigHome();
  if (Config.empty()) return std::string();
  while (Config.size() > 1 && Config.back() == '/') Config.pop_back();
  if (Config != "/") Config += '/';
  return FromFileSystem(Config + kUserFolder + "/");
}

bool IsDirectoryWritable(const std::string& Directory) {
  std::string Probe = ToFileSystem(Directory) + ".scoutlane-probe-XXXXXX";
  int Descriptor = mkostemp(Probe.data(), O_CLOEXEC);
  if (Descriptor < 0) return false;
  close(Descriptor);
  unlink(Probe.c_str());
  return true;
}

bool IsSystemProgramDirectory(const std::string& Directory) {
  return Directory.compare(0, 5, "/usr/") == 0;
}

bool PathExists(const std::string& Path) {
  struct stat Status;
  return stat(ToFileSystem(Path).c_str(), &Status) == 0;
}

// mkdir -p; the folders made are the user's only, as the XDG rules ask.
bool MakeDirectories(const std::string& Directory) {
  std::string Path = ToFileSystem(Directory);
  while (Path.size() > 1 && Path.back() == '/') Path.pop_back();
  for (std::size_t Slash = Path.find('/', 1); Slash != std::string::npos;
       Slash = Path.find('/', Slash + 1)) {
    if (mkdir(Path.substr(0, Slash).c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  if (mkdir(Path.c_str(), 0700) != 0 && errno != EEXIST) return false;
  struct stat Status;
  return stat(Path.c_str(), &Status) == 0 && S_ISDIR(Status.st_mode);
}

}  // namespace files
