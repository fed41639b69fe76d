#include "platform/shell/XdgShellOpener.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/files/Path.h"
#include "platform/text/Cp932.h"

extern char** environ;

namespace {

constexpr const char* kOpenerProgram = "xdg-open";

// Children whose reaper thread could not be started; reaped without waiting
// at the next request instead.
std::mutex GUnreapedLock;
std::vector<pid_t> GUnreaped;

void ReapLeftovers() {
  std::lock_guard<std::mutex> Lock(GUnreapedLock);
  for (auto Child = GUnreaped.begin(); Child != GUnreaped.end();) {
    pid_t Result = waitpid(*Child, nullptr, WNOHANG);
    if (Result == *Child || (Result < 0 && errno == ECHILD))
      Child = GUnreaped.erase(Child);
    else
      ++Child;
  }
}

void ReapInBackground(pid_t Child) {
  try {
    std::thread([Child] {
      while (waitpid(Child, nullptr, 0) < 0 && errno == EINTR) {
      }
    }).detach();
  } catch (const std::system_error&) {
    std::lock_guard<std::mutex> Lock(GUnreapedLock);
    GUnreaped.push_back(Child);
  }
}

class TSpawnSettings {
public:
  TSpawnSettings() {
    posix_spawn_file_actions_init(&FActions);
    posix_spawnattr_init(&FAttributes);
  }
  ~TSpawnSettings() {
    posix_spawn_file_actions_destroy(&FActions);
    posix_spawnattr_destroy(&FAttributes);
  }
  TSpawnSettings(const TSpawnSettings&) = delete;
  TSpawnSettings& operator=(const TSpawnSettings&) = delete;

  bool Prepare(const std::string& Directory) {
    if (!Directory.empty() && posix_spawn_file_actions_addchdir_np(&FActions, Directory.c_str()))
      return false;
    if (posix_spawn_file_actions_addclosefrom_np(&FActions, 3)) return false;

    sigset_t NoSignals, AllCatchable;
    sigemptyset(&NoSignals);
    sigfillset(&AllCatchable);
    sigdelset(&AllCatchable, SIGKILL);
    sigdelset(&AllCatchable, SIGSTOP);
    return posix_spawnattr_setsigmask(&FAttributes, &NoSignals) == 0 &&
           posix_spawnattr_setsigdefault(&FAttributes, &AllCatchable) == 0 &&
           posix_spawnattr_setflags(&FAttributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF |
                                                      POSIX_SPAWN_SETSID) == 0;
  }

  const posix_spawn_file_actions_t* Actions() const { return &FActions; }
  const posix_spawnattr_t* Attributes() const { return &FAttributes; }

private:
  posix_spawn_file_actions_t FActions;
  posix_spawnattr_t FAttributes;
};

}  // namespace

bool TXdgShellOpener::Open(const TShellRequest& Request) {
  ReapLeftovers();

  const std::string& File = Request.File;
  if (File.empty() || File[0] == '-' || File.find('\0') != std::string::npos) return false;
  std::optional<std::string> Address = cp932::ToUtf8(File);
  if (!Address) return false;
  std::string Directory = files::ToFileSystem(Request.Directory);
  if (Directory.find('\0') != std::string::npos) return false;

  TSpawnSettings Settings;
  if (!Settings.Prepare(Directory)) return false;
  std::string Program = kOpenerProgram;
  char* Arguments[] = {Program.data(), Address->data(), nullptr};
  pid_t Child = 0;
  if (posix_spawnp(&Child, kOpenerProgram, Settings.Actions(), Settings.Attributes(), Arguments,
                   environ) != 0)
    return false;
  ReapInBackground(Child);
  return true;
}
