#pragma once
// The atoms the backend uses, interned together in one round trip.

#include <X11/Xlib.h>

namespace x11 {

struct TX11Atoms {
  Atom WmProtocols = 0;
  Atom WmDeleteWindow = 0;
  Atom NetWmPing = 0;
  Atom NetWmName = 0;
  Atom NetWmIconName = 0;
  Atom Utf8String = 0;
  Atom NetWmWindowType = 0;
  Atom NetWmWindowTypeNormal = 0;
  Atom NetWmWindowTypeToolbar = 0;
  Atom NetWmWindowTypeDialog = 0;
  Atom NetWmWindowTypePopupMenu = 0;
  Atom NetWmState = 0;
  Atom NetWmStateAbove = 0;
  Atom NetWmStateSkipTaskbar = 0;
  Atom NetWmStateSkipPager = 0;
  Atom NetWmIcon = 0;
  Atom NetWmPid = 0;
  Atom NetActiveWindow = 0;
  Atom Clipboard = 0;
  Atom Targets = 0;
  Atom Text = 0;
  Atom Timestamp = 0;
  Atom Incr = 0;
  // Our own properties on the helper window: where conversions land, and
  // the property whose change tells the server's time.
  Atom SelectionData = 0;
  Atom TimeProbe = 0;
  // WM_S<screen>: owned by the running ICCCM window manager.
  Atom WindowManagerSelection = 0;

  void Intern(Display* Dpy, int Screen);
};

}  // namespace x11
