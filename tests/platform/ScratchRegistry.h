#pragma once
// The registry store of a test, so that tests never touch the user's own.
// On Linux the store is the file under the test's $XDG_CONFIG_HOME (the
// caller points it into a scratch folder); on Windows HKEY_CURRENT_USER is
// redirected to a scratch key of its own, removed again at the end.

#include <filesystem>
#include <string>

#include "platform/registry/RegistryStore.h"

#ifdef _WIN32
#include <process.h>

#include "platform/registry/RegistryNative.h"
#include "platform/text/Cp932.h"
#endif

namespace testfiles {

class TScratchRegistry {
public:
  // ConfigHome: the $XDG_CONFIG_HOME the test set (Linux only).
  explicit TScratchRegistry(std::string ConfigHome) : FConfigHome(std::move(ConfigHome)) {
#ifdef _WIN32
    static int Count = 0;
    FKey = u"Software\\ScoutlaneTests\\Scratch" +
           cp932::ToUtf16Lossy(std::to_string(_getpid()) + "-" + std::to_string(++Count));
    registrynative::DeleteKey(FKey);
    registrynative::RedirectCurrentUser(FKey);
#endif
  }
  ~TScratchRegistry() {
#ifdef _WIN32
    registrynative::RedirectCurrentUser(u"");
    registrynative::DeleteKey(FKey);
#endif
  }
  TScratchRegistry(const TScratchRegistry&) = delete;
  TScratchRegistry& operator=(const TScratchRegistry&) = delete;

  // Everything the test stored.
  registry::TRegistryTree Stored() const {
#ifdef _WIN32
    return registry::TRegistryStore::ForCurrentUser().Load();
#else
    return registry::TRegistryStore(FConfigHome + "/scoutlane").Load();
#endif
  }
  // Whether anything was stored at all.
  bool Written() const {
#ifdef _WIN32
    return !Stored().Root().SubKeys().empty();
#else
    return std::filesystem::exists(FConfigHome + "/scoutlane/registry.txt");
#endif
  }

private:
  std::string FConfigHome;
#ifdef _WIN32
  std::u16string FKey;
#endif
};

}  // namespace testfiles
