#pragma once
// X protocol errors. Xlib's default handler ends the process on any error,
// but most errors a client meets are harmless races (a window that the
// window manager has just withdrawn refuses the focus), so the backend
// installs a handler that ignores them. Where an error decides what to do
// next (attaching shared memory), a trap collects it.

#include <X11/Xlib.h>

namespace x11 {

// Installs the ignoring handler; answers the one it replaced, for
// RestoreErrorHandler.
using TXErrorHandler = int (*)(Display*, XErrorEvent*);
TXErrorHandler InstallErrorHandler();
void RestoreErrorHandler(TXErrorHandler Previous);

// Collects the first error of the requests made while it lives.
class TErrorTrap {
public:
  explicit TErrorTrap(Display* Dpy);
  ~TErrorTrap();
  TErrorTrap(const TErrorTrap&) = delete;
  TErrorTrap& operator=(const TErrorTrap&) = delete;
  // Waits until the server has handled every request so far and answers the
  // first error code among those made since the trap was set (0: none).
  int Check();

private:
  Display* FDpy;
  int FOuterError;
};

}  // namespace x11
