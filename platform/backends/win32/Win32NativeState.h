#pragma once
// What the native files of the Windows backend share: the process's one
// window class, the event sink, and each window's own data. Includes
// <windows.h>: only Win32Native*.cpp may include this header.

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// After <windows.h>, whose types it uses.
#include <imm.h>

#include <cstdint>
#include <vector>

#include "platform/backends/win32/Win32Native.h"

namespace win32native {

struct TWindowData {
  TWindowLook Look;
  // The last frame the window system presented, top-down 32-bit rows.
  std::vector<std::uint32_t> Frame;
  int FrameWidth = 0, FrameHeight = 0;
  bool TrackingLeave = false;
  // Taking the rectangle of a change of scale: the new client area is told
  // with the new figure, not as a move.
  bool Rescaling = false;
  HCURSOR Cursor = nullptr;
  // The input method: the window's own context while it is detached (no
  // caret, nothing takes text), and whether a composition is running.
  bool ImeDetached = false;
  HIMC SavedContext = nullptr;
  bool Composing = false;
  bool DroppingComposition = false;
  int SystemCaretHeight = 0;   // the hidden system caret's, 0: none
  char16_t HighSurrogate = 0;  // the first half of a character typed as a pair
};

struct TState {
  TEventSink Sink;
  HINSTANCE Instance = nullptr;
  ATOM WindowClass = 0;
  HWND Helper = nullptr;  // message-only: owns the clipboard
  // The data of a window being created, until the creation answers: a
  // creation that fails after WM_NCCREATE destroys the window, and with it
  // the data (WM_NCDESTROY), before CreateWindowExW returns.
  TWindowData* Creating = nullptr;
  // While the window system holds the capture: the capture's window, and a
  // low-level mouse hook that hands it the presses made outside every
  // window of ours.
  HWND CaptureWindow = nullptr;
  HHOOK OutsideHook = nullptr;
  // Another program's window that was in the foreground when the last hot
  // key came, to give the foreground back to.
  HWND ForeignForeground = nullptr;
};

TState& State();
TWindowData* DataOf(HWND Window);
void Emit(TRawEvent&& Event);
LRESULT CALLBACK WindowProc(HWND Window, UINT Message, WPARAM WParam, LPARAM LParam);
void PaintWindow(HWND Window, TWindowData& Data);
// Grows a client rectangle by the frame and caption of a window of these
// styles at Dpi pixels per inch.
void AddFrame(RECT& Client, DWORD Style, DWORD ExStyle, unsigned Dpi);

inline HWND AsHwnd(THandle Handle) { return static_cast<HWND>(Handle); }
inline const wchar_t* Wide(const std::u16string& Text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wchar_t");
  return reinterpret_cast<const wchar_t*>(Text.c_str());
}

}  // namespace win32native
