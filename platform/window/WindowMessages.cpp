// Sending and posting, the message loop, timers and hooks.
//
// Retrieval follows Win32's priorities: posted messages, then WM_QUIT, then
// input (cooked only when it is retrieved, so hit testing, the mouse hook and
// activation see the windows as they are then), then due timers, then
// WM_PAINT for windows with invalid parts. When nothing is left, what was
// painted is presented.

#include <algorithm>

#include "platform/window/WinUser.h"
#include "platform/window/WindowCore.h"

namespace {

// Keeps the dispatch depth right even when a handler throws; deferred
// window objects are freed when the outermost dispatch returns.
class TDispatchScope {
public:
  explicit TDispatchScope(TWindowCore& Core) : FCore(Core) { ++FCore.FDispatchDepth; }
  ~TDispatchScope() {
    if (--FCore.FDispatchDepth == 0) FCore.FlushDeferredFrees();
  }

private:
  TWindowCore& FCore;
};

std::int32_t TimeDiff(std::uint32_t A, std::uint32_t B) { return std::int32_t(A - B); }

}  // namespace

LRESULT TWindowCore::Send(HWND Handle, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWindow* W = Lookup(Handle);
  return W ? Send(W, Msg, WParam, LParam) : 0;
}

LRESULT TWindowCore::Send(TWindow* W, UINT Msg, WPARAM WParam, LPARAM LParam) {
  const HWND Handle = W->Handle;
  const WNDPROC Proc = W->Proc;  // a copy: the handler may replace it
  TDispatchScope Scope(*this);
  if (Proc) return Proc(Handle, Msg, WParam, LParam);
  return DefProc(W, Msg, WParam, LParam);
}

bool TWindowCore::Post(HWND Handle, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Handle && !Lookup(Handle)) return false;
  MSG M;
  M.hwnd = Handle;
  M.message = Msg;
  M.wParam = WParam;
  M.lParam = LParam;
  M.time = FBackend->Now();
  M.pt = FCursorPos;
  FPosted.push_back(M);
  return true;
}

void TWindowCore::PostQuit(int Code) {
  FQuitPosted = true;
  FQuitCode = Code;
}

// Queues a backend event for cooking. The asynchronous state follows the
// backend at once; the synchronous state (GetKeyState) only when the event
// is retrieved.
static void AcceptEvent(TWindowCore& Core, TBackendEvent&& E) {
  switch (E.Kind) {
    case bePointerMove:
    case beButtonPress:
    case beButtonRelease:
      Core.FCursorPos = E.ScreenPos;
      if (E.Kind != bePointerMove) {
        const int VK = E.Button == mbLeft    ? VK_LBUTTON
                       : E.Button == mbRight ? VK_RBUTTON
                                             : VK_MBUTTON;
        if (E.Kind == beButtonPress)
          Core.FAsyncKeyState[VK] |= 0x80;
        else
          Core.FAsyncKeyState[VK] &= ~0x80;
      }
      break;
    case beKeyDown:
      Core.FAsyncKeyState[E.VirtualKey & 0xFF] |= 0x80;
      break;
    case beKeyUp:
      Core.FAsyncKeyState[E.VirtualKey & 0xFF] &= ~0x80;
      break;
    default:
      break;
  }
  Core.FRawInput.push_back(std::move(E));
}

void TWindowCore::PullBackendEvents(int TimeoutMs, bool& Ended) {
  Ended = false;
  for (;;) {
    TBackendEvent E;
    const TWaitResult R = FBackend->WaitEvent(E, TimeoutMs);
    if (R != wrEvent) {
      Ended = R == wrNoMoreInput;
      return;
    }
    AcceptEvent(*this, std::move(E));
    TimeoutMs = 0;
  }
}

bool TWindowCore::Retrieve(MSG& Out, HWND Filter, UINT Min, UINT Max, bool Remove, bool Block,
                           bool& Ended) {
  Ended = false;
  const TMessageRange Range{Min, Max};
  for (;;) {
    bool NoMoreInput = false;
    PullBackendEvents(0, NoMoreInput);
    // In Windows' order: posted messages, the quit request, input, timers,
    // then paints.
    if (TakePosted(Out, Filter, Range, Remove) || TakeQuit(Out, Remove)) return true;
    if (!Filter && Range.WantsInput()) {
      const TInputTake Input = TakeInput(Out, Range, Remove);
      if (Input == itTaken) return true;
      if (Input == itCooked) continue;
    }
    if (Range.Contains(WM_TIMER) && TakeTimer(Out, Filter, Remove)) return true;
    CaretTick();
    if (Range.Contains(WM_PAINT) && TakePaint(Out, Filter)) return true;

    PresentAll();
    if (!Block || NoMoreInput) {
      Ended = NoMoreInput;
      return false;
    }
    int Timeout = MillisecondsToNextTimer();
    TBackendEvent E;
    const TWaitResult R = FBackend->WaitEvent(E, Timeout);
    if (R == wrNoMoreInput) {
      Ended = true;
      return false;
    }
    if (R == wrEvent) AcceptEvent(*this, std::move(E));
  }
}

bool TWindowCore::TMessageRange::WantsInput() const {
  if (Min == 0 && Max == 0) return true;
  return !(Max < WM_NCMOUSEMOVE || (Min > WM_NCMBUTTONDBLCLK && Max < WM_KEYFIRST) ||
           (Min > WM_SYSCOMMAND && Max < WM_MOUSEFIRST) || Min > WM_MOUSELAST);
}

bool TWindowCore::TakePosted(MSG& Out, HWND Filter, const TMessageRange& Range, bool Remove) {
  for (auto It = FPosted.begin(); It != FPosted.end();) {
    if (It->hwnd && !Lookup(It->hwnd)) {
      It = FPosted.erase(It);
      continue;
    }
    if ((!Filter || It->hwnd == Filter) && Range.Contains(It->message)) {
      Out = *It;
      if (Remove) FPosted.erase(It);
      return true;
    }
    ++It;
  }
  return false;
}

bool TWindowCore::TakeQuit(MSG& Out, bool Remove) {
  if (!FQuitPosted) return false;
  Out = MSG{};
  Out.message = WM_QUIT;
  Out.wParam = WPARAM(FQuitCode);
  Out.time = FBackend->Now();
  Out.pt = FCursorPos;
  if (Remove) {
    FQuitPosted = false;
    FQuitRetrieved = true;
  }
  return true;
}

// The next cooked input message; raw backend input is cooked one event at a
// time, after which the caller looks again from the start.
TWindowCore::TInputTake TWindowCore::TakeInput(MSG& Out, const TMessageRange& Range, bool Remove) {
  while (!FCooked.empty() && FCooked.front().hwnd && !Lookup(FCooked.front().hwnd))
    FCooked.pop_front();
  if (!FCooked.empty() && Range.Contains(FCooked.front().message)) {
    Out = FCooked.front();
    if (Remove) FCooked.pop_front();
    return itTaken;
  }
  if (FCooked.empty() && !FRawInput.empty()) {
    const TBackendEvent E = std::move(FRawInput.front());
    FRawInput.pop_front();
    CookEvent(E);
    return itCooked;
  }
  return itNone;
}

// The timer due first; taking it sets it going again.
bool TWindowCore::TakeTimer(MSG& Out, HWND Filter, bool Remove) {
  const std::uint32_t Now = FBackend->Now();
  TWindowTimer* Due = nullptr;
  for (TWindowTimer& T : FTimers) {
    if (Filter && T.Window != Filter) continue;
    if (T.Window && !Lookup(T.Window)) continue;
    if (TimeDiff(T.Due, Now) > 0) continue;
    if (!Due || TimeDiff(T.Due, Due->Due) < 0) Due = &T;
  }
  if (!Due) return false;
  Out = MSG{};
  Out.hwnd = Due->Window;
  Out.message = WM_TIMER;
  Out.wParam = Due->Id;
  Out.lParam = Due->Proc ? 1 : 0;
  Out.time = Now;
  Out.pt = FCursorPos;
  if (Remove) Due->Due = Now + Due->Elapse;
  return true;
}

bool TWindowCore::TakePaint(MSG& Out, HWND Filter) {
  while (TWindow* P = NextWindowToPaint(Filter)) {
    if (P->Update.IsEmpty() && !P->InternalPaint) {
      // Only the frame is invalid: no WM_PAINT for that.
      P->NeedNcPaint = false;
      P->NeedErase = false;
      Send(P, WM_NCPAINT, 1, 0);
      continue;
    }
    Out = MSG{};
    Out.hwnd = P->Handle;
    Out.message = WM_PAINT;
    Out.time = FBackend->Now();
    Out.pt = FCursorPos;
    return true;
  }
  return false;
}

// WM_PAINT, with the safety net for handlers that never call BeginPaint.
static LRESULT DispatchPaint(TWindowCore& Core, TWindow* W) {
  const HWND Handle = W->Handle;
  const TRegion Pending = W->Update;
  ++W->PaintDepth;
  W->BeganPaint = false;
  struct TDepth {
    TWindowCore& Core;
    HWND Handle;
    ~TDepth() {
      if (TWindow* W = Core.Lookup(Handle)) --W->PaintDepth;
    }
  } Depth{Core, Handle};
  const LRESULT Result = Core.Send(W, WM_PAINT, 0, 0);
  W = Core.Lookup(Handle);
  if (W && !W->BeganPaint) {
    W->Update.Subtract(Pending);
    W->InternalPaint = false;
    if (W->Update.IsEmpty()) W->NeedErase = false;
    if (W->NeedNcPaint) {
      W->NeedNcPaint = false;
      Core.Send(W, WM_NCPAINT, 1, 0);
    }
  }
  return Result;
}

void TWindowCore::PaintNow(TWindow* W) { DispatchPaint(*this, W); }

LRESULT TWindowCore::Dispatch(const MSG& Msg) {
  if (Msg.message == WM_TIMER && Msg.lParam) {
    for (const TWindowTimer& T : FTimers) {
      if (T.Window == Msg.hwnd && T.Id == Msg.wParam && T.Proc) {
        const TIMERPROC Proc = T.Proc;
        TDispatchScope Scope(*this);
        Proc(Msg.hwnd, WM_TIMER, Msg.wParam, Msg.time);
        return 0;
      }
    }
    return 0;
  }
  TWindow* W = Lookup(Msg.hwnd);
  if (!W) return 0;
  if (Msg.message == WM_PAINT) return DispatchPaint(*this, W);
  return Send(W, Msg.message, Msg.wParam, Msg.lParam);
}

bool TWindowCore::Translate(const MSG& Msg) {
  if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN) {
    return Msg.message == WM_KEYUP || Msg.message == WM_SYSKEYUP;
  }
  const int VK = int(Msg.wParam);
  const bool Control = (FKeyState[VK_CONTROL] & 0x80) != 0;
  const bool Alt = (FKeyState[VK_MENU] & 0x80) != 0;
  const bool Shift = (FKeyState[VK_SHIFT] & 0x80) != 0;
  int Char = -1;
  // Keys that make control characters; printable text comes from the
  // backend's text events.
  switch (VK) {
    case VK_RETURN:
      Char = Control ? 0x0A : 0x0D;
      break;
    case VK_ESCAPE:
      Char = 0x1B;
      break;
    case VK_BACK:
      Char = Control ? 0x7F : 0x08;
      break;
    case VK_TAB:
      if (!Control) Char = 0x09;
      break;
    default:
      if (Control && !Alt && VK >= 'A' && VK <= 'Z') Char = VK - 'A' + 1;
      // Alt + letter or digit: the menu accelerator character.
      if (Alt && !Control && ((VK >= 'A' && VK <= 'Z') || (VK >= '0' && VK <= '9')))
        Char = (VK >= 'A' && !Shift) ? VK + ('a' - 'A') : VK;
      break;
  }
  if (Char >= 0) {
    MSG C = Msg;
    C.message = Msg.message == WM_SYSKEYDOWN ? WM_SYSCHAR : WM_CHAR;
    C.wParam = WPARAM(Char);
    FPosted.push_back(C);
  }
  return true;
}

bool TWindowCore::ProcessPending() {
  MSG M;
  bool Ended = false;
  while (Retrieve(M, nullptr, 0, 0, true, false, Ended)) {
    if (M.message == WM_QUIT) return false;
    Translate(M);
    Dispatch(M);
  }
  return true;
}

// ---- timers

UINT_PTR TWindowCore::SetTimerImpl(HWND Window, UINT_PTR Id, UINT Elapse, TIMERPROC Proc) {
  if (Window && !Lookup(Window)) return 0;
  Elapse = std::max<UINT>(Elapse, 10);
  const std::uint32_t Due = FBackend->Now() + Elapse;
  if (Window || Id) {
    for (TWindowTimer& T : FTimers) {
      if (T.Window == Window && T.Id == Id) {
        T.Elapse = Elapse;
        T.Due = Due;
        T.Proc = std::move(Proc);
        return Window ? Id : T.Id;
      }
    }
  }
  if (!Window) {
    do {
      Id = FNextTimerId++;
    } while (std::any_of(FTimers.begin(), FTimers.end(),
                         [&](const TWindowTimer& T) { return !T.Window && T.Id == Id; }));
  }
  FTimers.push_back(TWindowTimer{Window, Id, Elapse, Due, std::move(Proc)});
  return Id;
}

bool TWindowCore::KillTimerImpl(HWND Window, UINT_PTR Id) {
  for (auto It = FTimers.begin(); It != FTimers.end(); ++It) {
    if (It->Window == Window && It->Id == Id) {
      FTimers.erase(It);
      // A WM_TIMER already retrieved but not yet dispatched still runs, as
      // in Win32; nothing else is queued for it.
      return true;
    }
  }
  return false;
}

void TWindowCore::KillTimersOf(HWND Window) {
  FTimers.erase(std::remove_if(FTimers.begin(), FTimers.end(),
                               [&](const TWindowTimer& T) { return T.Window == Window; }),
                FTimers.end());
}

int TWindowCore::MillisecondsToNextTimer() const {
  const std::uint32_t Now = FBackend->Now();
  int Best = -1;
  auto Consider = [&](std::uint32_t Due) {
    const int Left = std::max(0, int(TimeDiff(Due, Now)));
    if (Best < 0 || Left < Best) Best = Left;
  };
  for (const TWindowTimer& T : FTimers)
    if (!T.Window || Lookup(T.Window)) Consider(T.Due);
  if (FCaretWindow && FCaretHide == 0) Consider(FCaretNextBlink);
  return Best;
}

// ---- hooks

HHOOK TWindowCore::AddHook(int Kind, HOOKPROC Proc) {
  THook H;
  H.Handle = reinterpret_cast<HHOOK>(FNextHookId++);
  H.Kind = Kind;
  H.Proc = std::move(Proc);
  FHooks.insert(FHooks.begin(), std::move(H));
  return FHooks.front().Handle;
}

static void PurgeHooks(TWindowCore& Core) {
  if (Core.FHookDepth > 0) return;
  Core.FHooks.erase(std::remove_if(Core.FHooks.begin(), Core.FHooks.end(),
                                   [](const THook& H) { return H.Removed; }),
                    Core.FHooks.end());
}

bool TWindowCore::RemoveHook(HHOOK Hook) {
  for (THook& H : FHooks) {
    if (H.Handle == Hook && !H.Removed) {
      // Removed entries stay in the chain while a hook runs, so that
      // CallNextHookEx from a hook that unhooked itself still finds its
      // place.
      H.Removed = true;
      PurgeHooks(*this);
      return true;
    }
  }
  return false;
}

static LRESULT CallHookAt(TWindowCore& Core, std::size_t Index, int Code, WPARAM WParam,
                          LPARAM LParam) {
  const HOOKPROC Proc = Core.FHooks[Index].Proc;
  ++Core.FHookDepth;
  struct TDepth {
    TWindowCore& Core;
    ~TDepth() {
      --Core.FHookDepth;
      PurgeHooks(Core);
    }
  } Depth{Core};
  return Proc ? Proc(Code, WParam, LParam) : 0;
}

LRESULT TWindowCore::CallHooks(int Kind, int Code, WPARAM WParam, LPARAM LParam) {
  for (std::size_t I = 0; I < FHooks.size(); ++I)
    if (FHooks[I].Kind == Kind && !FHooks[I].Removed)
      return CallHookAt(*this, I, Code, WParam, LParam);
  return 0;
}

LRESULT TWindowCore::CallNextHook(HHOOK Current, int Code, WPARAM WParam, LPARAM LParam) {
  std::size_t I = 0;
  while (I < FHooks.size() && FHooks[I].Handle != Current) ++I;
  if (I == FHooks.size()) return 0;
  const int Kind = FHooks[I].Kind;
  for (++I; I < FHooks.size(); ++I)
    if (FHooks[I].Kind == Kind && !FHooks[I].Removed)
      return CallHookAt(*this, I, Code, WParam, LParam);
  return 0;
}

// ---- API

LRESULT SendMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWindowCore* C = TWindowCore::Current();
  return C ? C->Send(Window, Msg, WParam, LParam) : 0;
}

bool PostMessage(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TWindowCore* C = TWindowCore::Current();
  return C && C->Post(Window, Msg, WParam, LParam);
}

void PostQuitMessage(int ExitCode) {
  if (TWindowCore* C = TWindowCore::Current()) C->PostQuit(ExitCode);
}

bool GetMessage(MSG& Msg, HWND Window, UINT MsgFilterMin, UINT MsgFilterMax) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  bool Ended = false;
  if (!C->Retrieve(Msg, Window, MsgFilterMin, MsgFilterMax, true, true, Ended)) {
    Msg = MSG{};
    Msg.message = WM_QUIT;
    return false;
  }
  return Msg.message != WM_QUIT;
}

bool PeekMessage(MSG& Msg, HWND Window, UINT MsgFilterMin, UINT MsgFilterMax, UINT RemoveMsg) {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  bool Ended = false;
  return C->Retrieve(Msg, Window, MsgFilterMin, MsgFilterMax, (RemoveMsg & PM_REMOVE) != 0, false,
                     Ended);
}

bool WaitMessage() {
  TWindowCore* C = TWindowCore::Current();
  if (!C) return false;
  MSG M;
  bool Ended = false;
  return C->Retrieve(M, nullptr, 0, 0, false, true, Ended);
}

bool TranslateMessage(const MSG& Msg) {
  TWindowCore* C = TWindowCore::Current();
  return C && C->Translate(Msg);
}

LRESULT DispatchMessage(const MSG& Msg) {
  TWindowCore* C = TWindowCore::Current();
  return C ? C->Dispatch(Msg) : 0;
}

UINT_PTR SetTimer(HWND Window, UINT_PTR Id, UINT Elapse, TIMERPROC Proc) {
  TWindowCore* C = TWindowCore::Current();
  return C ? C->SetTimerImpl(Window, Id, Elapse, std::move(Proc)) : 0;
}

bool KillTimer(HWND Window, UINT_PTR Id) {
  TWindowCore* C = TWindowCore::Current();
  return C && C->KillTimerImpl(Window, Id);
}

HHOOK SetWindowsHookEx(int Kind, HOOKPROC Proc, void* Module, DWORD ThreadId) {
  TWindowCore* C = TWindowCore::Current();
  if (!C || Kind != WH_MOUSE || !Proc) return nullptr;
  return C->AddHook(Kind, std::move(Proc));
}

bool UnhookWindowsHookEx(HHOOK Hook) {
  TWindowCore* C = TWindowCore::Current();
  return C && C->RemoveHook(Hook);
}

LRESULT CallNextHookEx(HHOOK Hook, int Code, WPARAM WParam, LPARAM LParam) {
  TWindowCore* C = TWindowCore::Current();
  return C ? C->CallNextHook(Hook, Code, WParam, LParam) : 0;
}
