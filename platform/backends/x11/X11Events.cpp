// The X11 backend's input: waiting on the connection, and turning X events
// into the window system's backend events.

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>

#include "platform/backends/x11/X11Backend.h"
#include "platform/backends/x11/X11Keymap.h"
#include "platform/backends/x11/X11TextConversion.h"

using namespace x11;

namespace {

bool IsModifierVirtualKey(int VirtualKey) {
  return VirtualKey == VK_SHIFT || VirtualKey == VK_CONTROL || VirtualKey == VK_MENU;
}

constexpr unsigned kButtonMasks =
    Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;

// While a pointer grab waits for another client's to end.
constexpr int kGrabRetryPollMs = 20;

}  // namespace

// ---- waiting

void TX11Backend::WatchConnection(Display*, XPointer Self, int Fd, Bool Opening, XPointer*) {
  auto* B = reinterpret_cast<TX11Backend*>(Self);
  auto& Fds = B->FInternalFds;
  if (Opening)
    Fds.push_back(Fd);
  else
    Fds.erase(std::remove(Fds.begin(), Fds.end(), Fd), Fds.end());
}

bool TX11Backend::DrainX() {
  bool Any = false;
  // XPending flushes our requests and reads whatever the server has sent,
  // without blocking.
  while (FEvents.empty() && XPending(FDpy) > 0) {
    XEvent E;
    XNextEvent(FDpy, &E);
    Any = true;
    // The input method sees every event first and may keep it.
    if (XFilterEvent(&E, None)) continue;
    Translate(E);
  }
  return Any;
}

TWaitResult TX11Backend::WaitEvent(TBackendEvent& Event, int TimeoutMs) {
  const std::uint32_t Start = Now();
  for (;;) {
    if (FReopenIm) {
      FReopenIm = false;
      OpenInputMethod();
    }
    if (PointerGrabPending()) TryPointerGrab();
    if (FEvents.empty()) DrainX();
    if (!FEvents.empty()) {
      Event = std::move(FEvents.front());
      FEvents.pop_front();
      return wrEvent;
    }
    int Wait = -1;
    if (TimeoutMs >= 0) {
      const int Elapsed = int(Now() - Start);
      if (Elapsed >= TimeoutMs) return wrTimeout;
      Wait = TimeoutMs - Elapsed;
    }
    // Another client's grab is asked for again soon.
    if (PointerGrabPending() && (Wait < 0 || Wait > kGrabRetryPollMs)) Wait = kGrabRetryPollMs;
    XFlush(FDpy);
    // About to sleep: nothing is drawing now.
    if (Wait != 0) ReleaseIdleMemory();
    std::vector<pollfd> Fds;
    Fds.push_back(pollfd{ConnectionNumber(FDpy), POLLIN, 0});
    for (int Fd : FInternalFds) Fds.push_back(pollfd{Fd, POLLIN, 0});
    const int Ready = poll(Fds.data(), Fds.size(), Wait);
    if (Ready < 0 && errno != EINTR) return wrTimeout;
    for (std::size_t I = 1; I < Fds.size(); ++I)
      if (Fds[I].revents & (POLLIN | POLLHUP | POLLERR))
        XProcessInternalConnection(FDpy, Fds[I].fd);
    // A readable main connection is read by DrainX on the next round; a
    // closed one makes Xlib report the I/O error there.
  }
}

void TX11Backend::Queue(TBackendEvent Event) {
  Event.Time = Now();
  FEvents.push_back(std::move(Event));
}

// ---- helpers

void TX11Backend::NoteTime(Time T) {
  if (T != CurrentTime) FLastTime = T;
}

unsigned TX11Backend::ModifiersOf(unsigned State) const {
  unsigned M = 0;
  if (State & ShiftMask) M |= mkShift;
  if (State & ControlMask) M |= mkControl;
  if (State & Mod1Mask) M |= mkAlt;
  return M;
}

void TX11Backend::RefreshModifierMasks() {
  FNumLockMask = 0;
  XModifierKeymap* Map = XGetModifierMapping(FDpy);
  if (!Map) return;
  const KeyCode NumLock = XKeysymToKeycode(FDpy, XK_Num_Lock);
  for (int Modifier = 0; Modifier < 8 && NumLock; ++Modifier)
    for (int K = 0; K < Map->max_keypermod; ++K)
      if (Map->modifiermap[Modifier * Map->max_keypermod + K] == NumLock)
        FNumLockMask = 1u << Modifier;
  XFreeModifiermap(Map);
}

TPoint TX11Backend::ScreenPoint(const TNative& N, int X, int Y) const {
  // Relative to where the window system believes the window is, so that its
  // hit testing agrees with what the user pointed at even while a move by
  // the window manager is still on its way to it.
  return TPoint{N.Params.ScreenRect.Left + X, N.Params.ScreenRect.Top + Y};
}

// ---- translation

void TX11Backend::Translate(XEvent& E) {
  if (TranslateDisplayEvent(E)) return;
  TNative* N = Find(E.xany.window);
  if (!N) return;
  TBackendEvent B;
  B.Window = TNativeWindow(N->Id);
  switch (E.type) {
    case Expose:
      B.Kind = beExpose;
      B.Rect = Bounds(E.xexpose.x, E.xexpose.y, E.xexpose.width, E.xexpose.height);
      Queue(B);
      return;
    case MapNotify:
      N->Mapped = true;
      if (N->ActivateOnMap) {
        N->ActivateOnMap = false;
        FocusWindow(*N);
      }
      PointerGrabWindowMapped(N->Id);
      return;
    case UnmapNotify:
      N->Mapped = false;
      PointerGrabWindowGone(N->Id, false);
      return;
    case ConfigureNotify:
      TranslateConfigure(E.xconfigure, *N);
      return;
    case ClientMessage:
      TranslateClientMessage(E, *N);
      return;
    case FocusIn:
    case FocusOut:
      TranslateFocus(E.xfocus, *N);
      return;
    case MotionNotify:
      TranslateMotion(E, *N);
      return;
    case ButtonPress:
    case ButtonRelease:
      TranslateButton(E.xbutton, *N);
      return;
    case EnterNotify:
    case LeaveNotify:
      TranslateCrossing(E.xcrossing, *N);
      return;
    case KeyPress:
    case KeyRelease:
      TranslateKey(E.xkey, *N);
      return;
    default:
      return;
  }
}

// Events of the display rather than of one of our windows: keyboard
// mapping, selections, property times, shared-memory completions. True when
// E was one of them.
bool TX11Backend::TranslateDisplayEvent(XEvent& E) {
  switch (E.type) {
    case MappingNotify:
      XRefreshKeyboardMapping(&E.xmapping);
      if (E.xmapping.request != MappingPointer) RefreshModifierMasks();
      return true;
    case SelectionRequest:
      AnswerSelectionRequest(E.xselectionrequest);
      return true;
    case SelectionClear:
      // Another program took a selection of ours: its text is no longer
      // ours to give.
      for (TSelection Selection : {selClipboard, selPrimary}) {
        if (E.xselectionclear.selection != SelectionAtom(Selection)) continue;
        FSelections[Selection].Owned = false;
        FSelections[Selection].Utf8.clear();
      }
      return true;
    case PropertyNotify:
      NoteTime(E.xproperty.time);
      if (E.xproperty.window == FRoot && E.xproperty.atom == FAtoms.NetActiveWindow)
        NoteActiveWindow();
      if (E.xproperty.window == FRoot && E.xproperty.atom == XA_RESOURCE_MANAGER &&
          ReadDesktopScale()) {
        TBackendEvent B;
        B.Kind = beDpiChanged;
        Queue(B);
      }
      return true;
    case KeyPress:
    case KeyRelease:
      if (TranslateHotKey(E.xkey)) return true;
      break;
    default:
      break;
  }
  if (E.type != FImageTarget.ShmCompletionEvent) return false;
  for (auto& [Id, N] : FWindows)
    if (N->Buffer && N->Buffer->CompletionArrived(E)) break;
  return true;
}

// The window manager's protocols: the close button, and its ping.
void TX11Backend::TranslateClientMessage(XEvent& E, TNative& N) {
  if (E.xclient.message_type != FAtoms.WmProtocols || E.xclient.format != 32) return;
  if (Atom(E.xclient.data.l[0]) == FAtoms.WmDeleteWindow) {
    NoteTime(Time(E.xclient.data.l[1]));
    TBackendEvent B;
    B.Window = TNativeWindow(N.Id);
    B.Kind = beCloseRequest;
    Queue(B);
  } else if (Atom(E.xclient.data.l[0]) == FAtoms.NetWmPing) {
    // The manager checks that we still answer: send it back.
    E.xclient.window = FRoot;
    XSendEvent(FDpy, FRoot, False, SubstructureRedirectMask | SubstructureNotifyMask, &E);
  }
}

void TX11Backend::TranslateFocus(const XFocusChangeEvent& F, TNative& N) {
  // Keyboard grabs (the manager's key bindings) and the pointer's share of a
  // focus change are not focus changes of the window.
  if (F.mode == NotifyGrab || F.mode == NotifyUngrab) return;
  if (F.detail == NotifyPointer || F.detail == NotifyPointerRoot || F.detail == NotifyDetailNone ||
      F.detail == NotifyInferior)
    return;
  TBackendEvent B;
  B.Window = TNativeWindow(N.Id);
  if (F.type == FocusIn) {
    SetFocusOfInputContext(N, true);
    B.Kind = beFocusIn;
    Queue(B);
    return;
  }
  SetFocusOfInputContext(N, false);
  // Keys still held go up now: their releases will reach another window,
  // and a modifier must not stay pressed in our key state.
  for (int& Held : FHeldKeys) {
    if (Held < 0) continue;
    const int VK = Held;
    Held = -1;
    if (VK == 0) continue;
    TBackendEvent Up;
    Up.Kind = beKeyUp;
    Up.Window = B.Window;
    Up.VirtualKey = VK;
    Queue(Up);
  }
  B.Kind = beFocusOut;
  Queue(B);
}

void TX11Backend::TranslateMotion(XEvent& E, TNative& N) {
  // Only the latest position of a burst matters.
  XEvent Next;
  while (XEventsQueued(FDpy, QueuedAlready) > 0) {
    XPeekEvent(FDpy, &Next);
    if (Next.type != MotionNotify || Next.xmotion.window != E.xmotion.window ||
        Next.xmotion.state != E.xmotion.state)
      break;
    XNextEvent(FDpy, &E);
  }
  NoteTime(E.xmotion.time);
  FPointerWindow = N.Id;
  TBackendEvent B;
  B.Window = TNativeWindow(N.Id);
  B.Kind = bePointerMove;
  B.ScreenPos = ScreenPoint(N, E.xmotion.x, E.xmotion.y);
  B.Modifiers = ModifiersOf(E.xmotion.state);
  Queue(B);
}

// Buttons 1 to 3 press and release; 4 to 7 are the wheel's notches.
void TX11Backend::TranslateButton(const XButtonEvent& Bt, TNative& N) {
  NoteTime(Bt.time);
  FPointerWindow = N.Id;
  TBackendEvent B;
  B.Window = TNativeWindow(N.Id);
  B.ScreenPos = ScreenPoint(N, Bt.x, Bt.y);
  B.Modifiers = ModifiersOf(Bt.state);
  const bool Press = Bt.type == ButtonPress;
  switch (Bt.button) {
    case Button1:
      B.Button = mbLeft;
      break;
    case Button2:
      B.Button = mbMiddle;
      break;
    case Button3:
      B.Button = mbRight;
      break;
    case Button4:  // wheel away from the user
    case Button5:
    case 6:  // tilt left
    case 7:  // tilt right
      if (!Press) return;
      B.Kind = beWheel;
      B.Horizontal = Bt.button >= 6;
      B.WheelDelta = (Bt.button == Button4 || Bt.button == 7) ? 120 : -120;
      Queue(B);
      return;
    default:
      return;  // back and forward buttons: nothing here uses them
  }
  B.Kind = Press ? beButtonPress : beButtonRelease;
  Queue(B);
}

void TX11Backend::TranslateCrossing(const XCrossingEvent& C, TNative& N) {
  TBackendEvent B;
  B.Window = TNativeWindow(N.Id);
  if (C.type == EnterNotify) {
    if (C.mode == NotifyGrab) return;
    NoteTime(C.time);
    FPointerWindow = N.Id;
    B.Kind = bePointerMove;
    B.ScreenPos = ScreenPoint(N, C.x, C.y);
    B.Modifiers = ModifiersOf(C.state);
    Queue(B);
    return;
  }
  NoteTime(C.time);
  if (C.mode == NotifyUngrab || C.detail == NotifyInferior) return;
  // Our own grab taking the pointer to the capture's window: the pointer
  // has not left the program.
  if (C.mode == NotifyGrab && FGrabHeld) return;
  // While a button is held the pointer still belongs to us (the implicit
  // grab keeps reporting its moves).
  if (C.state & kButtonMasks) return;
  // Going straight into another of our windows is no leaving.
  if (XEventsQueued(FDpy, QueuedAfterReading) > 0) {
    XEvent Next;
    XPeekEvent(FDpy, &Next);
    if (Next.type == EnterNotify && Find(Next.xcrossing.window)) return;
  }
  if (FPointerWindow == N.Id) FPointerWindow = 0;
  B.Kind = bePointerLeave;
  Queue(B);
}

void TX11Backend::TranslateConfigure(const XConfigureEvent& C, TNative& N) {
  // A notification that answers an older request of ours is stale: the
  // window system has asked for another place since.
  if (C.serial < N.ConfigureSerial) return;
  int X = C.x, Y = C.y;
  if (!C.send_event) {
    // A real event of a reparented window is relative to the manager's
    // frame; the synthetic one the manager sends is in root coordinates.
    Window Child;
    if (!XTranslateCoordinates(FDpy, N.Id, FRoot, 0, 0, &X, &Y, &Child)) return;
  }
  const TXGeometry Actual{X, Y, unsigned(std::max(C.width, 1)), unsigned(std::max(C.height, 1))};
  // What the window system asked for, as far as X could take it.
  if (Actual == WindowGeometry(N.Params.ScreenRect)) return;
  N.Requested = Actual;
  N.Params.ScreenRect = Bounds(X, Y, C.width, C.height);
  TBackendEvent B;
  B.Kind = beConfigure;
  B.Window = TNativeWindow(N.Id);
  B.Rect = N.Params.ScreenRect;
  Queue(B);
}

void TX11Backend::TranslateKey(XKeyEvent& Key, TNative& N) {
  NoteTime(Key.time);
  const bool Press = Key.type == KeyPress;
  int VK = 0;
  // Keycode 0 is the input method handing over committed text.
  if (Key.keycode != 0) {
    const KeySym Unshifted = XLookupKeysym(&Key, 0);
    const KeySym NumLocked = XLookupKeysym(&Key, 1);
    VK = VirtualKeyFromKeysym(KeysymForVirtualKey(
        Unshifted, NumLocked, (Key.state & FNumLockMask) != 0, (Key.state & ShiftMask) != 0));
  }
  unsigned Modifiers = ModifiersOf(Key.state);
  // The event's own key is not one of the modifiers held around it.
  if (VK == VK_SHIFT) Modifiers &= ~unsigned(mkShift);
  if (VK == VK_CONTROL) Modifiers &= ~unsigned(mkControl);
  if (VK == VK_MENU) Modifiers &= ~unsigned(mkAlt);
  const unsigned char Code = static_cast<unsigned char>(Key.keycode & 0xFF);

  TBackendEvent B;
  B.Window = TNativeWindow(N.Id);
  B.Modifiers = Modifiers;
  if (!Press) {
    if (!FDetectableRepeat && XEventsQueued(FDpy, QueuedAfterReading) > 0) {
      // Without detectable auto-repeat a held key sends release + press
      // with one time stamp: no release, and the press is a repeat.
      XEvent Next;
      XPeekEvent(FDpy, &Next);
      if (Next.type == KeyPress && Next.xkey.keycode == Key.keycode && Next.xkey.time == Key.time)
        return;
    }
    FHeldKeys[Code] = -1;
    if (VK) {
      B.Kind = beKeyUp;
      B.VirtualKey = VK;
      Queue(B);
    }
    return;
  }
  if (VK) {
    B.Kind = beKeyDown;
    B.VirtualKey = VK;
    B.Repeat = Code != 0 && FHeldKeys[Code] >= 0;
    Queue(B);
  }
  if (Code != 0) FHeldKeys[Code] = VK;
  // Control and Alt combinations are commands: their characters (the
  // control codes, the menu accelerators) come from the keys.
  if (Code != 0 && (Key.state & (ControlMask | Mod1Mask))) return;
  if (IsModifierVirtualKey(VK)) return;
  const std::string Utf8 = LookupText(Key, N);
  if (Utf8.empty()) return;
  const TConvertedText Text = Utf8ToCp932(Utf8, ccDrop);
  // A character code page 932 cannot hold is refused, audibly.
  if (Text.Refused > 0) MessageBeep(MB_OK);
  if (Text.Cp932.empty()) return;
  B.Kind = beText;
  B.VirtualKey = 0;
  B.Repeat = false;
  B.Text = Text.Cp932;
  Queue(B);
}
