#include "platform/shell/Beep.h"

#include <unistd.h>

namespace {

// Only the user-interface thread beeps and installs beepers.
TBeeper* GInstalledBeeper = nullptr;

}  // namespace

TBeeper& CurrentBeeper() {
  static TTerminalBeeper DefaultBeeper;
  return GInstalledBeeper ? *GInstalledBeeper : DefaultBeeper;
}

TBeeperGuard::TBeeperGuard(TBeeper& Beeper) : FPrevious(GInstalledBeeper) {
  GInstalledBeeper = &Beeper;
}

TBeeperGuard::~TBeeperGuard() { GInstalledBeeper = FPrevious; }

void TTerminalBeeper::Beep(unsigned Type) {
  if (isatty(STDERR_FILENO)) {
    // Nothing to do about a bell that cannot be written.
    [[maybe_unused]] ssize_t Written = write(STDERR_FILENO, "\a", 1);
  }
}

bool MessageBeep(unsigned Type) {
  CurrentBeeper().Beep(Type);
  return true;
}
