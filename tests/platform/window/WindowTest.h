#pragma once
// Shared fixture of the window system's tests: a headless screen, a window
// system on it, windows whose procedures log chosen messages by window name
// and can be given handlers per window.

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/MessageLog.h"
#include "platform/backends/headless/HeadlessBackend.h"
#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/SysColors.h"
#include "platform/window/WinUser.h"
#include "platform/window/WindowSystem.h"

struct TLogEntry {
  std::string Window;
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  bool operator==(const TLogEntry& O) const {
    return Window == O.Window && Msg == O.Msg && WParam == O.WParam && LParam == O.LParam;
  }
};

inline std::ostream& operator<<(std::ostream& Out, const TLogEntry& E) {
  return Out << E.Window << ":0x" << std::hex << E.Msg << "(" << E.WParam << "," << E.LParam << ")"
             << std::dec;
}

// A handler answers a message itself (a value) or lets DefWindowProc do it.
using THandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class TWindowTest : public ::testing::Test {
protected:
  static std::unique_ptr<TBackend> MakeBackend(THeadlessBackend*& Out) {
    auto B = std::make_unique<THeadlessBackend>();
    Out = B.get();
    return B;
  }

  THeadlessBackend* FScreen = nullptr;
  TWindowSystem System{MakeBackend(FScreen)};
  THeadlessBackend& Screen = *FScreen;

  TMessageLog<TLogEntry> Log;
  std::set<UINT> Logged;
  std::map<std::string, THandler> On;
  std::map<std::string, HWND> Windows;

  WNDPROC ProcFor(const std::string& Name) {
    return [this, Name](HWND H, UINT M, WPARAM W, LPARAM L) -> LRESULT {
      if (Logged.count(M)) Log.push_back(TLogEntry{Name, M, W, L});
      auto It = On.find(Name);
      if (It != On.end() && It->second)
        if (std::optional<LRESULT> R = It->second(H, M, W, L)) return *R;
      return DefWindowProc(H, M, W, L);
    };
  }

  HWND Create(const std::string& Name, DWORD Style, const TRect& R, HWND Parent = nullptr,
              DWORD ExStyle = 0, UINT ClassStyle = 0, TColor Background = clNone) {
    WNDCLASS Class;
    Class.lpszClassName = "Test" + Name;
    Class.style = ClassStyle;
    Class.hbrBackground = Background;
    Class.hCursor = LoadCursor(nullptr, IDC_ARROW);
    HWND H = CreateWindowEx(ExStyle, Class, Name, Style, R.Left, R.Top, R.Width(), R.Height(),
                            Parent, ProcFor(Name));
    Windows[Name] = H;
    return H;
  }

  // A visible top-level pop-up (no caption, so no window-manager frame).
  HWND TopLevel(const std::string& Name, const TRect& R, DWORD Style = 0, DWORD ExStyle = 0) {
    return Create(Name, WS_POPUP | WS_VISIBLE | Style, R, nullptr, ExStyle);
  }
  HWND Child(const std::string& Name, HWND Parent, const TRect& R, DWORD Style = 0,
             UINT ClassStyle = 0) {
    return Create(Name, WS_CHILD | WS_VISIBLE | Style, R, Parent, 0, ClassStyle);
  }

  void Pump() { System.ProcessMessages(); }

  std::vector<TLogEntry> Messages(UINT Msg) const {
    return Log.Filtered([Msg](const TLogEntry& E) { return E.Msg == Msg; });
  }
  std::vector<std::string> Order(std::initializer_list<UINT> Msgs) const {
    std::vector<std::string> Out;
    const std::set<UINT> Wanted(Msgs);
    for (const TLogEntry& E : Log)
      if (Wanted.count(E.Msg)) Out.push_back(E.Window + ":" + MessageName(E.Msg));
    return Out;
  }
  static std::string MessageName(UINT M) {
    static const std::map<UINT, std::string> Names = {{WM_CREATE, "CREATE"},
                                                      {WM_DESTROY, "DESTROY"},
                                                      {WM_NCDESTROY, "NCDESTROY"},
                                                      {WM_SETFOCUS, "SETFOCUS"},
                                                      {WM_KILLFOCUS, "KILLFOCUS"},
                                                      {WM_ACTIVATE, "ACTIVATE"},
                                                      {WM_MOUSEACTIVATE, "MOUSEACTIVATE"},
                                                      {WM_LBUTTONDOWN, "LBUTTONDOWN"},
                                                      {WM_LBUTTONUP, "LBUTTONUP"},
                                                      {WM_LBUTTONDBLCLK, "LBUTTONDBLCLK"},
                                                      {WM_NCLBUTTONDOWN, "NCLBUTTONDOWN"},
                                                      {WM_NCLBUTTONDBLCLK, "NCLBUTTONDBLCLK"},
                                                      {WM_MOUSEMOVE, "MOUSEMOVE"},
                                                      {WM_CAPTURECHANGED, "CAPTURECHANGED"},
                                                      {WM_PAINT, "PAINT"},
                                                      {WM_NCPAINT, "NCPAINT"},
                                                      {WM_ERASEBKGND, "ERASEBKGND"},
                                                      {WM_TIMER, "TIMER"},
                                                      {WM_USER, "USER"},
                                                      {WM_ENTERSIZEMOVE, "ENTERSIZEMOVE"},
                                                      {WM_EXITSIZEMOVE, "EXITSIZEMOVE"},
                                                      {WM_CLOSE, "CLOSE"},
                                                      {WM_KEYDOWN, "KEYDOWN"},
                                                      {WM_KEYUP, "KEYUP"},
                                                      {WM_SYSKEYDOWN, "SYSKEYDOWN"},
                                                      {WM_CHAR, "CHAR"},
                                                      {WM_SYSCHAR, "SYSCHAR"},
                                                      {WM_MOUSELEAVE, "MOUSELEAVE"},
                                                      {WM_VSCROLL, "VSCROLL"},
                                                      {WM_SIZE, "SIZE"},
                                                      {WM_MOVE, "MOVE"},
                                                      {WM_MOUSEWHEEL, "MOUSEWHEEL"}};
    auto It = Names.find(M);
    return It != Names.end() ? It->second : std::to_string(M);
  }

  TNativeWindow Native(HWND Window) const { return System.NativeWindowOf(Window); }
  std::uint32_t Shown(HWND TopLevelWindow, int X, int Y) const {
    return Screen.PresentedPixel(Native(TopLevelWindow), X, Y);
  }
  std::uint32_t Painted(HWND TopLevelWindow, int X, int Y) const {
    const TSurface* S = System.BackBufferOf(TopLevelWindow);
    return S && X >= 0 && Y >= 0 && X < S->Width() && Y < S->Height() ? S->Row(Y)[X] : 0xFFFFFFFFu;
  }
};

inline std::uint32_t Pixel(TColor Color) { return ColorToPixel(Color); }

// Fills the client area in one colour on every WM_PAINT.
inline THandler PaintWith(TColor Color) {
  return [Color](HWND H, UINT M, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (M != WM_PAINT) return std::nullopt;
    PAINTSTRUCT PS;
    HDC DC = BeginPaint(H, PS);
    TRect R;
    GetClientRect(H, R);
    DC->FillDeviceRect(DC->ToDevice(R), DC->PixelOf(Color));
    EndPaint(H, PS);
    return 0;
  };
}

// Compares a surface region with an ASCII mask: each character names the
// colour expected at that pixel through Legend.
inline void ExpectPixels(const TSurface& S, int Left, int Top, const std::vector<std::string>& Rows,
                         const std::map<char, std::uint32_t>& Legend) {
  for (std::size_t Y = 0; Y < Rows.size(); ++Y) {
    std::string Got;
    for (std::size_t X = 0; X < Rows[Y].size(); ++X) {
      const std::uint32_t P = S.Row(Top + int(Y))[Left + int(X)];
      char C = '?';
      for (const auto& [Key, Value] : Legend)
        if (Value == P) C = Key;
      Got += C;
    }
    EXPECT_EQ(Got, Rows[Y]) << "row " << Y;
  }
}
