#include "platform/shell/Beep.h"

#include "platform/shell/SystemShell.h"

namespace {

// Only the user-interface thread beeps and installs beepers.
TBeeper* GInstalledBeeper = nullptr;

}  // namespace

TBeeper& CurrentBeeper() { return GInstalledBeeper ? *GInstalledBeeper : SystemBeeper(); }

TBeeperGuard::TBeeperGuard(TBeeper& Beeper) : FPrevious(GInstalledBeeper) {
  GInstalledBeeper = &Beeper;
}

TBeeperGuard::~TBeeperGuard() { GInstalledBeeper = FPrevious; }

bool MessageBeep(unsigned Type) {
  CurrentBeeper().Beep(Type);
  return true;
}
