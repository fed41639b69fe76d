#include "platform/shell/SystemShell.h"

#include <unistd.h>

#include "platform/shell/XdgShellOpener.h"

TShellOpener& SystemShellOpener() {
  static TXdgShellOpener Opener;
  return Opener;
}

TBeeper& SystemBeeper() {
  static TTerminalBeeper Beeper;
  return Beeper;
}

void TTerminalBeeper::Beep(unsigned Type) {
  if (isatty(STDERR_FILENO)) {
    // Nothing to do about a bell that cannot be written.
    [[maybe_unused]] ssize_t Written = write(STDERR_FILENO, "\a", 1);
  }
}
