// The pointer grab that stands for the window system's mouse capture on X.
//
// X gives a client the pointer only while a button it saw pressed is held
// (the implicit grab). A menu holds the capture with no button down, and a
// press on the desktop or on another program would never reach it: the menu
// would stay open over everything. So while the capture is held, the
// capture's top-level grabs the pointer with owner_events set: presses and
// moves over our own windows still arrive on those windows, and the rest
// arrive on the grab window in its coordinates, which the event translation
// turns into screen points like any other.

#include "platform/backends/x11/X11Backend.h"

namespace {

// How long a grab that another client holds is asked for again: a window
// manager grabs the pointer only around a click of its own.
constexpr std::uint32_t kGrabRetryMs = 1000;

}  // namespace

void TX11Backend::SetPointerCapture(TNativeWindow Window) {
  TNative* N = Find(::Window(Window));
  const ::Window Wanted = N ? N->Id : 0;
  if (Wanted == FGrabWanted) return;
  FGrabWanted = Wanted;
  if (!Wanted) {
    if (FGrabHeld) XUngrabPointer(FDpy, CurrentTime);
    FGrabHeld = false;
    XFlush(FDpy);
    return;
  }
  // A grab by the same client on another window moves the grab there.
  const bool HadGrab = FGrabHeld;
  FGrabHeld = false;
  FGrabRetryUntil = Now() + kGrabRetryMs;
  TryPointerGrab();
  // When the new window cannot have it yet, the old window's grab must not
  // outlive its capture: the new one may end before it ever maps.
  if (HadGrab && !FGrabHeld) {
    XUngrabPointer(FDpy, CurrentTime);
    XFlush(FDpy);
  }
}

void TX11Backend::TryPointerGrab() {
  TNative* N = Find(FGrabWanted);
  if (!N || FGrabHeld) return;
  // A window that is not shown cannot hold a grab; its MapNotify asks again.
  if (!N->MapRequested) return;
  const unsigned Mask =
      ButtonPressMask | ButtonReleaseMask | PointerMotionMask | EnterWindowMask | LeaveWindowMask;
  const int Result =
      XGrabPointer(FDpy, N->Id, True, Mask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
  FGrabHeld = Result == GrabSuccess;
  // GrabNotViewable: a managed window the manager has not mapped yet; its
  // MapNotify tries again. AlreadyGrabbed, GrabFrozen: another client's
  // grab, tried again from the wait loop for a while.
  if (Result == GrabNotViewable) FGrabRetryUntil = Now();
}

bool TX11Backend::PointerGrabPending() const {
  return FGrabWanted && !FGrabHeld && std::int32_t(FGrabRetryUntil - Now()) > 0;
}

void TX11Backend::PointerGrabWindowMapped(Window Id) {
  if (Id != FGrabWanted || FGrabHeld) return;
  FGrabRetryUntil = Now() + kGrabRetryMs;
  TryPointerGrab();
}

void TX11Backend::PointerGrabWindowGone(Window Id, bool Destroyed) {
  // The server ends a grab whose window is unmapped or destroyed; an
  // unmapped window grabs again when it is shown, if it still holds the
  // capture then.
  if (Id != FGrabWanted) return;
  FGrabHeld = false;
  if (Destroyed) FGrabWanted = 0;
}
