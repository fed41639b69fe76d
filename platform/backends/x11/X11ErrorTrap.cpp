#include "platform/backends/x11/X11ErrorTrap.h"

namespace x11 {

namespace {

// One user-interface thread talks to the server, so plain globals do.
int GTrapDepth = 0;
int GTrappedError = 0;

int IgnoreOrTrap(Display*, XErrorEvent* Event) {
  if (GTrapDepth > 0 && GTrappedError == 0) GTrappedError = Event->error_code;
  return 0;
}

}  // namespace

TXErrorHandler InstallErrorHandler() { return XSetErrorHandler(IgnoreOrTrap); }

void RestoreErrorHandler(TXErrorHandler Previous) { XSetErrorHandler(Previous); }

TErrorTrap::TErrorTrap(Display* Dpy) : FDpy(Dpy) {
  // Errors of earlier requests belong to an outer trap, or to none.
  XSync(FDpy, False);
  FOuterError = GTrappedError;
  ++GTrapDepth;
  GTrappedError = 0;
}

TErrorTrap::~TErrorTrap() {
  --GTrapDepth;
  GTrappedError = FOuterError;
}

int TErrorTrap::Check() {
  XSync(FDpy, False);
  return GTrappedError;
}

}  // namespace x11
