// The Windows backend's pixels per inch: each monitor has its own, and a
// window takes that of the monitor it is on. The calls that say so came
// with Windows 8.1 (shcore's GetDpiForMonitor) and Windows 10 version 1607
// (GetDpiForWindow, AdjustWindowRectExForDpi); they are looked up, not
// linked, so that older systems start with the one figure of the whole
// screen.

#include "platform/backends/win32/Win32NativeState.h"

namespace win32native {
namespace {

using TGetDpiForWindow = UINT(WINAPI*)(HWND);
using TGetDpiForSystem = UINT(WINAPI*)();
using TAdjustWindowRectExForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using TGetDpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

struct TDpiCalls {
  TGetDpiForWindow ForWindow = nullptr;
  TGetDpiForSystem ForSystem = nullptr;
  TAdjustWindowRectExForDpi AdjustForDpi = nullptr;
  TGetDpiForMonitor ForMonitor = nullptr;
};

template <class T>
T Lookup(HMODULE Module, const char* Name) {
  return Module ? reinterpret_cast<T>(reinterpret_cast<void*>(GetProcAddress(Module, Name)))
                : nullptr;
}

const TDpiCalls& Calls() {
  static const TDpiCalls Found = [] {
    TDpiCalls C;
    HMODULE User = GetModuleHandleW(L"user32.dll");
    C.ForWindow = Lookup<TGetDpiForWindow>(User, "GetDpiForWindow");
    C.ForSystem = Lookup<TGetDpiForSystem>(User, "GetDpiForSystem");
    C.AdjustForDpi = Lookup<TAdjustWindowRectExForDpi>(User, "AdjustWindowRectExForDpi");
    // From the system folder only, never from beside the program. Systems
    // older than 8.1 have no shcore, or refuse the flag: the same answer.
    HMODULE Shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    C.ForMonitor = Lookup<TGetDpiForMonitor>(Shcore, "GetDpiForMonitor");
    return C;
  }();
  return Found;
}

// A figure no screen has is taken for an unanswered question.
UINT Checked(UINT Dpi) { return Dpi >= 24 && Dpi <= 960 ? Dpi : 0; }

UINT SystemDpi() {
  if (Calls().ForSystem)
    if (const UINT Dpi = Checked(Calls().ForSystem())) return Dpi;
  UINT Dpi = 0;
  if (HDC Screen = GetDC(nullptr)) {
    Dpi = Checked(UINT(GetDeviceCaps(Screen, LOGPIXELSX)));
    ReleaseDC(nullptr, Screen);
  }
  return Dpi ? Dpi : 96;
}

UINT MonitorDpi(HMONITOR Monitor) {
  constexpr int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the user's scale
  UINT X = 0, Y = 0;
  if (Monitor && Calls().ForMonitor && Calls().ForMonitor(Monitor, kEffectiveDpi, &X, &Y) == S_OK &&
      Checked(X))
    return X;
  return SystemDpi();
}

}  // namespace

unsigned PrimaryDpi() {
  return MonitorDpi(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY));
}

unsigned WindowDpi(THandle Handle) {
  HWND Window = AsHwnd(Handle);
  if (Calls().ForWindow)
    if (const UINT Dpi = Checked(Calls().ForWindow(Window))) return Dpi;
  return MonitorDpi(MonitorFromWindow(Window, MONITOR_DEFAULTTONEAREST));
}

unsigned DpiAt(const TBox& Box) {
  const RECT R{Box.Left, Box.Top, Box.Right, Box.Bottom};
  return MonitorDpi(MonitorFromRect(&R, MONITOR_DEFAULTTONEAREST));
}

void AddFrame(RECT& Client, DWORD Style, DWORD ExStyle, unsigned Dpi) {
  // The frame and caption at the window's own scale; without the call,
  // Windows' figure for the whole screen.
  if (!Calls().AdjustForDpi || !Calls().AdjustForDpi(&Client, Style, FALSE, ExStyle, Dpi))
    AdjustWindowRectEx(&Client, Style, FALSE, ExStyle);
}

}  // namespace win32native
