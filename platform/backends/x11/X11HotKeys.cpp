// System-wide keys on X: a passive grab of the combination on the root
// window, and handing the focus back to the program that had it.
//
// The server matches a passive grab's modifiers exactly, so a combination
// pressed with Caps Lock, Num Lock or Scroll Lock on would pass the grab
// by. Each combination is therefore grabbed once for every set of the lock
// modifiers. A grab another client holds fails with BadAccess: the key is
// then not ours, and what we grabbed of it is let go again.
//
// The window that had the focus before ours is followed through the window
// manager's _NET_ACTIVE_WINDOW on the root window (its changes are watched
// while a hot key is registered), or asked of the server at the hot key's
// press when no manager runs.

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include "platform/backends/x11/X11Backend.h"
#include "platform/backends/x11/X11Keymap.h"

using namespace x11;

namespace {

// _NET_ACTIVE_WINDOW source indication: the user asked, through a pager or
// a task bar. Managers that keep applications from stealing the focus let
// such a request through, and giving the focus back is the user's wish.
constexpr long kSourcePager = 2;

// The modifier bit (ShiftMask ... Mod5Mask) that holds a keysym's key; 0
// when no modifier holds it.
unsigned ModifierMaskOf(Display* Dpy, KeySym Sym) {
  const KeyCode Code = XKeysymToKeycode(Dpy, Sym);
  if (!Code) return 0;
  XModifierKeymap* Map = XGetModifierMapping(Dpy);
  if (!Map) return 0;
  unsigned Mask = 0;
  for (int Modifier = 0; Modifier < 8 && !Mask; ++Modifier)
    for (int K = 0; K < Map->max_keypermod; ++K)
      if (Map->modifiermap[Modifier * Map->max_keypermod + K] == Code) Mask = 1u << Modifier;
  XFreeModifiermap(Map);
  return Mask;
}

}  // namespace

unsigned TX11Backend::LockMasks() const {
  return LockMask | FNumLockMask | ModifierMaskOf(FDpy, XK_Scroll_Lock);
}

bool TX11Backend::RegisterHotKey(int Id, unsigned Modifiers, int VirtualKey) {
  const KeySym Sym = KeysymFromVirtualKey(VirtualKey);
  const KeyCode Code = Sym ? XKeysymToKeycode(FDpy, Sym) : 0;
  if (!Code) return false;
  unsigned Mask = 0;
  if (Modifiers & mkShift) Mask |= ShiftMask;
  if (Modifiers & mkControl) Mask |= ControlMask;
  if (Modifiers & mkAlt) Mask |= Mod1Mask;
  if (Modifiers & mkWin) {
    const unsigned Super = ModifierMaskOf(FDpy, XK_Super_L);
    Mask |= Super ? Super : Mod4Mask;
  }
  // Every subset of the lock modifiers that exist on this keyboard.
  std::vector<unsigned> Locks;
  for (unsigned Lock : {unsigned(LockMask), FNumLockMask, ModifierMaskOf(FDpy, XK_Scroll_Lock)})
    if (Lock && !(Lock & Mask)) Locks.push_back(Lock);
  std::vector<unsigned> Sets{0};
  for (unsigned Lock : Locks) {
    const std::size_t Count = Sets.size();
    for (std::size_t I = 0; I < Count; ++I)
      if (!(Sets[I] & Lock)) Sets.push_back(Sets[I] | Lock);
  }
  bool Refused = false;
  {
    TErrorTrap Trap(FDpy);
    for (unsigned Set : Sets)
      XGrabKey(FDpy, Code, Mask | Set, FRoot, False, GrabModeAsync, GrabModeAsync);
    Refused = Trap.Check() != 0;
  }
  if (Refused) {
    // Part of it may be ours: BadAccess fails one request, not the others.
    for (unsigned Set : Sets) XUngrabKey(FDpy, Code, Mask | Set, FRoot);
    XFlush(FDpy);
    return false;
  }
  FHotKeys.push_back({Id, Code, Mask, Sets});
  // From now on the manager's idea of the active window is followed.
  XSelectInput(FDpy, FRoot, PropertyChangeMask);
  NoteActiveWindow();
  XFlush(FDpy);
  return true;
}

void TX11Backend::UnregisterHotKey(int Id) {
  for (auto It = FHotKeys.begin(); It != FHotKeys.end(); ++It) {
    if (It->Id != Id) continue;
    for (unsigned Set : It->LockSets) XUngrabKey(FDpy, It->Code, It->Mask | Set, FRoot);
    FHotKeys.erase(It);
    if (FHotKeys.empty()) XSelectInput(FDpy, FRoot, NoEventMask);
    XFlush(FDpy);
    return;
  }
}

bool TX11Backend::TranslateHotKey(const XKeyEvent& Key) {
  if (Key.window != FRoot) return false;
  // The press is the user's latest action: its time is the one the window
  // manager wants with the activation that follows.
  NoteTime(Key.time);
  if (Key.type != KeyPress) return true;
  const unsigned Held = Key.state & ~LockMasks() & 0xFF;
  for (const THotKeyGrab& Grab : FHotKeys) {
    if (Grab.Code != Key.keycode || Grab.Mask != Held) continue;
    // Where the focus is now, before we take it.
    NoteActiveWindow();
    TBackendEvent B;
    B.Kind = beHotKey;
    B.VirtualKey = Grab.Id;
    B.Modifiers = ModifiersOf(Key.state);
    Queue(B);
    break;
  }
  return true;
}

void TX11Backend::NoteActiveWindow() {
  Window Active = None;
  if (HasWindowManager()) {
    Atom Type = None;
    int Format = 0;
    unsigned long Count = 0, After = 0;
    unsigned char* Data = nullptr;
    if (XGetWindowProperty(FDpy, FRoot, FAtoms.NetActiveWindow, 0, 1, False, XA_WINDOW, &Type,
                           &Format, &Count, &After, &Data) == Success &&
        Data) {
      if (Type == XA_WINDOW && Format == 32 && Count == 1)
        Active = Window(*reinterpret_cast<unsigned long*>(Data));
      XFree(Data);
    }
  } else {
    int Revert = 0;
    XGetInputFocus(FDpy, &Active, &Revert);
  }
  if (Active == None || Active == PointerRoot || Active == FRoot || Active == FHelper) return;
  if (Find(Active)) return;
  FForeignFocus = Active;
}

bool TX11Backend::ReturnFocus() {
  if (!FForeignFocus) return false;
  XWindowAttributes Attributes;
  bool Gone = false;
  {
    TErrorTrap Trap(FDpy);
    Gone = !XGetWindowAttributes(FDpy, FForeignFocus, &Attributes) || Trap.Check() != 0;
  }
  if (Gone || Attributes.map_state != IsViewable) {
    FForeignFocus = 0;
    return false;
  }
  if (HasWindowManager()) {
    Window OursActive = None;
    for (const auto& [Id, N] : FWindows)
      if (N->XFocused) OursActive = Id;
    XEvent E{};
    E.xclient.type = ClientMessage;
    E.xclient.window = FForeignFocus;
    E.xclient.message_type = FAtoms.NetActiveWindow;
    E.xclient.format = 32;
    E.xclient.data.l[0] = kSourcePager;
    E.xclient.data.l[1] = long(FLastTime);
    E.xclient.data.l[2] = long(OursActive);
    XSendEvent(FDpy, FRoot, False, SubstructureRedirectMask | SubstructureNotifyMask, &E);
  } else {
    XSetInputFocus(FDpy, FForeignFocus, RevertToPointerRoot, CurrentTime);
  }
  XFlush(FDpy);
  return true;
}
