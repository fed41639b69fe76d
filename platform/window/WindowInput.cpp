// Input routing, done once here for every backend: the mouse hook, capture,
// hit testing, client and non-client mouse messages, double clicks,
// activation on presses, WM_SETCURSOR, keyboard state, focus and the key
// and character messages.

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/gdi/SysColors.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

namespace {

UINT ButtonDownMessage(TMouseButton B, bool Client) {
  switch (B) {
    case mbLeft:
      return Client ? WM_LBUTTONDOWN : WM_NCLBUTTONDOWN;
    case mbRight:
      return Client ? WM_RBUTTONDOWN : WM_NCRBUTTONDOWN;
    default:
      return Client ? WM_MBUTTONDOWN : WM_NCMBUTTONDOWN;
  }
}

int ButtonKey(TMouseButton B) {
  return B == mbLeft ? VK_LBUTTON : B == mbRight ? VK_RBUTTON : VK_MBUTTON;
}

LPARAM KeyLParam(bool Alt, bool WasDown, bool Up) {
  std::uint32_t V = 1;  // repeat count
  if (Alt) V |= 1u << 29;
  if (WasDown || Up) V |= 1u << 30;
  if (Up) V |= 1u << 31;
  return LPARAM(std::int32_t(V));
}

}  // namespace

// ---- keyboard state

void TWindowCore::SetKeyDown(int VirtualKey, bool Down, bool Toggle) {
  BYTE& S = FKeyState[VirtualKey & 0xFF];
  if (Down) {
    if (Toggle && !(S & 0x80)) S ^= 0x01;
    S |= 0x80;
  } else {
    S &= ~0x80;
  }
}

void TWindowCore::UpdateModifierState(unsigned Modifiers) {
  SetKeyDown(VK_SHIFT, (Modifiers & mkShift) != 0, false);
  SetKeyDown(VK_CONTROL, (Modifiers & mkControl) != 0, false);
  SetKeyDown(VK_MENU, (Modifiers & mkAlt) != 0, false);
}

UINT TWindowCore::MouseKeyFlags() const {
  UINT F = 0;
  if (FKeyState[VK_LBUTTON] & 0x80) F |= MK_LBUTTON;
  if (FKeyState[VK_RBUTTON] & 0x80) F |= MK_RBUTTON;
  if (FKeyState[VK_MBUTTON] & 0x80) F |= MK_MBUTTON;
  if (FKeyState[VK_SHIFT] & 0x80) F |= MK_SHIFT;
  if (FKeyState[VK_CONTROL] & 0x80) F |= MK_CONTROL;
  return F;
}

// ---- cooking backend events into messages

void TWindowCore::CookEvent(const TBackendEvent& E) {
  auto TopOfNative = [&](TNativeWindow N) -> TWindow* {
    for (TWindow* T : FTopLevels)
      if (T->Native == N) return T;
    return nullptr;
  };
  switch (E.Kind) {
    case bePointerMove:
    case beButtonPress:
    case beButtonRelease:
    case beWheel:
      UpdateModifierState(E.Modifiers);
      RouteMouse(E);
      break;
    case bePointerLeave:
      CheckMouseLeave(nullptr, HTNOWHERE);
      break;
    case beKeyDown:
    case beKeyUp:
      RouteKey(E);
      break;
    case beText:
      UpdateModifierState(E.Modifiers);
      RouteText(E);
      break;
    case beFocusIn:
      if (TWindow* T = TopOfNative(E.Window))
        if (IsActivatable(T)) SetActiveImpl(T, WA_ACTIVE, true);
      break;
    case beFocusOut:
      if (TWindow* T = TopOfNative(E.Window)) {
        if (T->Handle == FActive) {
          SetActiveImpl(nullptr, WA_INACTIVE, true);
          // Another program has the user now: a drag in progress ends.
          if (FCapture) ReleaseCaptureImpl();
        }
      }
      break;
    case beCloseRequest:
      if (TWindow* T = TopOfNative(E.Window)) {
        MSG M;
        M.hwnd = T->Handle;
        M.message = WM_SYSCOMMAND;
        M.wParam = SC_CLOSE;
        M.time = E.Time;
        M.pt = FCursorPos;
        FCooked.push_back(M);
      }
      break;
    case beExpose:
      if (TWindow* T = TopOfNative(E.Window)) {
        TRegion R(E.Rect);
        R.Intersect(TRect{0, 0, T->Rect.Width(), T->Rect.Height()});
        T->Dirty.Union(R);
      }
      break;
    case beConfigure:
      if (TWindow* T = TopOfNative(E.Window))
        if (T->Rect != E.Rect)
          SetWindowPosImpl(T, nullptr, E.Rect.Left, E.Rect.Top, E.Rect.Width(), E.Rect.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case beCompositionStart:
    case beComposition:
    case beCompositionEnd:
      RouteComposition(E);
      break;
    case beHotKey:
      PostHotKey(E);
      break;
    case beDpiChanged:
      ChangeDpi(E);
      break;
    case beNone:
      break;
  }
}

TWindow* TWindowCore::HitWindow(const TPoint& Pt, int& HitCode) {
  std::vector<HWND> Skip;
  auto Skipped = [&](const TWindow* W) {
    return std::find(Skip.begin(), Skip.end(), W->Handle) != Skip.end();
  };
  HitCode = HTNOWHERE;
  for (int Attempt = 0; Attempt < 32; ++Attempt) {
    TWindow* W = nullptr;
    for (TWindow* Top : FTopLevels) {
      if ((Top->Style & WS_VISIBLE) && ScreenRect(Top).Contains(Pt.X, Pt.Y) && !Skipped(Top)) {
        W = Top;
        break;
      }
    }
    if (!W) return nullptr;
    if (W->Style & WS_DISABLED) {
      HitCode = HTERROR;
      return W;
    }
    for (;;) {
      const TPoint Origin = ClientScreenOrigin(W);
      const TPoint C{Pt.X - Origin.X, Pt.Y - Origin.Y};
      if (!TRect{0, 0, W->Client.Width(), W->Client.Height()}.Contains(C.X, C.Y)) break;
      TWindow* Next = nullptr;
      for (TWindow* Child : W->Children) {
        // A disabled child lets the press go to its parent, as in Win32.
        if (!(Child->Style & WS_VISIBLE) || (Child->Style & WS_DISABLED) || Skipped(Child))
          continue;
        if (Child->Rect.Contains(C.X, C.Y)) {
          Next = Child;
          break;
        }
      }
      if (!Next) break;
      W = Next;
    }
    const HWND Handle = W->Handle;
    const LRESULT Hit = Send(W, WM_NCHITTEST, 0, MAKELPARAM(Pt.X, Pt.Y));
    W = Lookup(Handle);
    if (!W) continue;
    if (Hit == HTTRANSPARENT) {
      Skip.push_back(Handle);
      continue;
    }
    HitCode = int(Hit);
    return W;
  }
  return nullptr;
}

void TWindowCore::CheckMouseLeave(TWindow* Under, int HitCode) {
  if (!FTrackWindow) return;
  const bool NonClient = (FTrackFlags & TME_NONCLIENT) != 0;
  const bool StillOver = Under && Under->Handle == FTrackWindow &&
                         (NonClient ? HitCode != HTCLIENT : HitCode == HTCLIENT);
  if (StillOver) return;
  const HWND Left = FTrackWindow;
  FTrackWindow = nullptr;
  FTrackFlags = 0;
  Post(Left, NonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
}

void TWindowCore::RouteMouse(const TBackendEvent& E) {
  const bool Press = E.Kind == beButtonPress;
  const bool Release = E.Kind == beButtonRelease;
  if (Press || Release) SetKeyDown(ButtonKey(E.Button), Press, false);
  if (E.Kind == beWheel) {
    RouteWheel(E);
    return;
  }

  const TPoint Pt = E.ScreenPos;
  int UnderHit = HTNOWHERE;
  TWindow* Under = HitWindow(Pt, UnderHit);
  const HWND UnderHandle = Under ? Under->Handle : nullptr;
  CheckMouseLeave(Lookup(UnderHandle), UnderHit);

  TWindow* Capture = Lookup(FCapture);
  TWindow* Target = Capture ? Capture : Lookup(UnderHandle);
  const int Hit = Capture ? HTCLIENT : UnderHit;
  if (!Target) return;
  const HWND TargetHandle = Target->Handle;
  const bool Client = Hit == HTCLIENT;

  UINT Msg;
  if (Press)
    Msg = ButtonDownMessage(E.Button, Client);
  else if (Release)
    Msg = ButtonDownMessage(E.Button, Client) + 1;
  else
    Msg = Client ? WM_MOUSEMOVE : WM_NCMOUSEMOVE;

  if (Hit == HTERROR) {
    PressOnDisabled(Target, Msg, Press);
    return;
  }
  if (Press) Msg = DoubleClickOf(Msg, Target, Client, E);

  // The mouse hook sees the message first and may discard it.
  MOUSEHOOKSTRUCT Hook;
  Hook.pt = Pt;
  Hook.hwnd = TargetHandle;
  Hook.wHitTestCode = UINT(Hit);
  if (CallHooks(WH_MOUSE, HC_ACTION, Msg, reinterpret_cast<LPARAM>(&Hook))) return;
  if ((Target = Lookup(TargetHandle)) == nullptr) return;

  if (Press && !ActivateOnPress(Target, Hit, Msg)) return;
  if ((Target = Lookup(TargetHandle)) == nullptr) return;
  if (!Capture) {
    Send(Target, WM_SETCURSOR, WPARAM(TargetHandle), MAKELPARAM(Hit, Msg));
    if ((Target = Lookup(TargetHandle)) == nullptr) return;
  }
  QueueMouseMessage(Target, Msg, Hit, E);
}

// The wheel turns the window with the focus (else the active one); the
// hook may discard it.
void TWindowCore::RouteWheel(const TBackendEvent& E) {
  TWindow* Target = Lookup(FFocus);
  if (!Target) Target = Lookup(FActive);
  if (!Target) return;
  const UINT Msg = E.Horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL;
  MOUSEHOOKSTRUCT Hook;
  Hook.pt = E.ScreenPos;
  Hook.hwnd = Target->Handle;
  Hook.wHitTestCode = HTCLIENT;
  if (CallHooks(WH_MOUSE, HC_ACTION, Msg, reinterpret_cast<LPARAM>(&Hook))) return;
  if (!Lookup(Hook.hwnd)) return;
  MSG M;
  M.hwnd = Hook.hwnd;
  M.message = Msg;
  M.wParam = MAKEWPARAM(int(MouseKeyFlags()), E.WheelDelta);
  M.lParam = MAKELPARAM(E.ScreenPos.X, E.ScreenPos.Y);
  M.time = E.Time;
  M.pt = E.ScreenPos;
  FCooked.push_back(M);
}

// A disabled top-level (the owner of a modal window): no mouse message; a
// press brings its enabled owned window forward instead.
void TWindowCore::PressOnDisabled(TWindow* Target, UINT Msg, bool Press) {
  const HWND TargetHandle = Target->Handle;
  Send(Target, WM_SETCURSOR, WPARAM(TargetHandle), MAKELPARAM(HTERROR, Msg));
  if (!Press) return;
  for (TWindow* T : FTopLevels) {
    if (T->Owner == TargetHandle && IsActivatable(T)) {
      SetActiveImpl(T, WA_CLICKACTIVE, false);
      break;
    }
  }
}

// Win32 makes double clicks for the frame always, for the client area only
// when the class asks (CS_DBLCLKS). The second press must come within the
// double-click time and inside the SM_CXDOUBLECLK by SM_CYDOUBLECLK
// rectangle centred on the first.
UINT TWindowCore::DoubleClickOf(UINT Msg, const TWindow* Target, bool Client,
                                const TBackendEvent& E) {
  const TPoint Pt = E.ScreenPos;
  const bool Eligible = !Client || (Target->Class.Style & CS_DBLCLKS);
  const int HalfW = GetSystemMetrics(SM_CXDOUBLECLK) / 2;
  const int HalfH = GetSystemMetrics(SM_CYDOUBLECLK) / 2;
  const TRect Near{FLastClick.Pos.X - HalfW, FLastClick.Pos.Y - HalfH, FLastClick.Pos.X + HalfW,
                   FLastClick.Pos.Y + HalfH};
  if (Eligible && FLastClick.Valid && FLastClick.Message == Msg &&
      FLastClick.Window == Target->Handle &&
      std::uint32_t(E.Time - FLastClick.Time) <= FDoubleClickTime && Near.Contains(Pt)) {
    FLastClick.Valid = false;
    return Msg + 2;  // WM_xBUTTONDOWN -> WM_xBUTTONDBLCLK
  }
  FLastClick.Message = Msg;
  FLastClick.Window = Target->Handle;
  FLastClick.Time = E.Time;
  FLastClick.Pos = Pt;
  FLastClick.Valid = true;
  return Msg;
}

// A press on a window of an inactive top-level asks the window whether to
// activate; false when the press is eaten or its window went.
bool TWindowCore::ActivateOnPress(TWindow* Target, int Hit, UINT Msg) {
  const HWND TargetHandle = Target->Handle;
  TWindow* Top = TopLevelOf(Target);
  const HWND TopHandle = Top->Handle;
  if (TopHandle == FActive) return true;
  const LRESULT R = Send(Target, WM_MOUSEACTIVATE, WPARAM(TopHandle), MAKELPARAM(Hit, Msg));
  const bool Eat = R == MA_ACTIVATEANDEAT || R == MA_NOACTIVATEANDEAT;
  if (R == MA_ACTIVATE || R == MA_ACTIVATEANDEAT || R == 0) {
    Top = Lookup(TopHandle);
    if (IsActivatable(Top)) SetActiveImpl(Top, WA_CLICKACTIVE, false);
  }
  return !Eat && Lookup(TargetHandle) != nullptr;
}

// Queues the message: client coordinates and the key flags for the client
// area, screen coordinates and the hit code for the frame.
void TWindowCore::QueueMouseMessage(TWindow* Target, UINT Msg, int Hit, const TBackendEvent& E) {
  const TPoint Pt = E.ScreenPos;
  MSG M;
  M.hwnd = Target->Handle;
  M.message = Msg;
  if (Hit == HTCLIENT) {
    const TPoint Origin = ClientScreenOrigin(Target);
    M.wParam = MouseKeyFlags();
    M.lParam = MAKELPARAM(Pt.X - Origin.X, Pt.Y - Origin.Y);
  } else {
    M.wParam = WPARAM(Hit);
    M.lParam = MAKELPARAM(Pt.X, Pt.Y);
  }
  M.time = E.Time;
  M.pt = Pt;
  FCooked.push_back(M);
}

void TWindowCore::RouteKey(const TBackendEvent& E) {
  UpdateModifierState(E.Modifiers);
  const int VK = E.VirtualKey & 0xFF;
  const bool Down = E.Kind == beKeyDown;
  const bool WasDown = (FKeyState[VK] & 0x80) != 0;
  SetKeyDown(VK, Down, true);
  // The sided keys also move their generic key.
  if (VK == VK_LSHIFT || VK == VK_RSHIFT) SetKeyDown(VK_SHIFT, Down, false);
  if (VK == VK_LCONTROL || VK == VK_RCONTROL) SetKeyDown(VK_CONTROL, Down, false);
  if (VK == VK_LMENU || VK == VK_RMENU) SetKeyDown(VK_MENU, Down, false);

  const bool Alt = (FKeyState[VK_MENU] & 0x80) != 0;
  const bool Control = (FKeyState[VK_CONTROL] & 0x80) != 0;
  TWindow* Target = Lookup(FFocus);
  bool Sys = (Alt && !Control) || VK == VK_F10 || VK == VK_MENU || VK == VK_LMENU || VK == VK_RMENU;
  if (!Target) {
    // Without a focus window the active window gets the keys as system keys.
    Target = Lookup(FActive);
    Sys = true;
  }
  if (!Target) return;
  MSG M;
  M.hwnd = Target->Handle;
  M.message = Down ? (Sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (Sys ? WM_SYSKEYUP : WM_KEYUP);
  M.wParam = WPARAM(VK);
  // While the input method composes here, keys are its business: Enter,
  // Escape or Alt+Down must not close a dialog or open a list under the
  // composition. The window sees VK_PROCESSKEY, as on Windows; the key
  // state above still follows the real key.
  if (FComposing && TopLevelOf(Target)->Native == FCompositionNative) M.wParam = VK_PROCESSKEY;
  M.lParam = KeyLParam(Alt, Down ? WasDown || E.Repeat : true, !Down);
  M.time = E.Time;
  M.pt = FCursorPos;
  FCooked.push_back(M);
}

void TWindowCore::RouteText(const TBackendEvent& E) {
  TWindow* Target = Lookup(FFocus);
  if (!Target) Target = Lookup(FActive);
  if (!Target) return;
  const bool Alt = (FKeyState[VK_MENU] & 0x80) != 0;
  // A double-byte character arrives as two WM_CHAR messages, lead byte
  // first, as in an ANSI Windows program.
  for (unsigned char Byte : E.Text) {
    MSG M;
    M.hwnd = Target->Handle;
    M.message = Alt ? WM_SYSCHAR : WM_CHAR;
    M.wParam = Byte;
    M.lParam = 1;
    M.time = E.Time;
    M.pt = FCursorPos;
    FCooked.push_back(M);
  }
}

void TWindowCore::PostToFocus(UINT Msg, WPARAM WParam, LPARAM LParam, std::uint32_t Time) {
  TWindow* Target = Lookup(FFocus);
  if (!Target) return;
  MSG M;
  M.hwnd = Target->Handle;
  M.message = Msg;
  M.wParam = WParam;
  M.lParam = LParam;
  M.time = Time;
  M.pt = FCursorPos;
  FCooked.push_back(M);
}

void TWindowCore::RouteComposition(const TBackendEvent& E) {
  auto Clear = [this] {
    FComposing = false;
    FCompositionNative = 0;
    FCompositionText.clear();
    FCompositionAttributes.clear();
    FCompositionCursor = 0;
  };
  switch (E.Kind) {
    case beCompositionStart:
      Clear();
      FComposing = true;
      FCompositionNative = E.Window;
      PostToFocus(WM_IME_STARTCOMPOSITION, 0, 0, E.Time);
      break;
    case beComposition:
      if (!FComposing) {
        // An update after the program ended the composition itself (the
        // input method's answer was already on its way) shows nothing.
        if (E.Text.empty()) break;
        FComposing = true;
        PostToFocus(WM_IME_STARTCOMPOSITION, 0, 0, E.Time);
      }
      FCompositionNative = E.Window;
      FCompositionText = E.Text;
      FCompositionAttributes.assign(E.Attributes.begin(), E.Attributes.end());
      FCompositionAttributes.resize(E.Text.size(), caInput);
      FCompositionCursor = std::clamp(E.Caret, 0, int(E.Text.size()));
      PostToFocus(WM_IME_COMPOSITION, 0, GCS_COMPSTR | GCS_COMPATTR | GCS_CURSORPOS, E.Time);
      break;
    default:
      if (!FComposing) break;
      Clear();
      PostToFocus(WM_IME_ENDCOMPOSITION, 0, 0, E.Time);
      break;
  }
}

// ---- activation, focus, capture

bool TWindowCore::IsActivatable(const TWindow* W) const {
  return W && !W->Parent && (W->Style & WS_VISIBLE) && !(W->Style & WS_DISABLED) &&
         !(W->Style & WS_CHILD) && !(W->ExStyle & WS_EX_NOACTIVATE);
}

bool TWindowCore::SetActiveImpl(TWindow* New, UINT How, bool FromBackend) {
  const HWND NewHandle = New ? New->Handle : nullptr;
  const HWND OldHandle = FActive;
  if (NewHandle == OldHandle) return true;
  if (New && !IsActivatable(New)) return false;
  TWindow* Old = Lookup(OldHandle);
  if (Old) {
    TWindow* Focus = Lookup(FFocus);
    if (Focus && TopLevelOf(Focus) == Old) Old->LastFocus = FFocus;
  }
  FActive = NewHandle;
  if (Old) {
    Send(Old, WM_NCACTIVATE, 0, 0);
    Send(OldHandle, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), LPARAM(NewHandle));
  }
  const bool AppActive = NewHandle != nullptr;
  if (AppActive != FAppActive) {
    FAppActive = AppActive;
    std::vector<HWND> Tops;
    for (TWindow* T : FTopLevels) Tops.push_back(T->Handle);
    for (HWND T : Tops) Send(T, WM_ACTIVATEAPP, AppActive ? 1 : 0, 0);
  }
  if (FActive != NewHandle) return false;  // a handler activated another window
  if (!NewHandle) {
    if (FFocus) SetFocusImpl(nullptr);
    return true;
  }
  if ((New = Lookup(NewHandle)) == nullptr) return false;
  if (FTopLevels.front() != New) {
    Restack(New, HWND_TOP);
    RaiseOwned(New);
    RestackNatives();
  }
  if (!FromBackend) FBackend->ActivateNativeWindow(New->Native);
  Send(New, WM_NCACTIVATE, 1, 0);
  Send(NewHandle, WM_ACTIVATE, MAKEWPARAM(How, 0), LPARAM(OldHandle));
  if (FActive == NewHandle) {
    New = Lookup(NewHandle);
    TWindow* Focus = Lookup(FFocus);
    if (New && (!Focus || TopLevelOf(Focus) != New)) SetFocusImpl(New);
  }
  return true;
}

void TWindowCore::ActivateOther(TWindow* Leaving) {
  TWindow* Next = nullptr;
  if (TWindow* Owner = Lookup(Leaving->Owner); Owner && IsActivatable(Owner)) Next = Owner;
  if (!Next) {
    for (TWindow* T : FTopLevels) {
      if (T != Leaving && IsActivatable(T) && T->Owner != Leaving->Handle) {
        Next = T;
        break;
      }
    }
  }
  SetActiveImpl(Next, WA_ACTIVE, false);
}

void TWindowCore::WindowHidden(TWindow* W) {
  const HWND Handle = W->Handle;
  if (TWindow* C = Lookup(FCapture); C && IsDescendant(W, C)) ReleaseCaptureImpl();
  if ((W = Lookup(Handle)) == nullptr) return;
  if (TWindow* F = Lookup(FFocus); F && IsDescendant(W, F)) {
    if (W->Parent) {
      SetFocusImpl(W->Parent);
    } else if (FActive != Handle) {
      TWindow* Active = Lookup(FActive);
      SetFocusImpl(Active);
    }
    // A parent that refuses the focus (disabled) leaves it nowhere rather
    // than in a hidden window.
    W = Lookup(Handle);
    if (W && (F = Lookup(FFocus)) != nullptr && IsDescendant(W, F) && !(W->Style & WS_VISIBLE))
      SetFocusImpl(nullptr);
  }
  if ((W = Lookup(Handle)) == nullptr) return;
  if (!W->Parent && FActive == Handle) ActivateOther(W);
  if ((W = Lookup(Handle)) == nullptr) return;
  if (FCaretWindow && IsDescendant(W, Lookup(FCaretWindow))) DrawCaret(false);
}

HWND TWindowCore::SetFocusImpl(TWindow* W) {
  const HWND Previous = FFocus;
  const HWND NewHandle = W ? W->Handle : nullptr;
  if (W) {
    // A disabled window, or one inside a disabled window, takes no focus.
    for (const TWindow* A = W; A; A = A->Parent)
      if (A->Style & WS_DISABLED) return nullptr;
    TWindow* Top = TopLevelOf(W);
    // A child-style window moved to the desktop has no window of its own
    // that could become active (Win32 finds the desktop there), so it never
    // takes the focus: a drop-down list leaves it where it was.
    if (Top->Style & WS_CHILD) return nullptr;
    if (Top->Handle != FActive && IsActivatable(Top)) {
      SetActiveImpl(Top, WA_ACTIVE, false);
      if (!Lookup(NewHandle)) return nullptr;
    }
  }
  if (NewHandle == FFocus) return Previous;
  const HWND Losing = FFocus;
  FFocus = NewHandle;
  if (Losing && Lookup(Losing)) {
    Send(Losing, WM_KILLFOCUS, WPARAM(NewHandle), 0);
    if (FFocus != NewHandle) return Previous;  // the handler moved the focus on
  }
  if (NewHandle && Lookup(NewHandle)) Send(NewHandle, WM_SETFOCUS, WPARAM(Losing), 0);
  return Previous;
}

HWND TWindowCore::SetCaptureImpl(TWindow* W) {
  const HWND Previous = FCapture;
  FCapture = W->Handle;
  SyncPointerCapture();
  if (Previous && Previous != FCapture) Send(Previous, WM_CAPTURECHANGED, 0, LPARAM(FCapture));
  return Previous;
}

bool TWindowCore::ReleaseCaptureImpl() {
  const HWND Previous = FCapture;
  if (!Previous) return true;
  FCapture = nullptr;
  SyncPointerCapture();
  Send(Previous, WM_CAPTURECHANGED, 0, 0);
  return true;
}

void TWindowCore::SyncPointerCapture() {
  TNativeWindow Native = 0;
  if (TWindow* C = Lookup(FCapture)) Native = TopLevelOf(C)->Native;
  if (Native == FCaptureNative) return;
  FCaptureNative = Native;
  FBackend->SetPointerCapture(Native);
}

void TWindowCore::ApplyCursorShape() {
  TNativeWindow Native = 0;
  if (TWindow* C = Lookup(FCapture)) {
    Native = TopLevelOf(C)->Native;
  } else {
    for (TWindow* T : FTopLevels) {
      if ((T->Style & WS_VISIBLE) && ScreenRect(T).Contains(FCursorPos.X, FCursorPos.Y)) {
        Native = T->Native;
        break;
      }
    }
  }
  const TCursorShape Shape = ShapeOfCursor(FCursor);
  if (Native && (Native != FCursorNative || Shape != FShownShape)) {
    FBackend->SetCursorShape(Native, Shape);
    FCursorNative = Native;
    FShownShape = Shape;
  }
}

// ---- API

HWND SetFocus(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return nullptr;
  TWindow* W = nullptr;
  if (Window && (W = C->Lookup(Window)) == nullptr) return nullptr;
  return C->SetFocusImpl(W);
}

HWND GetFocus() {
  TWindowCore* C = TWindowCore::Current();
  return C && C->Lookup(C->FFocus) ? C->FFocus : nullptr;
}

HWND SetActiveWindow(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return nullptr;
  TWindow* W = C->Lookup(Window);
  if (W) W = C->TopLevelOf(W);
  if (Window && !C->IsActivatable(W)) return nullptr;
  const HWND Previous = C->FActive;
  if (!C->SetActiveImpl(W, WA_ACTIVE, false)) return nullptr;
  return Previous;
}

HWND GetActiveWindow() {
  TWindowCore* C = TWindowCore::Current();
  return C && C->Lookup(C->FActive) ? C->FActive : nullptr;
}

HWND SetCapture(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return nullptr;
  TWindow* W = C->Lookup(Window);
  if (!W) return nullptr;
  return C->SetCaptureImpl(W);
}

bool ReleaseCapture() {
  TWindowCore* C = TWindowCore::Current();
  return C && C->ReleaseCaptureImpl();
}

HWND GetCapture() {
  TWindowCore* C = TWindowCore::Current();
  return C && C->Lookup(C->FCapture) ? C->FCapture : nullptr;
}

bool EnableWindow(HWND Window, bool Enable) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  TWindow* W = C->Lookup(Window);
  if (!W) return false;
  const bool WasDisabled = (W->Style & WS_DISABLED) != 0;
  if (Enable == !WasDisabled) return WasDisabled;
  if (Enable) {
    W->Style &= ~WS_DISABLED;
    C->SyncNative(W);
    C->Send(Window, WM_ENABLE, 1, 0);
    return WasDisabled;
  }
  C->Send(Window, WM_CANCELMODE, 0, 0);
  if ((W = C->Lookup(Window)) == nullptr) return WasDisabled;
  W->Style |= WS_DISABLED;
  if (C->FFocus == Window) C->SetFocusImpl(nullptr);
  if (TWindow* Cap = C->Lookup(C->FCapture);
      Cap && (W = C->Lookup(Window)) && C->IsDescendant(W, Cap))
    C->ReleaseCaptureImpl();
  C->Send(Window, WM_ENABLE, 0, 0);
  return WasDisabled;
}

bool IsWindowEnabled(HWND Window) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  return W && !(W->Style & WS_DISABLED);
}

static short KeyStateValue(BYTE S) { return short((S & 0x80 ? 0x8000 : 0) | (S & 0x01)); }

short GetKeyState(int VirtualKey) {
  TWindowCore* C = TWindowCore::Current();
  return C ? KeyStateValue(C->FKeyState[VirtualKey & 0xFF]) : 0;
}

short GetAsyncKeyState(int VirtualKey) {
  TWindowCore* C = TWindowCore::Current();
  return C ? KeyStateValue(C->FAsyncKeyState[VirtualKey & 0xFF]) : 0;
}

bool SetKeyboardState(const BYTE State[256]) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  std::copy(State, State + 256, C->FKeyState);
  return true;
}

bool GetCursorPos(TPoint& Point) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  // The system's answer, as on Windows. The last move our windows were told
  // of is stale once the pointer has left them in one jump (or while a
  // modal box disabled them), and a control asking "is the pointer still
  // over me" would keep its hover look.
  if (!C->Backend().QueryPointer(Point)) Point = C->FCursorPos;
  return true;
}

bool SetCursorPos(int X, int Y) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  const TPoint P{std::clamp(X, 0, C->Backend().ScreenWidth() - 1),
                 std::clamp(Y, 0, C->Backend().ScreenHeight() - 1)};
  C->Backend().WarpPointer(P);
  C->FCursorPos = P;
  // Win32 follows a warp with a mouse move, so hover states catch up.
  TBackendEvent Move;
  Move.Kind = bePointerMove;
  Move.ScreenPos = P;
  Move.Time = C->Backend().Now();
  if (C->FKeyState[VK_SHIFT] & 0x80) Move.Modifiers |= mkShift;
  if (C->FKeyState[VK_CONTROL] & 0x80) Move.Modifiers |= mkControl;
  if (C->FKeyState[VK_MENU] & 0x80) Move.Modifiers |= mkAlt;
  C->FRawInput.push_back(Move);
  return true;
}

HCURSOR CursorFromShape(TCursorShape Shape) {
  return reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(Shape));
}

TCursorShape ShapeOfCursor(HCURSOR Cursor) {
  const std::uintptr_t V = reinterpret_cast<std::uintptr_t>(Cursor);
  return V <= std::uintptr_t(crsHelp) ? TCursorShape(V) : crsArrow;
}

HCURSOR LoadCursor(void* Instance, int CursorId) {
  switch (CursorId) {
    case IDC_ARROW:
      return CursorFromShape(crsArrow);
    case IDC_IBEAM:
      return CursorFromShape(crsIBeam);
    case IDC_WAIT:
      return CursorFromShape(crsWait);
    case IDC_CROSS:
      return CursorFromShape(crsCross);
    case IDC_UPARROW:
      return CursorFromShape(crsUpArrow);
    case IDC_SIZENWSE:
      return CursorFromShape(crsSizeNWSE);
    case IDC_SIZENESW:
      return CursorFromShape(crsSizeNESW);
    case IDC_SIZEWE:
      return CursorFromShape(crsSizeWE);
    case IDC_SIZENS:
      return CursorFromShape(crsSizeNS);
    case IDC_SIZEALL:
      return CursorFromShape(crsSizeAll);
    case IDC_NO:
      return CursorFromShape(crsNo);
    case IDC_HAND:
      return CursorFromShape(crsHand);
    case IDC_APPSTARTING:
      return CursorFromShape(crsAppStarting);
    case IDC_HELP:
      return CursorFromShape(crsHelp);
    default:
      return nullptr;
  }
}

HCURSOR SetCursor(HCURSOR Cursor) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return nullptr;
  const HCURSOR Previous = C->FCursor;
  C->FCursor = Cursor;
  C->ApplyCursorShape();
  return Previous;
}

HCURSOR GetCursor() {
  TWindowCore* C = TWindowCore::Current();
  return C ? C->FCursor : nullptr;
}

bool TrackMouseEvent(TRACKMOUSEEVENT& Track) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  if (Track.dwFlags & TME_QUERY) {
    Track.dwFlags = C->FTrackWindow ? C->FTrackFlags : 0;
    Track.hwndTrack = C->FTrackWindow;
    return true;
  }
  const DWORD Kind = Track.dwFlags & (TME_LEAVE | TME_NONCLIENT);
  if (Track.dwFlags & TME_CANCEL) {
    if (C->FTrackWindow == Track.hwndTrack &&
        (C->FTrackFlags & TME_NONCLIENT) == (Kind & TME_NONCLIENT)) {
      C->FTrackWindow = nullptr;
      C->FTrackFlags = 0;
    }
    return true;
  }
  if (!(Track.dwFlags & TME_LEAVE)) return false;
  if (!C->Lookup(Track.hwndTrack)) return false;
  int Hit = HTNOWHERE;
  TWindow* Under = C->HitWindow(C->FCursorPos, Hit);
  const bool NonClient = (Kind & TME_NONCLIENT) != 0;
  const bool Over =
      Under && Under->Handle == Track.hwndTrack && (NonClient ? Hit != HTCLIENT : Hit == HTCLIENT);
  if (!Over) {
    // Win32 answers a request for a window the pointer is not over with an
    // immediate leave.
    C->Post(Track.hwndTrack, NonClient ? WM_NCMOUSELEAVE : WM_MOUSELEAVE, 0, 0);
    return true;
  }
  C->FTrackWindow = Track.hwndTrack;
  C->FTrackFlags = Kind;
  return true;
}

UINT GetDoubleClickTime() {
  TWindowCore* C = TWindowCore::Current();
  return C ? C->FDoubleClickTime : 500;
}

bool SetDoubleClickTime(UINT Milliseconds) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  C->FDoubleClickTime = Milliseconds ? Milliseconds : 500;
  return true;
}

HWND WindowFromPoint(const TPoint& Screen) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return nullptr;
  int Hit = HTNOWHERE;
  TWindow* W = C->HitWindow(Screen, Hit);
  return W ? W->Handle : nullptr;
}

bool ImmGetCompositionString(HWND Window, TCompositionString& Composition) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  if (!W || !C->FComposing || C->TopLevelOf(W)->Native != C->FCompositionNative) return false;
  Composition.Text = C->FCompositionText;
  Composition.Attributes = C->FCompositionAttributes;
  Composition.CursorPos = C->FCompositionCursor;
  return true;
}

bool ImmNotifyIME(HWND Window, DWORD Action) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  if (!W || (Action != CPS_CANCEL && Action != CPS_COMPLETE)) return false;
  const TNativeWindow Native = C->TopLevelOf(W)->Native;
  // The input method is told even when no composition shows here: one
  // that composes in a window of its own (over the spot) has its own.
  std::string Text = C->Backend().ResetComposition(Native);
  if (C->FComposing && C->FCompositionNative == Native) {
    if (Text.empty()) Text = C->FCompositionText;
    C->FComposing = false;
    C->FCompositionNative = 0;
    C->FCompositionText.clear();
    C->FCompositionAttributes.clear();
    C->FCompositionCursor = 0;
  }
  if (Action == CPS_COMPLETE) {
    // As the text an input method commits: one WM_CHAR per byte.
    for (unsigned char Byte : Text) {
      if (!C->Lookup(Window)) break;
      C->Send(Window, WM_CHAR, Byte, 1);
    }
  }
  return true;
}

bool ImmSetCompositionFont(HWND Window, const TLogFont& Font) {
  TWindowCore* C = TWindowCore::Current();
  TWindow* W = C ? C->Lookup(Window) : nullptr;
  if (!W) return false;
  // A positive height is the cell; the character height is near enough
  // for the input method's own drawing.
  const int Height = Font.Height < 0 ? -Font.Height : Font.Height > 0 ? Font.Height : 12;
  C->Backend().SetTextInputFont(C->TopLevelOf(W)->Native, Height);
  return true;
}

bool SetClipboardText(const std::string& Text, TSelection Selection) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  C->Backend().SetSelectionText(Selection, Text);
  return true;
}

std::string GetClipboardText(TSelection Selection) {
  TWindowCore* C = TWindowCore::Current();
  return C ? C->Backend().GetSelectionText(Selection) : std::string();
}

// ---- the desktop's scale

void TWindowCore::ChangeDpi(const TBackendEvent& E) {
  const double PixelsPerInch = FBackend->PixelsPerInch();
  SetScreenPixelsPerInch(PixelsPerInch);
  const WPARAM Rounded = WPARAM(std::lround(PixelsPerInch)) & 0xFFFF;
  // Handles, not window objects: a window's handler may destroy windows.
  std::vector<HWND> Targets;
  for (TWindow* T : FTopLevels)
    if (!E.Window || T->Native == E.Window) Targets.push_back(T->Handle);
  for (HWND H : Targets) {
    TRect Suggested = E.Rect;
    Send(H, WM_DPICHANGED, MAKEWPARAM(Rounded, Rounded),
         E.Window ? reinterpret_cast<LPARAM>(&Suggested) : 0);
  }
}
