#pragma once
// The Win32 calls of the Windows backend, behind a plain interface.
//
// The window system's own headers define Windows-shaped names (WM_*, VK_*,
// HWND, TRect, MessageBeep...) that <windows.h> defines as macros, so no
// file may include both. The files of this folder named Win32Native*.cpp
// include <windows.h> and this header only; the backend (Win32Backend.cpp)
// includes this header and the window system's, never <windows.h>. Only
// standard types cross here: UTF-16 text, plain numbers, opaque handles.
//
// One native window per top-level window of the window system. The window
// procedure turns what Windows reports into TRawEvent and hands it to the
// sink given to Start; positions are in screen coordinates.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace win32native {

// A native window (an HWND); nullptr is none.
using THandle = void*;

struct TBox {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  bool operator==(const TBox& O) const {
    return Left == O.Left && Top == O.Top && Right == O.Right && Bottom == O.Bottom;
  }
  bool operator!=(const TBox& O) const { return !(*this == O); }
};

struct TWindowLook {
  TBox Client;  // the client area in screen coordinates
  std::u16string Title;
  bool Decorated = false;  // caption and frame; else a pop-up
  bool Resizable = false;
  bool ToolWindow = false;
  bool Topmost = false;
  bool NoActivate = false;
  THandle Owner = nullptr;
};

enum TRawKind {
  rkMove,
  rkLeave,
  rkPress,
  rkRelease,
  rkWheel,
  rkKeyDown,
  rkKeyUp,
  rkChar,  // Text: one character as typed (a surrogate pair is joined first)
  rkFocusIn,
  rkFocusOut,
  rkClose,
  rkExpose,     // Box: window coordinates
  rkConfigure,  // Box: the new client area, screen coordinates
  rkCompositionStart,
  rkComposition,  // Text, Attributes (one per unit), Caret (a unit index)
  rkCompositionEnd,
  rkResult,  // Text: what the input method committed
  rkHotKey,  // VirtualKey: the id a system-wide key was registered under
  // The window moved to a monitor of another scale (only a window with a
  // frame): Dpi is the new figure, Box the client area Windows suggested,
  // which the window already has.
  rkDpiChanged
};

// Modifier bits, as the window system's.
constexpr unsigned kShift = 1, kControl = 2, kAlt = 4, kWin = 8;

struct TRawEvent {
  TRawKind Kind = rkMove;
  THandle Window = nullptr;
  int X = 0, Y = 0;  // screen
  int Button = 0;    // 0 left, 1 right, 2 middle
  int WheelDelta = 0;
  bool Horizontal = false;
  int VirtualKey = 0;
  bool Repeat = false;
  unsigned Modifiers = 0;
  std::u16string Text;
  std::vector<std::uint8_t> Attributes;
  int Caret = 0;
  TBox Box;
  unsigned Dpi = 0;
};

using TEventSink = std::function<void(TRawEvent&&)>;

// Registers the window class and keeps the sink. False when Windows
// refuses the class.
bool Start(TEventSink Sink);
void Stop();

int ScreenWidth();
int ScreenHeight();
// Milliseconds of a monotonic clock.
std::uint64_t TickMs();

// Pixels per inch (96 is unscaled): of the primary monitor, where the
// program starts; of the monitor a window is on; of the monitor that holds
// most of a box. Where Windows knows one figure only, that one.
unsigned PrimaryDpi();
unsigned WindowDpi(THandle Window);
unsigned DpiAt(const TBox& Box);

THandle CreateTopLevel(const TWindowLook& Look);
void DestroyTopLevel(THandle Window);
// The look changed; the client area too, perhaps.
void ApplyLook(THandle Window, const TWindowLook& Look);
void SetClientBounds(THandle Window, const TBox& Client);
void ShowTopLevel(THandle Window, bool Show);
void ActivateTopLevel(THandle Window);
// Our shown windows, top first.
void Restack(const std::vector<THandle>& TopToBottom);

// Copies the rectangles (window coordinates) of a 32-bit top-down frame into
// the window's last frame and onto the screen. The last frame repaints the
// window when Windows asks without a round through the window system.
// True when the pixels went to the screen (the window is shown).
bool Present(THandle Window, const std::uint32_t* Pixels, int Width, int Height,
             const std::vector<TBox>& Dirty);

// A standard cursor by its resource number (IDC_ARROW...); 0 hides it.
void SetCursorId(THandle Window, int CursorId);
void WarpPointer(int X, int Y);
// The pointer's position on the screen (GetCursorPos); false when Windows
// cannot tell (a secure desktop is showing).
bool QueryPointer(int& X, int& Y);
void SetCapture(THandle Window);

// The caret in window coordinates; an empty box turns the input method off
// for the window, so keys go past it.
void SetImeSpot(THandle Window, const TBox& Caret);
void SetImeFontHeight(THandle Window, int PixelHeight);
// Cancels the composition; answers what it held.
std::u16string CancelComposition(THandle Window);

bool SetClipboardText(const std::u16string& Text);
bool GetClipboardText(std::u16string& Text);

void Beep(unsigned Type);

// A system-wide key combination (Modifiers: kShift, kControl, kAlt, kWin),
// reported as rkHotKey with Id; false when Windows refuses it (another
// program holds it).
bool RegisterSystemHotKey(int Id, unsigned Modifiers, int VirtualKey);
void UnregisterSystemHotKey(int Id);
// Hands the foreground back to the other program's window that had it when
// the last hot key came; false when there is none or it is gone.
bool ReturnForeground();

// When SCOUTLANE_REPORT_FIRST_FRAME=1, prints once to standard error
// "first-frame ms=<since the process started> monotonic_ns=<clock>", as the
// X11 backend does, for the start-up measurements. The clock is the
// performance counter; under Wine that is the host's CLOCK_MONOTONIC_RAW
// (not CLOCK_MONOTONIC, which the X11 backend prints).
bool WantsFirstFrameReport();
void ReportFirstFrame();

// Sends a message to a native window as Windows would, for tests that
// check what the backend makes of it without a user at the keyboard.
std::intptr_t SendNativeMessage(THandle Window, unsigned Message, std::uintptr_t WParam,
                                std::intptr_t LParam);

// Waits up to TimeoutMs (negative: without limit) for a message and
// dispatches every message waiting. True when something was dispatched.
bool PumpMessages(int TimeoutMs);

}  // namespace win32native
