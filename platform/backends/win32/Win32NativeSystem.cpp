// The Windows backend's calls that are not about one window's look: the
// input method, the clipboard, the beep and the message loop.

#include <cstdio>
#include <cstring>

#include "platform/backends/win32/Win32NativeState.h"

namespace win32native {
namespace {

// Another program may hold the clipboard open for a moment.
bool OpenClipboardPatiently() {
  for (int Try = 0; Try < 10; ++Try) {
    if (OpenClipboard(State().Helper)) return true;
    Sleep(5);
  }
  return false;
}

}  // namespace

// ---- the input method

void SetImeSpot(THandle Handle, const TBox& Caret) {
  HWND Window = AsHwnd(Handle);
  TWindowData* D = DataOf(Window);
  if (!D) return;
  if (Caret.IsEmpty()) {
    // Nothing takes text: keys go past the input method (a button gets its
    // Space, not a composition).
    if (!D->ImeDetached) {
      D->SavedContext = ImmAssociateContext(Window, nullptr);
      D->ImeDetached = true;
    }
    if (D->SystemCaretHeight) {
      DestroyCaret();
      D->SystemCaretHeight = 0;
    }
    return;
  }
  if (D->ImeDetached) {
    ImmAssociateContext(Window, D->SavedContext);
    D->ImeDetached = false;
    D->SavedContext = nullptr;
  }
  // A system caret where ours is, never shown: input methods that place
  // themselves by the caret (Wine's among them) and screen readers find it.
  if (Caret.Height() != D->SystemCaretHeight) {
    CreateCaret(Window, nullptr, 1, Caret.Height());
    D->SystemCaretHeight = Caret.Height();
  }
  SetCaretPos(Caret.Left, Caret.Top);
  HIMC Context = ImmGetContext(Window);
  if (!Context) return;
  // Where a composition window would be (an input method that draws its
  // own), and the candidate list below the caret, never over its line.
  COMPOSITIONFORM Composition{};
  Composition.dwStyle = CFS_FORCE_POSITION;
  Composition.ptCurrentPos = POINT{Caret.Left, Caret.Top};
  ImmSetCompositionWindow(Context, &Composition);
  CANDIDATEFORM Candidate{};
  Candidate.dwIndex = 0;
  Candidate.dwStyle = CFS_EXCLUDE;
  Candidate.ptCurrentPos = POINT{Caret.Left, Caret.Bottom};
  Candidate.rcArea = RECT{Caret.Left, Caret.Top, Caret.Right, Caret.Bottom};
  ImmSetCandidateWindow(Context, &Candidate);
  ImmReleaseContext(Window, Context);
}

void SetImeFontHeight(THandle Handle, int PixelHeight) {
  HWND Window = AsHwnd(Handle);
  if (!DataOf(Window) || PixelHeight <= 0) return;
  HIMC Context = ImmGetContext(Window);
  if (!Context) return;
  LOGFONTW Font{};
  Font.lfHeight = -PixelHeight;
  Font.lfCharSet = SHIFTJIS_CHARSET;
  ImmSetCompositionFontW(Context, &Font);
  ImmReleaseContext(Window, Context);
}

std::u16string CancelComposition(THandle Handle) {
  HWND Window = AsHwnd(Handle);
  TWindowData* D = DataOf(Window);
  if (!D) return std::u16string();
  HIMC Context = ImmGetContext(Window);
  if (!Context) return std::u16string();
  std::u16string Held;
  const LONG Bytes = ImmGetCompositionStringW(Context, GCS_COMPSTR, nullptr, 0);
  if (Bytes > 0) {
    Held.resize(std::size_t(Bytes) / sizeof(char16_t));
    ImmGetCompositionStringW(Context, GCS_COMPSTR, Held.data(), DWORD(Bytes));
  }
  // What the input method reports while it cancels belongs to the
  // composition being dropped.
  D->DroppingComposition = true;
  ImmNotifyIME(Context, NI_COMPOSITIONSTR, CPS_CANCEL, 0);
  D->DroppingComposition = false;
  D->Composing = false;
  ImmReleaseContext(Window, Context);
  return Held;
}

// ---- the clipboard

bool SetClipboardText(const std::u16string& Text) {
  if (!OpenClipboardPatiently()) return false;
  bool Done = false;
  if (EmptyClipboard()) {
    const std::size_t Bytes = (Text.size() + 1) * sizeof(char16_t);
    HGLOBAL Memory = GlobalAlloc(GMEM_MOVEABLE, Bytes);
    if (Memory) {
      if (void* Target = GlobalLock(Memory)) {
        std::memcpy(Target, Text.c_str(), Bytes);
        GlobalUnlock(Memory);
        Done = SetClipboardData(CF_UNICODETEXT, Memory) != nullptr;
      }
      // The clipboard owns the memory only when it took it.
      if (!Done) GlobalFree(Memory);
    }
  }
  CloseClipboard();
  return Done;
}

bool GetClipboardText(std::u16string& Text) {
  Text.clear();
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return false;
  if (!OpenClipboardPatiently()) return false;
  bool Done = false;
  if (HANDLE Memory = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* Source = static_cast<const char16_t*>(GlobalLock(Memory))) {
      // Up to the terminating zero, never past the memory block.
      const std::size_t Limit = GlobalSize(Memory) / sizeof(char16_t);
      std::size_t Length = 0;
      while (Length < Limit && Source[Length]) ++Length;
      Text.assign(Source, Length);
      GlobalUnlock(Memory);
      Done = true;
    }
  }
  CloseClipboard();
  return Done;
}

// ---- the start-up report

bool WantsFirstFrameReport() {
  wchar_t Value[4] = {};
  const DWORD Length = GetEnvironmentVariableW(L"SCOUTLANE_REPORT_FIRST_FRAME", Value, 4);
  return Length == 1 && Value[0] == L'1';
}

void ReportFirstFrame() {
  // The pixels are on the screen once GDI has handed them on.
  GdiFlush();
  FILETIME Creation, Exit, Kernel, User, Now;
  long long SinceStartMs = -1;
  if (GetProcessTimes(GetCurrentProcess(), &Creation, &Exit, &Kernel, &User)) {
    GetSystemTimePreciseAsFileTime(&Now);
    auto Ticks = [](const FILETIME& T) {
      return (static_cast<long long>(T.dwHighDateTime) << 32) | T.dwLowDateTime;
    };
    SinceStartMs = (Ticks(Now) - Ticks(Creation)) / 10000;  // 100 ns units
  }
  LARGE_INTEGER Counter{}, Frequency{};
  QueryPerformanceCounter(&Counter);
  QueryPerformanceFrequency(&Frequency);
  long long Nanoseconds = 0;
  if (Frequency.QuadPart > 0)
    Nanoseconds = Counter.QuadPart / Frequency.QuadPart * 1000000000ll +
                  Counter.QuadPart % Frequency.QuadPart * 1000000000ll / Frequency.QuadPart;
  std::fprintf(stderr, "first-frame ms=%lld monotonic_ns=%lld\n", SinceStartMs, Nanoseconds);
  std::fflush(stderr);
}

// ---- the beep and the message loop

void Beep(unsigned Type) { ::MessageBeep(Type); }

std::intptr_t SendNativeMessage(THandle Window, unsigned Message, std::uintptr_t WParam,
                                std::intptr_t LParam) {
  return SendMessageW(AsHwnd(Window), Message, WParam, LParam);
}

// ---- system-wide keys

bool RegisterSystemHotKey(int Id, unsigned Modifiers, int VirtualKey) {
  UINT Flags = MOD_NOREPEAT;
  if (Modifiers & kShift) Flags |= MOD_SHIFT;
  if (Modifiers & kControl) Flags |= MOD_CONTROL;
  if (Modifiers & kAlt) Flags |= MOD_ALT;
  if (Modifiers & kWin) Flags |= MOD_WIN;
  // A hot key of the thread: WM_HOTKEY comes to its queue with no window,
  // whichever of our windows exist.
  return ::RegisterHotKey(nullptr, Id, Flags, UINT(VirtualKey)) != FALSE;
}

void UnregisterSystemHotKey(int Id) { ::UnregisterHotKey(nullptr, Id); }

bool ReturnForeground() {
  HWND Previous = State().ForeignForeground;
  State().ForeignForeground = nullptr;
  if (!Previous || !IsWindow(Previous) || !IsWindowVisible(Previous)) return false;
  // Allowed: the program is in the foreground, the user having summoned it.
  return SetForegroundWindow(Previous) != FALSE;
}

namespace {

void NoteForeignForeground() {
  HWND Foreground = GetForegroundWindow();
  DWORD Process = 0;
  if (Foreground) GetWindowThreadProcessId(Foreground, &Process);
  if (Foreground && Process != GetCurrentProcessId()) State().ForeignForeground = Foreground;
}

}  // namespace

bool PumpMessages(int TimeoutMs) {
  bool Dispatched = false;
  auto Drain = [&Dispatched] {
    MSG Message;
    while (PeekMessageW(&Message, nullptr, 0, 0, PM_REMOVE)) {
      // WM_QUIT is nobody's here: the window system ends its own loop.
      if (Message.message == WM_QUIT) continue;
      if (Message.message == WM_HOTKEY && !Message.hwnd) {
        // Where the foreground is now, before the program takes it.
        NoteForeignForeground();
        TRawEvent Event;
        Event.Kind = rkHotKey;
        Event.VirtualKey = int(Message.wParam);
        Emit(std::move(Event));
        Dispatched = true;
        continue;
      }
      TranslateMessage(&Message);
      DispatchMessageW(&Message);
      Dispatched = true;
    }
  };
  Drain();
  if (Dispatched || TimeoutMs == 0) return Dispatched;
  MsgWaitForMultipleObjectsEx(0, nullptr, TimeoutMs < 0 ? INFINITE : DWORD(TimeoutMs), QS_ALLINPUT,
                              MWMO_INPUTAVAILABLE);
  Drain();
  return Dispatched;
}

}  // namespace win32native
