#include "platform/shell/Shell.h"

#include "platform/shell/SystemShell.h"
#include "platform/text/Cp932.h"

namespace {

// Only the user-interface thread makes requests and installs openers.
TShellOpener* GInstalledOpener = nullptr;

}  // namespace

TShellOpener& CurrentShellOpener() {
  return GInstalledOpener ? *GInstalledOpener : SystemShellOpener();
}

TShellOpenerGuard::TShellOpenerGuard(TShellOpener& Opener) : FPrevious(GInstalledOpener) {
  GInstalledOpener = &Opener;
}

TShellOpenerGuard::~TShellOpenerGuard() { GInstalledOpener = FPrevious; }

bool TRecordingShellOpener::Open(const TShellRequest& Request) {
  FRequests.push_back(Request);
  return true;
}

std::vector<std::string> TRecordingShellOpener::Addresses() const {
  std::vector<std::string> Addresses;
  for (const TShellRequest& Request : FRequests) Addresses.push_back(Request.File);
  return Addresses;
}

int ShellExecute(const void* OwnerWindow, std::string_view Verb, std::string_view File,
                 std::string_view Parameters, std::string_view Directory, int ShowCmd) {
  if (!Verb.empty() && !cp932::AnsiSameText(Verb, "open")) return SE_ERR_NOASSOC;
  if (!Parameters.empty()) return SE_ERR_NOASSOC;
  if (File.empty()) return SE_ERR_FNF;
  bool Started = CurrentShellOpener().Open({std::string(File), std::string(Directory)});
  return Started ? kShellExecuteStarted : SE_ERR_FNF;
}
